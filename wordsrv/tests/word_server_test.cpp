// The Word automation server end to end: the calls the program makes for a
// merge and a split, through COM to wordsrv, the engine and LibreOffice, on
// documents LibreOffice wrote for this run.
#include "processes.h"
#include "test_documents.h"
#include "base/text.h"
#include "word_client.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace wordsrv::test {
namespace {

using namespace std::chrono_literals;

std::wstring failure(const std::function<void()>& action, HRESULT expected = DISP_E_EXCEPTION)
{
    try {
        action();
    } catch (const ComFailure& e) {
        EXPECT_EQ(e.code, expected) << e.description;
        return e.description;
    }
    return L"no error";
}

// The positions of the markers in the text, all found and in order.
void expectInOrder(const std::wstring& text, std::initializer_list<const wchar_t*> markers)
{
    size_t at = 0;
    for (const wchar_t* marker : markers) {
        const size_t found = text.find(marker, at);
        ASSERT_NE(found, std::wstring::npos) << "missing or out of order: " << toUtf8(marker) << " in " << toUtf8(text);
        at = found;
    }
}

class WordServer : public ::testing::Test {
protected:
    // A Word as the program starts it: hidden, no alerts.
    static Dispatch startWord()
    {
        Dispatch word = Dispatch::create(L"Word.Application");
        word.put(L"Visible", false);
        word.put(L"DisplayAlerts", 0);
        return word;
    }

    // Documents.Open as the program calls it for an input.
    static Dispatch openInput(const Dispatch& word, const std::wstring& path)
    {
        return word.object(L"Documents").object(
            L"Open", {named(L"FileName", path), named(L"ConfirmConversions", false), named(L"ReadOnly", true),
                      named(L"AddToRecentFiles", false), named(L"PasswordDocument", L"\x1f")});
    }

    static long pagesOf(const Dispatch& word, const std::wstring& path)
    {
        Dispatch doc = openInput(word, path);
        const long pages = doc.object(L"Content").number(L"Information", {4});
        doc.call(L"Close", {named(L"SaveChanges", 0)});
        return pages;
    }

    static std::wstring textOf(const Dispatch& word, const std::wstring& path)
    {
        Dispatch doc = openInput(word, path);
        const std::wstring text = doc.object(L"Content").text(L"Text");
        doc.call(L"Close", {named(L"SaveChanges", 0)});
        return text;
    }

    // The merge sequence: first document as base, each further one at the end.
    static long merge(const Dispatch& word, const std::vector<std::wstring>& inputs, bool breaks,
                      const std::wstring& output)
    {
        Dispatch merged = openInput(word, inputs[0]);
        Dispatch selection = word.object(L"Selection");
        for (size_t i = 1; i < inputs.size(); ++i) {
            openInput(word, inputs[i]).call(L"Close", {named(L"SaveChanges", 0)});
            selection.call(L"EndKey", {named(L"Unit", 6)});
            if (breaks)
                selection.call(L"InsertBreak", {named(L"Type", 7)});
            selection.call(L"InsertFile", {named(L"FileName", inputs[i]), named(L"Range", L""),
                                           named(L"ConfirmConversions", false), named(L"Link", false),
                                           named(L"Attachment", false)});
        }
        const long pages = merged.object(L"Content").number(L"Information", {4});
        merged.object(L"Content").call(L"Select");
        EXPECT_EQ(merged.object(L"Content").object(L"Fields").number(L"Update"), 0) << "the first field that failed";
        merged.call(L"SaveAs", {named(L"FileName", output)});
        merged.call(L"Close", {named(L"SaveChanges", 0)});
        return pages;
    }

    void TearDown() override { EXPECT_TRUE(nothingLeft(20s)) << "a server, engine or soffice is still running"; }

    const std::vector<std::wstring> inputs_{document(L"甲 文档.docx"), document(L"乙.doc"), document(L"丙.docx")};
};

TEST_F(WordServer, MergesThreeDocumentsInListOrderWithAndWithoutPageBreaks)
{
    std::vector<std::string> before;
    for (const auto& input : inputs_)
        before.push_back(fileBytes(input));
    const std::wstring folder = emptyFolder(L"merge");
    {
        Dispatch word = startWord();
        const long withBreaks = merge(word, inputs_, true, folder + L"\\合并 结果.docx");
        const long without = merge(word, inputs_, false, folder + L"\\joined.doc");
        const long sum = pagesOf(word, inputs_[0]) + pagesOf(word, inputs_[1]) + pagesOf(word, inputs_[2]);
        EXPECT_EQ(withBreaks, sum);
        EXPECT_LE(without, withBreaks);
        EXPECT_EQ(pagesOf(word, folder + L"\\合并 结果.docx"), withBreaks);
        EXPECT_EQ(pagesOf(word, folder + L"\\joined.doc"), without);
        expectInOrder(textOf(word, folder + L"\\合并 结果.docx"), {L"甲 第1节", L"甲 第2节", L"乙 第1节", L"乙 第2节", L"丙 第1节"});
        expectInOrder(textOf(word, folder + L"\\joined.doc"), {L"甲 第2节", L"乙 第1节", L"丙 第1节"});
        word.call(L"Quit");
    }
    for (size_t i = 0; i < inputs_.size(); ++i)
        EXPECT_EQ(fileBytes(inputs_[i]), before[i]) << "input changed";
}

// The split sequence as the program makes it: the pages' positions first,
// then each run of pages as formatted text into a new document, never
// through the clipboard.
std::vector<std::pair<long, long>> pagePositions(const Dispatch& word, const Dispatch& source)
{
    Dispatch start = source.object(L"Content");
    start.call(L"Collapse", {named(L"Direction", 1)});
    start.call(L"Select");
    const long pages = source.object(L"Content").number(L"Information", {4});
    std::vector<std::pair<long, long>> positions;
    for (long i = 1; i <= pages; ++i) {
        Dispatch page = source.object(L"Bookmarks").object(L"Item", {L"\\page"}).object(L"Range");
        positions.emplace_back(page.number(L"Start"), page.number(L"End"));
        if (i < pages) {
            Dispatch browser = word.object(L"Browser");
            browser.put(L"Target", 1);
            browser.call(L"Next");
        }
    }
    return positions;
}

// `look` asks the new document for its pages before it is saved, which the
// server cannot answer without building it.
void savePiece(const Dispatch& word, const Dispatch& source, long start, long end, const std::wstring& path,
               bool look = false)
{
    Dispatch piece = word.object(L"Documents").object(L"Add");
    Dispatch text = source.object(L"Range", {named(L"Start", start), named(L"End", end)}).object(L"FormattedText");
    piece.object(L"Content").put(L"FormattedText", Arg(text));
    if (look) {
        EXPECT_EQ(piece.object(L"Content").number(L"Information", {4}), end - start);
    }
    piece.call(L"SaveAs", {named(L"FileName", path)});
    piece.call(L"Close", {named(L"SaveChanges", 0)});
}

TEST_F(WordServer, SplitsEachPageIntoAFileOfItsOwnAndEvenlyIntoRuns)
{
    const std::wstring folder = emptyFolder(L"split");
    Dispatch word = startWord();
    {
        Dispatch source = openInput(word, document(L"five.docx"));
        const auto pages = pagePositions(word, source);
        ASSERT_EQ(pages.size(), 5u);
        for (size_t i = 0; i < pages.size(); ++i)
            savePiece(word, source, pages[i].first, pages[i].second,
                      folder + L"\\five_" + std::to_wstring(i + 1) + L".docx", i == 1);
        EXPECT_EQ(source.text(L"FullName"), document(L"five.docx"));
        source.call(L"Close", {named(L"SaveChanges", 0)});
    }
    {
        // 7 pages into 3 files: 3, 2 and 2 pages.
        Dispatch source = openInput(word, document(L"seven.docx"));
        const auto pages = pagePositions(word, source);
        ASSERT_EQ(pages.size(), 7u);
        const size_t runs[][2] = {{0, 2}, {3, 4}, {5, 6}};
        for (size_t i = 0; i < 3; ++i)
            savePiece(word, source, pages[runs[i][0]].first, pages[runs[i][1]].second,
                      folder + L"\\seven_" + std::to_wstring(i + 1) + L".docx");
        source.call(L"Close", {named(L"SaveChanges", 0)});
    }
    for (long i = 1; i <= 5; ++i) {
        const std::wstring piece = folder + L"\\five_" + std::to_wstring(i) + L".docx";
        EXPECT_EQ(pagesOf(word, piece), 1);
        const std::wstring text = textOf(word, piece);
        EXPECT_NE(text.find(L"五页 第" + std::to_wstring(i) + L"节"), std::wstring::npos) << i;
        EXPECT_EQ(text.find(L"五页 第" + std::to_wstring(i % 5 + 1) + L"节"), std::wstring::npos) << i;
    }
    const long expected[] = {3, 2, 2};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pagesOf(word, folder + L"\\seven_" + std::to_wstring(i + 1) + L".docx"), expected[i]);
    expectInOrder(textOf(word, folder + L"\\seven_2.docx"), {L"七页 第4节", L"七页 第5节"});
    word.call(L"Quit", {named(L"SaveChanges", 0)});
}

TEST_F(WordServer, BadInputsAndAMissingFolderFailAtOnceWithAShortChineseCause)
{
    Dispatch word = startWord();
    EXPECT_EQ(failure([&] { openInput(word, document(L"locked.doc")); }), L"文档有密码保护");
    const std::wstring damaged = failure([&] { openInput(word, document(L"damaged.docx")); });
    EXPECT_NE(damaged.find(L"文件已损坏"), std::wstring::npos) << toUtf8(damaged);
    EXPECT_EQ(damaged.find(L"damaged.docx"), std::wstring::npos) << "the program names the file itself";
    EXPECT_EQ(failure([&] { openInput(word, document(L"missing.docx")); }), L"文件不存在");

    Dispatch merged = openInput(word, inputs_[2]);
    Dispatch selection = word.object(L"Selection");
    const long pages = merged.object(L"Content").number(L"Information", {4});
    selection.call(L"EndKey", {named(L"Unit", 6)});
    failure([&] { selection.call(L"InsertFile", {named(L"FileName", document(L"locked.doc"))}); });
    failure([&] { selection.call(L"InsertFile", {named(L"FileName", document(L"damaged.docx"))}); });
    EXPECT_EQ(merged.object(L"Content").number(L"Information", {4}), pages) << "a bad file must insert nothing";

    const std::wstring noFolder = document(L"no such folder") + L"\\out.docx";
    EXPECT_EQ(failure([&] { merged.call(L"SaveAs", {noFolder}); }), L"文件夹不存在");
    // Arguments Word would take but this server cannot honour are refused, not ignored.
    failure([&] { selection.call(L"EndKey", {named(L"Unit", 5)}); });
    failure([&] { word.object(L"Documents").call(L"Open", {named(L"NoSuchArgument", 1)}); }, DISP_E_UNKNOWNNAME);
    word.call(L"Quit");
    EXPECT_THROW(merged.number(L"FullName"), ComFailure) << "Quit ends the instance";
}

// FileFormat says what is written, the name only where; a name without an
// extension gets the format's, and without FileFormat the document keeps its own.
TEST_F(WordServer, SaveAsWritesTheFormatAskedForWhateverTheName)
{
    const std::wstring folder = emptyFolder(L"formats");
    Dispatch word = startWord();
    word.put(L"AutomationSecurity", 3);
    EXPECT_EQ(word.number(L"AutomationSecurity"), 3);
    Dispatch doc = openInput(word, inputs_[1]);
    doc.call(L"SaveAs", {named(L"FileName", folder + L"\\无扩展名")});
    EXPECT_EQ(doc.text(L"FullName"), folder + L"\\无扩展名.doc");
    doc.call(L"SaveAs", {named(L"FileName", folder + L"\\named.doc"), named(L"FileFormat", 16)});
    doc.call(L"SaveAs", {named(L"FileName", folder + L"\\bare"), named(L"FileFormat", 23)});
    doc.call(L"SaveAs", {named(L"FileName", folder + L"\\page.PDF"), named(L"FileFormat", 17)});
    const std::wstring refused = failure([&] {
        doc.call(L"SaveAs", {named(L"FileName", folder + L"\\text.txt"), named(L"FileFormat", 2)});
    });
    EXPECT_EQ(refused, L"不支持的文件格式") << toUtf8(refused);
    word.call(L"Quit");

    EXPECT_EQ(formatOnDisk(folder + L"\\无扩展名.doc"), "doc");
    EXPECT_EQ(formatOnDisk(folder + L"\\named.doc"), "docx");
    EXPECT_EQ(formatOnDisk(folder + L"\\bare.odt"), "odt");
    EXPECT_EQ(formatOnDisk(folder + L"\\page.PDF"), "pdf");
    // Nothing else: no temporary file is left behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder)))
        ++files;
    EXPECT_EQ(files, 4u);
}

TEST_F(WordServer, AKilledEngineFailsTheNextCallAndLeavesNothingRunning)
{
    Dispatch word = startWord();
    Dispatch merged = openInput(word, inputs_[0]);
    Dispatch selection = word.object(L"Selection");
    selection.call(L"EndKey", {named(L"Unit", 6)});
    const auto engines = linuxProcesses("tessaro-engine");
    ASSERT_EQ(engines.size(), 1u);
    ASSERT_TRUE(killLinuxProcess(engines[0], 10s));
    const auto started = std::chrono::steady_clock::now();
    const std::wstring error = failure([&] { selection.call(L"InsertFile", {named(L"FileName", inputs_[1])}); });
    EXPECT_NE(error.find(L"文档引擎"), std::wstring::npos) << error;
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << "a dead engine must not be waited for";
    failure([&] { merged.call(L"SaveAs", {document(L"never.docx")}); });
}

// Closes the LibreOffice window a test left open for the user, as its own
// menu would, and waits until nothing of the test runs any more.
struct ViewerClosed {
    ~ViewerClosed()
    {
        EXPECT_TRUE(startLinuxProgram(ENGINE_W, L"tessaro-engine close-viewer"));
        EXPECT_TRUE(nothingLeft(40s));
    }
};

TEST_F(WordServer, EndsWithItsLastReferenceOrWithTheClientOfADocumentLeftOpen)
{
    {
        Dispatch word = startWord();
        openInput(word, inputs_[2]);
        EXPECT_EQ(serverProcesses().size(), 1u);
    }
    ASSERT_TRUE(nothingLeft(20s)) << "the last release must end the server";

    // A document left open for the user keeps Word running without any
    // reference; it ends with the client, which Wine does not tell it.
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(ready);
    std::wstring command = L"\"" HOLDER_W L"\" " + std::to_wstring(reinterpret_cast<uintptr_t>(ready)) + L" \"" +
                           inputs_[2] + L"\"";
    SetHandleInformation(ready, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION holder{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &holder));
    ViewerClosed closed;
    const bool held = WaitForSingleObject(ready, 60000) == WAIT_OBJECT_0;
    EXPECT_TRUE(held);
    Sleep(500);
    EXPECT_EQ(serverProcesses().size(), held ? 1u : 0u);
    EXPECT_EQ(linuxProcesses("tessaro-engine").size(), held ? 1u : 0u);
    // With a display the document shows in a LibreOffice window of its own.
    const size_t windows = GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0 ? 1 : 0;
    EXPECT_EQ(linuxProcesses("soffice.bin").size(), held ? 1 + windows : 0u);
    TerminateProcess(holder.hProcess, 1);
    WaitForSingleObject(holder.hProcess, 10000);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    CloseHandle(ready);

    // The window is the user's, with whatever was typed into it: it stays
    // when the client, the server and the engine have gone.
    EXPECT_TRUE(wordEnded(20s));
    EXPECT_EQ(linuxProcesses("soffice.bin").size(), held ? windows : 0u);
}

}  // namespace
}  // namespace wordsrv::test
