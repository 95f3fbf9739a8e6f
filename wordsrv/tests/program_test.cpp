// The program's own merge and split code, with its messages, against the
// Word server: what a user gets from "合并" and "分割" on a machine without Word.
#include "processes.h"
#include "reopened_pages.h"
#include "test_documents.h"
#include "base/text.h"
#include "word_client.h"

#include "word/added_document.h"
#include "word/commands.h"
#include "word/job_thread.h"

#include <gtest/gtest.h>

#include <tuple>

namespace wordsrv::test {
namespace {

using namespace std::chrono_literals;
using tessaro::AddedDocument;

class ProgramThroughServer : public ::testing::Test {
protected:
    AddedDocument row(const wchar_t* name) const { return {name, documents()}; }

    std::vector<std::wstring> run(const std::function<void(const tessaro::word::ShowMessage&)>& command)
    {
        std::vector<std::wstring> messages;
        command([&](const std::wstring& text) { messages.push_back(text); });
        return messages;
    }

    void TearDown() override { EXPECT_TRUE(nothingLeft(20s)) << "the program left Word running"; }
};

TEST_F(ProgramThroughServer, MergeReportsThePagesTheResultHas)
{
    const std::wstring out = emptyFolder(L"program-merge") + L"\\合并.docx";
    tessaro::word::MergeOptions options;
    options.output_path = out;
    options.keep_formatting = true;
    options.update_fields = true;
    const auto messages = run([&](const auto& show) {
        tessaro::word::RunMerge({row(L"甲 文档.docx"), row(L"乙.doc"), row(L"丙.docx")}, options, show);
    });
    const long pages = pagesOf(out);
    const long sum = pagesOf(documents() + L"\\甲 文档.docx") + pagesOf(documents() + L"\\乙.doc") +
                     pagesOf(documents() + L"\\丙.docx");
    EXPECT_EQ(pages, sum);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"合并成功!新生成的文档一共:" + std::to_wstring(pages) + L"页") << toUtf8(messages[0]);
}

TEST_F(ProgramThroughServer, MergeOfBadInputsNamesEachFailure)
{
    const std::wstring folder = emptyFolder(L"program-bad");
    tessaro::word::MergeOptions options;
    options.output_path = folder + L"\\out.docx";
    const auto messages = run([&](const auto& show) {
        tessaro::word::RunMerge({row(L"locked.doc"), row(L"丙.docx"), row(L"damaged.docx")}, options, show);
    });
    ASSERT_EQ(messages.size(), 1u);
    const std::wstring& text = messages[0];
    EXPECT_EQ(text.rfind(L"合并未完全成功!", 0), 0u) << text;
    // Each line says why, in the words of the engine behind the server.
    EXPECT_NE(text.find(L"无法打开文档: " + documents() + L"\\locked.doc (文档有密码保护)"), std::wstring::npos)
        << toUtf8(text);
    EXPECT_NE(text.find(L"无法打开文档: " + documents() + L"\\damaged.docx (不是 Word 文档，文件已损坏或是纯文本)"),
              std::wstring::npos)
        << toUtf8(text);
}

// The file is in the format its name says; a name without one takes the
// first document's.
TEST_F(ProgramThroughServer, MergeWritesTheFormatOfTheOutputsName)
{
    const std::wstring folder = emptyFolder(L"program-formats");
    const std::tuple<const wchar_t*, const wchar_t*, const char*> outputs[] = {
        {L"合并.doc", L"合并.doc", "doc"}, {L"合并.docx", L"合并.docx", "docx"}, {L"合并.odt", L"合并.odt", "odt"},
        {L"合并.pdf", L"合并.pdf", "pdf"}, {L"合并", L"合并.docx", "docx"}};
    for (const auto& [name, written, format] : outputs) {
        tessaro::word::MergeOptions options;
        options.output_path = folder + L"\\" + name;
        const auto messages = run([&](const auto& show) {
            tessaro::word::RunMerge({row(L"甲 文档.docx"), row(L"乙.doc")}, options, show);
        });
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].rfind(L"合并成功!", 0), 0u) << toUtf8(messages[0]);
        EXPECT_EQ(formatOnDisk(folder + L"\\" + written), format) << toUtf8(written);
    }
    EXPECT_EQ(pagesOf(folder + L"\\合并.doc"), pagesOf(folder + L"\\合并.docx"));
}

// Nothing is started and nothing is written when the output cannot be used.
TEST_F(ProgramThroughServer, AnUnusableOutputIsRefusedBeforeWordStarts)
{
    const std::wstring input = documents() + L"\\丙.docx";
    std::wstring upper = input;
    for (auto& c : upper)
        c = towupper(c);
    const std::string before = fileBytes(input);
    const std::wstring missing = documents() + L"\\no such folder";
    std::vector<std::wstring> messages;
    for (const std::wstring& output : {upper, missing + L"\\x.docx", std::wstring(L"结果.docx")}) {
        tessaro::word::MergeOptions options;
        options.output_path = output;
        const auto told = run([&](const auto& show) {
            tessaro::word::RunMerge({row(L"甲 文档.docx"), row(L"丙.docx")}, options, show);
        });
        messages.insert(messages.end(), told.begin(), told.end());
        EXPECT_TRUE(serverProcesses().empty());
    }
    tessaro::word::SplitOptions split;
    split.output_folder = missing;
    const auto told = run([&](const auto& show) { tessaro::word::RunSplit({row(L"five.docx")}, split, show); });
    messages.insert(messages.end(), told.begin(), told.end());
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"输出文件不能是要合并的文档: " + upper, L"输出文件夹不存在: " + missing,
                                                   L"请输入完整的路径", L"输出文件夹不存在: " + missing}));
    EXPECT_EQ(fileBytes(input), before);
}

TEST_F(ProgramThroughServer, SplitPerPageInABatchAndEvenly)
{
    const std::wstring folder = emptyFolder(L"program-split");
    tessaro::word::SplitOptions options;
    options.output_folder = folder;
    options.batch = true;
    auto messages = run([&](const auto& show) {
        tessaro::word::RunSplit({row(L"five.docx"), row(L"丙.docx")}, options, show);
    });
    EXPECT_EQ(messages, std::vector<std::wstring>{L"分割完毕!"});
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(pagesOf(folder + L"\\five_" + std::to_wstring(i) + L".docx"), 1) << i;
    EXPECT_EQ(GetFileAttributesW((folder + L"\\five_6.docx").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(pagesOf(folder + L"\\丙_1.docx"), 1);

    options.batch = false;
    options.method = tessaro::word::SplitMethod::kEven;
    options.file_count = L"3";
    messages = run([&](const auto& show) { tessaro::word::RunSplit({row(L"seven.docx")}, options, show); });
    EXPECT_EQ(messages, std::vector<std::wstring>{L"分割完毕!"});
    const long expected[] = {3, 2, 2};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pagesOf(folder + L"\\seven_" + std::to_wstring(i + 1) + L".docx"), expected[i]) << i;
}

// The split as the window runs it, on a thread of its own, cancelled while its
// third page file is being written: the files already written stay, each one
// whole page, nothing half-written is left, and Word, the engine and
// LibreOffice are gone (TearDown).
TEST_F(ProgramThroughServer, ALongSplitCancelledPartWayLeavesOnlyWholePageFiles)
{
    const std::wstring folder = emptyFolder(L"program-split-cancel");
    tessaro::word::SplitOptions options;
    options.output_folder = folder;
    const std::vector<AddedDocument> documents{row(L"long.docx")};
    tessaro::word::JobThread job(
        [&](tessaro::word::Progress& progress, const tessaro::word::ShowMessage& show) {
            tessaro::word::Split(documents, options, tessaro::word::StartInstalledWord, show, progress);
        },
        nullptr);
    const ULONGLONG deadline = GetTickCount64() + 150000;
    while (job.Running() && job.Now().text.find(L"分割: 第 3/") == std::wstring::npos && GetTickCount64() < deadline)
        Sleep(10);
    ASSERT_TRUE(job.Running()) << "the split ended before it could be cancelled";
    job.Cancel();
    job.Wait();

    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(data.cFileName);
        while (FindNextFileW(search, &data));
        FindClose(search);
    }
    const int written = static_cast<int>(files.size());
    EXPECT_EQ(job.TakeMessages(), std::vector<std::wstring>{tessaro::word::SplitCancelledText(written)});
    EXPECT_GE(written, 3);
    EXPECT_LE(written, 4) << "the split went on long after the cancel";
    for (int i = 1; i <= written; ++i)
        EXPECT_EQ(pagesOf(folder + L"\\long_" + std::to_wstring(i) + L".docx"), 1) << i;
}

}  // namespace
}  // namespace wordsrv::test
