// The split in two offices: the same pieces as in one, and a failure of
// either office that leaves no piece file and no process behind. Pages saved
// one by one while the rest are still being cut.
#include "engine_error.h"
#include "fixtures.h"
#include "split/naming.h"
#include "page_compare.h"
#include "pdf_text.h"
#include "processes.h"
#include "protocol/session.h"
#include "split/splitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <dirent.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;

class TwoOffices : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<TempDir>("tessaro-split-test");
        Session session(120s);
        const Content report{"报告", 3, false, 40, true, true, true, ""};
        writeDocument(session.office(), report, path("report.docx"));
        writeDocument(session.office(), report, path("report.doc"));
        writeDocument(session.office(), {"中文", 3, true, 0, false, true, false, ""}, path("chinese.docx"));
        writeDocument(session.office(), {"长", 40, false, 0, false, true, false, ""}, path("long.docx"));
    }
    static void TearDownTestSuite() { dir_.reset(); }

    static std::string path(const std::string& name) { return dir_->file(name); }
    static std::string folder(const std::string& name)
    {
        const std::string p = path(name);
        ::mkdir(p.c_str(), 0700);
        return p;
    }

    static std::vector<PagePiece> pagesOf(Session& session, const std::string& source, const std::string& out,
                                          Document& doc)
    {
        doc = loadDocument(session.office().desktop(), source, true);
        std::vector<PagePiece> pieces;
        for (int page = 1; page <= pageCount(doc); ++page)
            pieces.push_back({page, page, pieceName(source, out, page)});
        return pieces;
    }

    // Hidden ones too: pieces are written into a hidden folder first.
    static size_t filesIn(const std::string& folder)
    {
        size_t count = 0;
        std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
        while (dirent* entry = readdir(dir.get()))
            count += std::string(entry->d_name) != "." && std::string(entry->d_name) != "..";
        return count;
    }

    // Splits `long.docx` in two offices and kills one of them, chosen by
    // `victim` from the main soffice's pid and the second's, once pieces are
    // being written, and again any second office started after that (the
    // first run on its new profile only sets the profile up and exits);
    // returns the split's error.
    static std::string splitKilling(Session& session, const std::string& out,
                                    const std::function<pid_t(pid_t main, pid_t second)>& victim)
    {
        Document doc;
        const auto pieces = pagesOf(session, path("long.docx"), out, doc);
        const pid_t main = session.sofficePid();
        // An office of an earlier session may still be on its way out: only
        // a process started by this split is its second office.
        const std::vector<pid_t> before = childrenOf(getpid());
        std::atomic<bool> done{false};
        std::thread killer([&] {
            while (!done) {
                pid_t second = 0;
                for (pid_t child : childrenOf(getpid()))
                    if (child != main && std::find(before.begin(), before.end(), child) == before.end())
                        second = child;
                if (second && filesIn(out) > 0)
                    ::kill(victim(main, second), SIGKILL);
                std::this_thread::sleep_for(5ms);
            }
        });
        std::string error = "no error";
        try {
            Watchdog::Scope scope(session.watchdog(), "split");
            splitPieces(std::move(doc), pieces, session.office(), Offices::Two);
        } catch (const EngineError& e) {
            error = e.what();
        } catch (const css::uno::Exception& e) {
            error = utf8(e.Message);
        }
        done = true;
        killer.join();
        return error;
    }

    static std::unique_ptr<TempDir> dir_;
};

std::unique_ptr<TempDir> TwoOffices::dir_;

TEST_F(TwoOffices, GiveEachPageAsItsSourcePage)
{
    Session session(120s);
    for (const char* name : {"report.docx", "report.doc", "chinese.docx"}) {
        SCOPED_TRACE(name);
        const std::string source = path(name);
        const auto sourcePages = layOut(session, source, dir_->path());
        ASSERT_GE(sourcePages.size(), 3u) << "the fixture must span several pages";
        Document doc;
        const auto pieces = pagesOf(session, source, folder(std::string("two-") + name), doc);
        {
            Watchdog::Scope scope(session.watchdog(), "split");
            splitPieces(std::move(doc), pieces, session.office(), Offices::Two);
        }
        ASSERT_EQ(pieces.size(), sourcePages.size());
        for (size_t i = 0; i < pieces.size(); ++i) {
            const auto piece = layOut(session, pieces[i].path, dir_->path());
            // Long Chinese lines break a few characters apart in a page file
            // (the copies spell out the normal style's Asian typography), so
            // those pages are held to their text.
            if (std::string(name) == "chinese.docx") {
                ASSERT_EQ(piece.size(), 1u) << pieces[i].path;
                EXPECT_EQ(piece[0].text, sourcePages[i].text) << pieces[i].path;
                continue;
            }
            const Comparison same = comparePages({{sourcePages[i]}}, piece);
            EXPECT_TRUE(same.passed()) << pieces[i].path << ": " << same.report();
        }
        EXPECT_EQ(childrenOf(getpid()), std::vector<pid_t>{session.sofficePid()}) << "the second office has ended";
    }
}

TEST_F(TwoOffices, ASecondOfficeKilledMidwayFailsTheSplitAndLeavesNothing)
{
    Session session(120s);
    const std::string out = folder("second-killed");
    const std::string error = splitKilling(session, out, [](pid_t, pid_t second) { return second; });
    EXPECT_NE(error.find("LibreOffice"), std::string::npos) << error;
    EXPECT_EQ(filesIn(out), 0u);
    EXPECT_EQ(childrenOf(getpid()), std::vector<pid_t>{session.sofficePid()});
    ASSERT_TRUE(session.usable());
    const int doc = session.open(path("long.docx"), true);
    EXPECT_EQ(session.pageCount(doc), 40);
}

TEST_F(TwoOffices, AMainOfficeKilledMidwayFailsTheSplitAndLeavesNothing)
{
    const std::string out = folder("main-killed");
    {
        Session session(120s);
        const std::string error = splitKilling(session, out, [](pid_t main, pid_t) { return main; });
        EXPECT_NE(error, "no error");
        EXPECT_EQ(filesIn(out), 0u);
        EXPECT_TRUE(childrenOf(getpid()).empty()) << "the second office has ended with the split";
    }
}

// The first page saved starts the cut; soffice killed then, the page the
// loop waits for fails with the cause, and only whole pages are left.
TEST_F(TwoOffices, ASofficeKilledWhilePagesAreSavedOneByOneFailsTheWaitingPage)
{
    const std::string out = folder("one-by-one-killed");
    std::string error;
    int saved = 1;
    {
        Session session(120s);
        const int doc = session.open(path("long.docx"), true);
        session.savePage(doc, 1, out + "/1.docx");
        ::kill(session.sofficePid(), SIGKILL);
        for (int page = 2; page <= 40 && error.empty(); ++page) {
            try {
                session.savePage(doc, page, out + "/" + std::to_string(page) + ".docx");
                saved = page;
            } catch (const EngineError& e) {
                error = e.what();
            }
        }
        EXPECT_FALSE(session.usable());
    }
    EXPECT_NE(error.find("LibreOffice"), std::string::npos) << error;
    EXPECT_LT(saved, 40) << "the cut was over before soffice was killed";
    EXPECT_EQ(filesIn(out), static_cast<size_t>(saved));
    EXPECT_TRUE(childrenOf(getpid()).empty());
    Session reader(120s);
    EXPECT_EQ(pageTexts(reader, out + "/" + std::to_string(saved) + ".docx", dir_->path()).size(), 1u)
        << "the last page saved is whole";
}

// A split through Word starts cutting the pages before any is asked for.
// Pages asked for in another format, or several to a file, throw that cut
// away (stopped halfway) and still come out as their source pages, with
// nothing else left in the folder.
TEST_F(TwoOffices, ACutAheadIsThrownAwayForAnotherFormatOrSeveralPagesToAFile)
{
    const std::string out = folder("ahead-missed");
    Session session(120s);
    const std::vector<std::string> pages = pageTexts(session, path("long.docx"), dir_->path());
    const int doc = session.open(path("long.docx"), true);
    session.cutAhead(doc, ".docx");
    session.savePage(doc, 2, out + "/2.odt");
    session.cutAhead(doc, ".docx");
    session.savePages(doc, 3, 4, out + "/3-4.docx");
    EXPECT_EQ(pageTexts(session, out + "/2.odt", dir_->path()), std::vector<std::string>{pages.at(1)});
    EXPECT_EQ(pageTexts(session, out + "/3-4.docx", dir_->path()), (std::vector<std::string>{pages.at(2), pages.at(3)}));
    EXPECT_EQ(filesIn(out), 2u);
}

// soffice killed while a cut made ahead runs: the first page asked for fails
// with the cause, and nothing is written.
TEST_F(TwoOffices, ASofficeKilledDuringACutAheadFailsTheFirstPageAndWritesNothing)
{
    const std::string out = folder("ahead-killed");
    {
        Session session(120s);
        const int doc = session.open(path("long.docx"), true);
        session.cutAhead(doc, ".docx");
        ::kill(session.sofficePid(), SIGKILL);
        const std::string error = failure([&] { session.savePage(doc, 1, out + "/1.docx"); });
        EXPECT_NE(error.find("LibreOffice"), std::string::npos) << error;
    }
    EXPECT_EQ(filesIn(out), 0u);
    EXPECT_TRUE(childrenOf(getpid()).empty());
}

TEST(HandedOverDocument, AnswersAgainAfterItsPagesWereCut)
{
    TempDir dir("tessaro-handover-test");
    Session session(120s);
    const std::string source = dir.file("seven.docx");
    writeDocument(session.office(), {"七页", 7, false, 0, false, true, false, ""}, source);
    const int doc = session.open(source, true);
    const std::string before = session.text(doc);
    session.savePage(doc, 3, dir.file("page3.docx"));
    EXPECT_EQ(session.text(doc), before);
    EXPECT_EQ(session.pageCount(doc), 7);
    session.savePage(doc, 4, dir.file("page4.docx"));
    EXPECT_EQ(pageTexts(session, dir.file("page4.docx"), dir.path()).size(), 1u);
}

}  // namespace
}  // namespace tessaro::test
