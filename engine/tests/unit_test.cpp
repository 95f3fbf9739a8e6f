// The engine's pure logic: framing, names, formats, page runs, pieces taken
// while they are cut, style renaming, start-up environment, the .docx
// punctuation mend.
#include "document/document.h"
#include "engine_error.h"
#include "protocol/frame_io.h"
#include "document/hanging_punctuation.h"
#include "split/naming.h"
#include "document/own_styles.h"
#include "split/page_cut.h"
#include "protocol/server.h"
#include "split/splitter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace tessaro {
namespace {

class SocketPair : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds_), 0); }
    void TearDown() override
    {
        for (int fd : fds_)
            if (fd >= 0)
                ::close(fd);
    }
    void sendRaw(const std::string& bytes) { ASSERT_EQ(::write(fds_[0], bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    int fds_[2] = {-1, -1};
};

TEST_F(SocketPair, FramesCarryEmptyAndChineseFieldsIntact)
{
    const Fields sent{"open", "/tmp/中文 文档.docx", "", "1"};
    writeFrame(fds_[0], sent);
    writeFrame(fds_[0], {});
    Fields got;
    ASSERT_TRUE(readFrame(fds_[1], got));
    EXPECT_EQ(got, sent);
    ASSERT_TRUE(readFrame(fds_[1], got));
    EXPECT_TRUE(got.empty());
    ::close(fds_[0]);
    fds_[0] = -1;
    EXPECT_FALSE(readFrame(fds_[1], got)) << "a clean end of stream is not an error";
}

TEST_F(SocketPair, BrokenOversizedAndMalformedFramesAreRefused)
{
    Fields got;
    sendRaw(std::string("\x00\x20\x00\x00", 4));  // 2 MiB announced
    EXPECT_THROW(readFrame(fds_[1], got), EngineError);
    EXPECT_EQ(wire::DecodeBody(std::string("ok\0tail", 7)), std::nullopt) << "last field without its NUL";
    sendRaw(std::string("\x00\x00\x00\x09open", 8));  // shorter than announced, then the peer goes
    ::close(fds_[0]);
    fds_[0] = -1;
    EXPECT_THROW(readFrame(fds_[1], got), EngineError);
}

TEST(Naming, PieceNamesFollowTheSourceBaseNameAndExtension)
{
    EXPECT_EQ(pieceName("/d/report.docx", "/out", 3), "/out/report_3.docx");
    EXPECT_EQ(pieceName("/d/report.docx", "/out/", 1), "/out/report_1.docx");
    EXPECT_EQ(pieceName("/d/v1.2.final.doc", "/o", 12), "/o/v1.2.final_12.doc");
    EXPECT_EQ(pieceName("/d/中文 文档.docx", "/o", 2), "/o/中文 文档_2.docx");
    EXPECT_EQ(pieceName("/d/noext", "/o", 1), "/o/noext_1");
}

TEST(Formats, ExtensionsChooseTheirFilterCaseBlind)
{
    EXPECT_EQ(filterForPath("/a/b.DOCX"), "MS Word 2007 XML");
    EXPECT_EQ(filterForPath("/a/b.doc"), "MS Word 97");
    EXPECT_EQ(filterForPath("/a/b.rtf"), "Rich Text Format");
    EXPECT_EQ(filterForPath("/a/b.odt"), "writer8");
    EXPECT_EQ(filterForPath("/a/b.txt"), "");
    EXPECT_EQ(filterForPath("/a.docx/noext"), "") << "a dot in a folder name is no extension";
}

TEST(EvenRuns, PagesAreSharedOutFrontFirst)
{
    using Runs = std::vector<std::pair<int, int>>;
    EXPECT_EQ(page_files::EvenRuns(7, 3), (Runs{{1, 3}, {4, 5}, {6, 7}}));
    EXPECT_EQ(page_files::EvenRuns(6, 3), (Runs{{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(page_files::EvenRuns(5, 1), (Runs{{1, 5}}));
    EXPECT_EQ(page_files::EvenRuns(4, 4), (Runs{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    // More files than pages once failed here while the program gave one page
    // a file; both now give one page a file.
    EXPECT_EQ(page_files::EvenRuns(3, 4), (Runs{{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(page_files::EvenRuns(3, 0), (Runs{{1, 3}}));
    EXPECT_EQ(page_files::EvenRuns(0, 2), Runs{});
}

// A cut of three pieces that writes the first at once and the others only
// when the test lets it, or fails there.
class HeldCut : public ::testing::Test {
protected:
    PageCut::Work work(bool fail)
    {
        return [this, fail](const PieceFeed& feed) {
            feed.written(0);
            go_.get_future().wait();
            if (fail)
                throw EngineError("LibreOffice 意外退出");
            feed.written(1);
            feed.written(2);
        };
    }
    static bool pending(std::future<void>& waiter)
    {
        return waiter.wait_for(std::chrono::milliseconds(100)) == std::future_status::timeout;
    }
    std::promise<void> go_;
};

TEST_F(HeldCut, APieceIsHandedOutOnceWrittenAndALaterOneWaitsForItsOwn)
{
    PageCut cut(3, work(false));
    cut.wait(0);
    auto third = std::async(std::launch::async, [&] { cut.wait(2); });
    EXPECT_TRUE(pending(third)) << "piece 3 is not written yet";
    go_.set_value();
    third.get();
    cut.wait();
}

TEST_F(HeldCut, AFailureMidCutEndsTheWaitAndEveryLaterAsk)
{
    PageCut cut(3, work(true));
    cut.wait(0);
    auto third = std::async(std::launch::async, [&] { cut.wait(2); });
    EXPECT_TRUE(pending(third));
    go_.set_value();
    EXPECT_THROW(third.get(), EngineError);
    EXPECT_THROW(cut.wait(0), EngineError) << "a failed cut hands out nothing more";
    EXPECT_THROW(cut.wait(), EngineError);
}

TEST(PageCut, GoingAwayStopsTheCutAtItsNextStep)
{
    std::atomic<bool> stopped{false};
    {
        PageCut cut(2, [&](const PieceFeed& feed) {
            feed.written(0);
            while (!feed.stopping())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            stopped = true;
            throw EngineError("分割已中止");
        });
        cut.wait(0);
    }
    EXPECT_TRUE(stopped);
}

TEST(Environment, PortAndTokenAreCheckedAndRemovedFromTheEnvironment)
{
    const std::string token = "0123456789abcdef0123456789ABCDEF";
    setenv("TESSARO_ENGINE_PORT", "40123", 1);
    setenv("TESSARO_ENGINE_TOKEN", token.c_str(), 1);
    const Endpoint endpoint = endpointFromEnvironment();
    EXPECT_EQ(endpoint.port, 40123);
    EXPECT_EQ(endpoint.token, token);
    EXPECT_EQ(std::getenv("TESSARO_ENGINE_TOKEN"), nullptr) << "soffice must not inherit the token";
    EXPECT_EQ(std::getenv("TESSARO_ENGINE_PORT"), nullptr);

    const std::pair<const char*, const char*> bad[] = {
        {"0", token.c_str()}, {"70000", token.c_str()}, {"12ab", token.c_str()}, {"4000", "short"},
        {"4000", "0123456789abcdef0123456789abcdeg"}, {nullptr, token.c_str()},
    };
    for (const auto& [port, secret] : bad) {
        if (port)
            setenv("TESSARO_ENGINE_PORT", port, 1);
        setenv("TESSARO_ENGINE_TOKEN", secret, 1);
        EXPECT_THROW(endpointFromEnvironment(), EngineError) << (port ? port : "(unset)") << " " << secret;
    }
}

// Every reference to a named style follows its new name; fonts, automatic
// styles, bookmarks and text that merely look like a style name do not.
TEST(StyleRenaming, RenamesNamedStylesAndEveryReferenceOnly)
{
    std::string styles =
        R"(<office:font-face-decls><style:font-face style:name="Standard"/></office:font-face-decls>)"
        R"(<office:styles><style:style style:name="Standard" style:family="paragraph"/>)"
        R"(<style:style style:name="Heading_20_1" style:display-name="Heading 1" style:parent-style-name="Standard")"
        R"( style:next-style-name="Text_20_body"/><text:list-style style:name="WWNum1"/></office:styles>)"
        R"(<office:automatic-styles><style:page-layout style:name="pm1"/></office:automatic-styles>)"
        R"(<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="pm1"/></office:master-styles>)";
    std::string content =
        R"(<office:automatic-styles><style:style style:name="P1" style:parent-style-name="Heading_20_1")"
        R"( style:master-page-name="Standard"/></office:automatic-styles>)"
        R"(<text:h text:style-name="P1">Standard</text:h><text:p text:style-name="Standard" text:list-style-name="WWNum1">)"
        R"(<text:bookmark text:name="Standard"/></text:p><text:p text:style-name="Text_20_body"/>)";
    renameStylesInXml(styles, content, 3);
    EXPECT_EQ(styles,
              R"(<office:font-face-decls><style:font-face style:name="Standard"/></office:font-face-decls>)"
              R"(<office:styles><style:style style:name="Standard-3" style:family="paragraph"/>)"
              R"x(<style:style style:name="Heading_20_1-3" style:display-name="Heading 1 (3)" style:parent-style-name="Standard-3")x"
              R"( style:next-style-name="Text_20_body"/><text:list-style style:name="WWNum1-3"/></office:styles>)"
              R"(<office:automatic-styles><style:page-layout style:name="pm1"/></office:automatic-styles>)"
              R"(<office:master-styles><style:master-page style:name="Standard-3" style:page-layout-name="pm1"/></office:master-styles>)");
    EXPECT_EQ(content,
              R"(<office:automatic-styles><style:style style:name="P1" style:parent-style-name="Heading_20_1-3")"
              R"( style:master-page-name="Standard-3"/></office:automatic-styles>)"
              R"(<text:h text:style-name="P1">Standard</text:h><text:p text:style-name="Standard-3" text:list-style-name="WWNum1-3">)"
              R"(<text:bookmark text:name="Standard"/></text:p><text:p text:style-name="Text_20_body"/>)");
}

// Where every paragraph lets punctuation hang, the element goes (Word and
// the office both take that as the default); where one does not, each
// element is written the way the office reads it, across all parts at once.
// Look-alikes (another element, the text) stay as they are.
TEST(HangingPunctuation, IsWrittenAsTheOfficeReadsItBack)
{
    std::vector<std::string> hanging{
        R"(<w:pPr><w:overflowPunct w:val="true"/><w:overflowPunctX/></w:pPr>)",
        R"(<w:p><w:pPr><w:overflowPunct/></w:pPr><w:t>&lt;w:overflowPunct</w:t></w:p>)"};
    EXPECT_TRUE(keepHangingPunctuationInXml(hanging));
    EXPECT_EQ(hanging[0], R"(<w:pPr><w:overflowPunctX/></w:pPr>)");
    EXPECT_EQ(hanging[1], R"(<w:p><w:pPr></w:pPr><w:t>&lt;w:overflowPunct</w:t></w:p>)");

    std::vector<std::string> mixed{
        R"(<w:style><w:overflowPunct w:val="true"/></w:style>)",
        R"(<w:p><w:overflowPunct w:val="false"></w:overflowPunct></w:p><w:p><w:overflowPunct w:val="0"/></w:p>)"};
    EXPECT_TRUE(keepHangingPunctuationInXml(mixed));
    EXPECT_EQ(mixed[0], R"(<w:style><w:overflowPunct w:val="false"/></w:style>)");
    EXPECT_EQ(mixed[1], R"(<w:p><w:overflowPunct w:val="true"/></w:p><w:p><w:overflowPunct w:val="true"/></w:p>)");

    std::vector<std::string> none{R"(<w:p><w:t>没有</w:t></w:p>)"};
    EXPECT_FALSE(keepHangingPunctuationInXml(none));
    EXPECT_EQ(none[0], R"(<w:p><w:t>没有</w:t></w:p>)");
}

}  // namespace
}  // namespace tessaro
