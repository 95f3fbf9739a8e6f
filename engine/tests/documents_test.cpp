// Merge and split against real documents in a real LibreOffice, with
// fixtures built at start-up. One soffice serves the whole file.
#include "files/remove_tree.h"
#include "processes/child_process.h"
#include "engine_error.h"
#include "fixtures.h"
#include "split/naming.h"
#include "pdf_text.h"
#include "protocol/session.h"
#include "files/zip_archive.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaro::test {
namespace {

class Documents : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        session_ = std::make_unique<Session>(std::chrono::seconds(120));
        dir_ = std::make_unique<TempDir>("tessaro-documents-test");
        try {
            makeFixtures();
        } catch (const css::uno::Exception& e) {
            FAIL() << "fixtures: " << utf8(e.Message);
        }
    }

    static void makeFixtures()
    {
        Office& office = session_->office();
        Content report{"报告", 3, true, 70, true, true, true, ""};
        writeDocument(office, report, path("report.docx"));
        writeDocument(office, report, path("report.doc"));
        writeDocument(office, {"甲", 2, false, 0, false, false, false, ""}, path("a.docx"));
        writeDocument(office, {"乙", 3, true, 0, false, true, false, ""}, path("b.doc"));
        writeDocument(office, {"丙", 1, false, 0, true, false, false, ""}, path("c.rtf"));
        writeDocument(office, {"丁", 2, false, 12, false, false, false, ""}, path("d.odt"));
        writeDocument(office, {"目录", 1, false, 0, false, false, true, ""}, path("toc.docx"));
        writeDocument(office, {"插入章节", 1, false, 0, false, false, true, ""}, path("chapter.docx"));
        writeDocument(office, {"七页", 7, false, 0, false, true, false, ""}, path("seven.docx"));
        writeDocument(office, {"密", 1, false, 0, false, false, false, "secret"}, path("locked.odt"));
        writeDocument(office, {"密", 1, false, 0, false, false, false, "secret"}, path("locked.doc"));
        writeTruncated(path("a.docx"), path("truncated.docx"));
        writeGarbage(path("damaged.docx"));
        writeGarbage(path("damaged.doc"));
    }

    static void TearDownTestSuite()
    {
        session_.reset();
        dir_.reset();
    }

    static std::string path(const std::string& name) { return dir_->file(name); }
    static std::string folder(const std::string& name)
    {
        const std::string p = path(name);
        ::mkdir(p.c_str(), 0700);
        return p;
    }
    static Session& session() { return *session_; }
    static std::vector<std::string> pages(const std::string& document)
    {
        return pageTexts(*session_, document, dir_->path());
    }
    static int pageCountOf(const std::string& document)
    {
        const int doc = session_->open(document, true);
        const int count = session_->pageCount(doc);
        session_->close(doc);
        return count;
    }

    // Each piece must be one page holding the text of its source page, header and footer included.
    static void expectPieces(const std::vector<std::string>& source, const std::vector<std::string>& pieces)
    {
        ASSERT_EQ(pieces.size(), source.size());
        for (size_t i = 0; i < pieces.size(); ++i) {
            SCOPED_TRACE(pieces[i]);
            const auto text = pages(pieces[i]);
            ASSERT_EQ(text.size(), 1u);
            EXPECT_EQ(text[0], source[i]);
        }
    }

    static std::unique_ptr<Session> session_;
    static std::unique_ptr<TempDir> dir_;
};

std::unique_ptr<Session> Documents::session_;
std::unique_ptr<TempDir> Documents::dir_;

TEST_F(Documents, MergeWithBreaksAddsUpPagesInOrderAcrossFormats)
{
    const std::vector<std::string> inputs{path("a.docx"), path("b.doc"), path("c.rtf"), path("d.odt")};
    int expected = 0;
    for (const auto& input : inputs)
        expected += pageCountOf(input);

    const int doc = session().open(inputs[0], true);
    for (size_t i = 1; i < inputs.size(); ++i) {
        session().endKey(doc);
        session().insertBreak(doc);
        session().insertFile(doc, inputs[i]);
    }
    EXPECT_EQ(session().pageCount(doc), expected);
    const std::string out = path("merged.docx");
    session().saveAs(doc, out);
    EXPECT_EQ(session().fullName(doc), out);
    session().close(doc);

    // The printed pages: reopened, LibreOffice lays out (but never prints or
    // exports) a blank page where an inserted document's numbering restarts.
    const auto saved = pages(out);
    EXPECT_EQ(int(saved.size()), expected);
    std::string all;
    for (const auto& page : saved)
        all += page;
    size_t at = 0;
    for (const char* marker : {"甲第1节", "甲第2节", "乙第1节", "乙第3节", "丙第1节", "丁第1节", "丁第2节"}) {
        const size_t found = all.find(marker, at);
        ASSERT_NE(found, std::string::npos) << marker << " missing or out of order";
        at = found;
    }
}

// The program opens each document just before inserting it, and the
// insertion reuses what that read: never once the file has changed since.
TEST_F(Documents, AnInsertionTakesTheFileAsItIsWhenInserted)
{
    const std::string changing = path("changing.docx");
    writeDocument(session().office(), {"旧稿", 1, false, 0, false, false, false, ""}, changing);
    const int doc = session().open(path("a.docx"), true);
    session().close(session().open(changing, true));
    writeDocument(session().office(), {"新稿", 2, false, 0, false, false, false, ""}, changing);
    session().endKey(doc);
    session().insertBreak(doc);
    session().insertFile(doc, changing);
    session().close(session().open(changing, true));
    session().endKey(doc);
    session().insertBreak(doc);
    session().insertFile(doc, changing);
    const std::string text = session().text(doc);
    session().close(doc);
    EXPECT_EQ(text.find("旧稿"), std::string::npos);
    EXPECT_NE(text.find("新稿 第2节"), text.rfind("新稿 第2节")) << "the reused document was inserted once only";
}

TEST_F(Documents, MergedTableOfContentsListsInsertedHeadings)
{
    const int doc = session().open(path("toc.docx"), true);
    session().endKey(doc);
    session().insertBreak(doc);
    session().insertFile(doc, path("chapter.docx"));
    EXPECT_EQ(session().updateFields(doc), 0) << "every field and index updated";
    const std::string out = path("merged-toc.odt");
    session().saveAs(doc, out);
    session().close(doc);
    const auto text = pages(out);
    ASSERT_GE(text.size(), 2u);
    EXPECT_NE(text[0].find("插入章节第1节"), std::string::npos) << text[0];
}

TEST_F(Documents, BadFilesAreRefusedWithTheirReasonAndNothingIsInserted)
{
    const std::map<std::string, std::string> reasons{
        {"missing.docx", "不存在"}, {"damaged.docx", "损坏"}, {"damaged.doc", "损坏"},
        {"truncated.docx", "损坏"}, {"locked.odt", "密码"},   {"locked.doc", "密码"},
    };
    const int doc = session().open(path("a.docx"), true);
    const int before = session().pageCount(doc);
    for (const auto& [name, reason] : reasons) {
        SCOPED_TRACE(name);
        const std::string opened = failure([&] { session().open(path(name), true); });
        EXPECT_NE(opened.find(reason), std::string::npos) << opened;
        EXPECT_NE(opened.find(path(name)), std::string::npos) << opened;
        session().endKey(doc);
        const std::string inserted = failure([&] { session().insertFile(doc, path(name)); });
        EXPECT_NE(inserted.find(reason), std::string::npos) << inserted;
    }
    EXPECT_EQ(session().pageCount(doc), before);
    session().saveAs(doc, path("after-bad.odt"));
    session().close(doc);
    EXPECT_EQ(pages(path("after-bad.odt")), pages(path("a.docx")));
}

TEST_F(Documents, SaveWritesEveryFormatAndRefusesMissingFoldersAndUnknownTypes)
{
    const int doc = session().open(path("b.doc"), true);
    const int count = session().pageCount(doc);
    for (const char* ext : {"docx", "doc", "rtf", "odt"}) {
        const std::string out = path(std::string("saved.") + ext);
        session().saveAs(doc, out);
        EXPECT_EQ(pageCountOf(out), count) << out;
    }
    EXPECT_NE(failure([&] { session().saveAs(doc, path("no-such-folder/x.docx")); }).find("文件夹不存在"),
              std::string::npos);
    EXPECT_NE(failure([&] { session().saveAs(doc, path("x.xyz")); }).find("不支持"), std::string::npos);
    struct stat st {};
    EXPECT_NE(::stat(path("no-such-folder").c_str(), &st), 0) << "the folder must not be created";
    session().close(doc);
    EXPECT_NE(failure([&] { session().pageCount(doc); }).find("句柄"), std::string::npos);
}

// Parts of a package replaced by the engine itself: the office reads the
// result as its own, an OpenDocument package too; a damaged one is refused.
TEST_F(Documents, PackagesRewrittenHereOpenInTheOfficeAndDamagedOnesAreRefused)
{
    for (const auto& [name, part, word] : {std::tuple<std::string, std::string, std::string>{"a.docx", "word/document.xml", "甲"},
                                           {"d.odt", "content.xml", "丁"}}) {
        SCOPED_TRACE(name);
        ZipArchive package(path(name));
        std::string xml = package.read(part);
        const size_t at = xml.find(word);
        ASSERT_NE(at, std::string::npos);
        xml.replace(at, word.size(), "戊");
        package.replace(part, xml);
        const std::string copy = path("rewritten-" + name);
        package.write(copy);
        const int doc = session().open(copy, true);
        EXPECT_NE(session().text(doc).find("戊"), std::string::npos);
        session().close(doc);
    }
    for (const char* name : {"truncated.docx", "damaged.docx"})
        EXPECT_THROW(ZipArchive{path(name)}, EngineError) << name;
}

TEST_F(Documents, PrintingWithoutAPrinterIsAnError)
{
    if (run("sh -c 'command -v lpstat'").size() > 0)
        GTEST_SKIP() << "a print system is installed here";
    const int doc = session().open(path("c.rtf"), true);
    EXPECT_NE(failure([&] { session().print(doc); }).find("打印失败"), std::string::npos);
    session().close(doc);
}

// An office that quits as it is written to must not take this process with it
// (SIGPIPE); the programs this process starts still get the usual signal.
TEST_F(Documents, AWriteToAClosedConnectionFailsWithoutEndingTheProcess)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    errno = 0;
    EXPECT_EQ(::write(ends[1], "x", 1), -1);
    EXPECT_EQ(errno, EPIPE);
    ::close(ends[1]);

    ChildProcess child("/bin/sh", {"-c", "kill -PIPE $$; exit 0"});
    int status = 0;
    ASSERT_TRUE(child.waitFor(std::chrono::seconds(10), &status));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << "status " << status;
}

TEST_F(Documents, SplitGivesEachPageExactlyOnceAndLeavesTheSourceUntouched)
{
    for (const char* name : {"report.docx", "report.doc"}) {
        SCOPED_TRACE(name);
        const std::string source = path(name);
        const std::string bytes = readBytes(source);
        const auto sourcePages = pages(source);
        ASSERT_GE(sourcePages.size(), 5u) << "the fixture must span several pages";
        const auto pieces = session().split(source, folder(std::string("split-") + name), 0);
        for (size_t i = 0; i < pieces.size(); ++i)
            EXPECT_EQ(pieces[i], pieceName(source, path(std::string("split-") + name), static_cast<int>(i) + 1));
        expectPieces(sourcePages, pieces);
        EXPECT_EQ(readBytes(source), bytes);
    }
}

TEST_F(Documents, PageRunsAndEvenSplitsHoldExactlyTheirPages)
{
    const std::string source = path("seven.docx");
    const auto sourcePages = pages(source);
    ASSERT_EQ(sourcePages.size(), 7u);
    const auto pieces = session().split(source, folder("even"), 3);
    ASSERT_EQ(pieces.size(), 3u);
    const std::vector<std::pair<size_t, size_t>> runs{{0, 3}, {3, 5}, {5, 7}};
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(pages(pieces[k]),
                  std::vector<std::string>(sourcePages.begin() + long(runs[k].first),
                                           sourcePages.begin() + long(runs[k].second)));

    const int doc = session().open(source, true);
    const std::string out = path("pages-2-4.docx");
    session().savePages(doc, 2, 4, out);
    EXPECT_EQ(pages(out), std::vector<std::string>(sourcePages.begin() + 1, sourcePages.begin() + 4));
    EXPECT_NE(failure([&] { session().savePages(doc, 3, 99, path("bad.docx")); }).find("超出范围"),
              std::string::npos);
    session().close(doc);
    EXPECT_NE(failure([&] { session().split(source, path("missing-folder"), 0); }).find("文件夹不存在"),
              std::string::npos);
    // More files asked for than there are pages: one page a file, as the
    // program splits (this once failed with "文件数多于页数").
    EXPECT_EQ(session().split(source, folder("too-many"), 8).size(), sourcePages.size());
}

TEST_F(Documents, CopyAndPastePageByPageGivesWhatSplitGives)
{
    const std::string source = path("report.docx");
    const auto sourcePages = pages(source);
    const std::string out = folder("word-style");
    const int doc = session().open(source, true);
    session().home(doc);
    const int count = session().pageCount(doc);
    std::vector<std::string> pieces;
    for (int i = 1; i <= count; ++i) {
        EXPECT_EQ(session().currentPage(doc), i);
        session().copy(doc, i, i);
        session().nextPage(doc);
        const int piece = session().add();
        session().paste(piece);
        pieces.push_back(pieceName(source, out, i));
        session().saveAs(piece, pieces.back());
        session().close(piece);
    }
    EXPECT_EQ(session().currentPage(doc), count) << "moving past the last page stays on it";
    session().close(doc);
    expectPieces(sourcePages, pieces);
}

TEST_F(Documents, SavingPageAfterPageGivesWhatSplitGivesInTheTargetFormat)
{
    const std::string source = path("report.docx");
    const auto sourcePages = pages(source);
    const std::string out = folder("page-saves");
    const int doc = session().open(source, true);
    const int count = session().pageCount(doc);
    std::vector<std::string> pieces;
    for (int i = 1; i <= count; ++i) {
        pieces.push_back(pieceName(source, out, i));
        session().savePage(doc, i, pieces.back());
    }
    // On another file system a page is copied, not linked, and comes out the same.
    std::string elsewhere = "/dev/shm/tessaro-page-XXXXXX";
    ASSERT_NE(mkdtemp(elsewhere.data()), nullptr);
    session().savePage(doc, 2, elsewhere + "/2.docx");
    EXPECT_EQ(readBytes(elsewhere + "/2.docx"), readBytes(pieces.at(1)));
    removeTree(elsewhere);
    // The page files are real .docx files, not the cut pieces of another format.
    session().savePage(doc, 1, out + "/first.doc");
    EXPECT_EQ(pageCountOf(out + "/first.doc"), 1);
    EXPECT_NE(failure([&] { session().savePage(doc, count + 1, out + "/past.docx"); }).find("页码超出范围"), std::string::npos);
    EXPECT_NE(failure([&] { session().savePage(doc, 1, path("missing/p.docx")); }).find("missing"), std::string::npos);
    session().close(doc);
    expectPieces(sourcePages, pieces);
}

}  // namespace
}  // namespace tessaro::test
