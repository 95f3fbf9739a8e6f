// Prints how long the engine's main jobs take on this machine, in one run:
// soffice start-up, a 20 x 5-page merge and peak memory. The split has a
// benchmark of its own (split_bench.cpp).
#include "../tests/fixtures.h"
#include "session.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>

using namespace tessaro;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

}  // namespace

int main()
{
    TempDir dir("tessaro-bench");
    std::unique_ptr<Session> session;
    const double startup = seconds([&] { session = std::make_unique<Session>(std::chrono::seconds(600)); });
    std::printf("soffice start-up + connect:        %7.2f s\n", startup);

    std::vector<std::string> inputs;
    for (int i = 1; i <= 20; ++i) {
        inputs.push_back(dir.file("in" + std::to_string(i) + ".docx"));
        test::writeDocument(session->office(), {"文档" + std::to_string(i), 5, false, 0, false, true, false, ""},
                            inputs.back());
    }
    int merged = 0;
    const double merge = seconds([&] {
        const int doc = session->open(inputs[0], true);
        for (size_t i = 1; i < inputs.size(); ++i) {
            session->endKey(doc);
            session->insertBreak(doc);
            session->insertFile(doc, inputs[i]);
        }
        merged = session->pageCount(doc);
        session->saveAs(doc, dir.file("merged.docx"));
        session->close(doc);
    });
    std::printf("merge 20 documents x 5 pages:      %7.2f s  (%d pages)\n", merge, merged);

    const long soffice = peakKiB(session->sofficePid());
    rusage self {};
    getrusage(RUSAGE_SELF, &self);
    std::printf("peak memory: soffice %ld MiB, engine %ld MiB\n", soffice / 1024, self.ru_maxrss / 1024);
    session.reset();
    return 0;
}
