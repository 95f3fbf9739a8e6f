// Splits documents of 200 and 1,000 pages (or the sizes given) and prints, in
// one run, each split's cost per page next to the floor (storing every page
// file once more from an open one-page document) and to loading and storing
// every page file once, the ratios, the speed-up from the second soffice and
// the peak memory of all soffice processes together. With --check, every page file of the split in two
// offices is compared with its source page, by text and by picture.
#include "../tests/fixtures.h"
#include "../tests/page_compare.h"
#include "../tests/processes.h"
#include "split/naming.h"
#include "split/page_slicer.h"
#include "protocol/session.h"
#include "proc_status.h"
#include "stopwatch.h"
#include "split/splitter.h"
#include "document/working_copy.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace tessaro;

namespace {

// Adds up the resident memory of every soffice this process runs, sampled
// while a split works: the two offices' peaks count only where they meet.
class MemoryPeak {
public:
    MemoryPeak()
        : thread_([this] {
              while (!stop_) {
                  long total = 0;
                  for (pid_t child : test::childrenOf(getpid()))
                      total += statusKiB(child, "VmRSS");
                  peak_ = std::max(peak_.load(), total);
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~MemoryPeak()
    {
        stop_ = true;
        thread_.join();
    }
    long mib() const { return peak_ / 1024; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<long> peak_{0};
    std::thread thread_;
};

struct Run {
    double seconds = 0;
    long peakMiB = 0;
    std::vector<std::string> files;
};

Run split(Session& session, const std::string& source, const std::string& out, Offices offices)
{
    ::mkdir(out.c_str(), 0700);
    Run run;
    MemoryPeak memory;
    run.seconds = seconds([&] {
        Document doc = loadDocument(session.office().desktop(), source, true);
        Watchdog::Scope scope(session.watchdog(), "split");
        run.files = splitPages(
            std::move(doc),
            [&](int count) {
                std::vector<PagePiece> pieces;
                for (int page = 1; page <= count; ++page)
                    pieces.push_back({page, page, pieceName(source, out, page)});
                return pieces;
            },
            session.office(), offices);
    });
    run.peakMiB = memory.mib();
    return run;
}

// Every page file loaded and stored once more, in one office: the floor is
// the stores alone, each from a page file already open and laid out.
struct Floor {
    double store = 0;
    double loadAndStore = 0;
};

Floor floorSeconds(Session& session, const std::vector<std::string>& files, const std::string& out)
{
    ::mkdir(out.c_str(), 0700);
    Floor took;
    for (const std::string& file : files) {
        Document doc;
        const double load = seconds([&] { doc = loadDocument(session.office().desktop(), file, true); });
        const std::string copy = out + file.substr(file.rfind('/'));
        const double store = seconds([&] { storeDocument(doc, copy); });
        took.store += store;
        took.loadAndStore += load + store;
    }
    return took;
}

// Where the time of a split in one office goes, step by step, in seconds.
struct Steps {
    double open = 0, layout = 0, copy = 0, read = 0, cut = 0, load = 0, store = 0;
    double runBytes = 0;
};

Steps steps(Session& session, const std::string& source, const std::string& out)
{
    ::mkdir(out.c_str(), 0700);
    TempDir scratch("tessaro-split-steps");
    Steps took;
    Document doc;
    took.open = seconds([&] { doc = loadDocument(session.office().desktop(), source, true); });
    PageMap map;
    took.layout = seconds([&] { map = markPages(doc); });
    const std::string marked = scratch.file("marked.fodt");
    took.copy = seconds([&] { storeWorkingCopy(doc, marked); });
    doc.close();
    std::unique_ptr<PageSlicer> slicer;
    took.read = seconds([&] { slicer = std::make_unique<PageSlicer>(marked, map); });
    for (int page = 1; page <= map.count(); ++page) {
        const std::string run = scratch.file("run.fodt");
        took.cut += seconds([&] { slicer->write(page, page, run); });
        struct stat st {};
        if (::stat(run.c_str(), &st) == 0)
            took.runBytes += static_cast<double>(st.st_size);
        Document part;
        took.load += seconds([&] { part = loadWorkingCopy(session.office().context(), run); });
        took.store += seconds([&] { storeDocument(part, pieceName(source, out, page)); });
    }
    return took;
}

// The number of page files that do not look as their source page.
int differingPages(Session& session, const std::string& source, const std::vector<std::string>& files,
                   const std::string& scratch)
{
    const auto pages = test::layOut(session, source, scratch);
    int differing = pages.size() == files.size() ? 0 : std::abs(static_cast<int>(pages.size() - files.size()));
    for (size_t i = 0; i < std::min(pages.size(), files.size()); ++i) {
        const test::Comparison same = test::comparePages({{pages[i]}}, test::layOut(session, files[i], scratch));
        if (!same.passed()) {
            std::printf("  %s: %s\n", files[i].c_str(), same.report().c_str());
            ++differing;
        }
    }
    return differing;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--check")
            check = true;
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty())
        sizes = {200, 1000};
    TempDir dir("tessaro-split-bench");
    Session session(std::chrono::seconds(600));
    for (const int pages : sizes) {
        const std::string source = dir.file("long" + std::to_string(pages) + ".docx");
        test::writeDocument(session.office(), {"长文档", pages, false, 0, false, true, false, ""}, source);
        const std::string out = dir.file("split" + std::to_string(pages));
        const Run one = split(session, source, out + "-one", Offices::One);
        const Run two = split(session, source, out + "-two", Offices::Two);
        const Floor floor = floorSeconds(session, one.files, out + "-floor");
        auto perPage = [&](double s) { return 1000 * s / pages; };
        std::printf("split %4d pages, one soffice:      %7.2f s  (%5.1f ms per page, peak memory %ld MiB)\n", pages,
                    one.seconds, perPage(one.seconds), one.peakMiB);
        std::printf("split %4d pages, two soffices:     %7.2f s  (%5.1f ms per page, peak memory %ld MiB)\n", pages,
                    two.seconds, perPage(two.seconds), two.peakMiB);
        std::printf("  floor, storing every page once:  %7.2f s  (%5.1f ms per page)\n", floor.store,
                    perPage(floor.store));
        std::printf("  loading and storing every page:  %7.2f s  (%5.1f ms per page)\n", floor.loadAndStore,
                    perPage(floor.loadAndStore));
        std::printf("  split / floor: one soffice %.2fx, two soffices %.2fx; speed-up from the second %.2fx\n",
                    one.seconds / floor.store, two.seconds / floor.store, one.seconds / two.seconds);
        std::printf("  two soffices / loading and storing every page: %.2fx\n", two.seconds / floor.loadAndStore);
        const Steps took = steps(session, source, out + "-steps");
        std::printf("  one soffice step by step, ms per page: open %.1f, layout and marks %.1f, working copy %.1f,\n"
                    "    reading it %.1f, cutting runs %.1f, loading runs %.1f, storing pages %.1f; a one-page run is %.0f KiB\n",
                    perPage(took.open), perPage(took.layout), perPage(took.copy),
                    perPage(took.read), perPage(took.cut), perPage(took.load), perPage(took.store),
                    took.runBytes / pages / 1024);
        if (check)
            std::printf("  page files that differ from their source page: %d of %d\n",
                        differingPages(session, source, two.files, dir.path()), pages);
        std::fflush(stdout);
    }
    return 0;
}
