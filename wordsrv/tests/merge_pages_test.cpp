// The program's own merge, run as the window runs it (on a job thread, with
// the Word it starts), over documents of many looks made by more than one
// tool: the count it tells is the page count of the file it saved, opened
// again. What each page of those files looks like is proven afterwards on
// the Linux side, where LibreOffice can lay them out (WordServer.MergedPages).
#include "processes.h"
#include "reopened_pages.h"
#include "test_documents.h"

#include "word/commands.h"
#include "word/job_thread.h"
#include "word/output_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace wordsrv::test {
namespace {

using namespace std::chrono_literals;
using tessaro::AddedDocument;

// The corpus names its documents after their place in the merge ("1-...").
std::vector<AddedDocument> corpus()
{
    std::vector<AddedDocument> rows;
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((documents() + L"\\?-*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do
            if (iswdigit(data.cFileName[0]))
                rows.push_back({data.cFileName, documents()});
        while (FindNextFileW(search, &data));
        FindClose(search);
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.file_name < b.file_name; });
    return rows;
}

class MergedCorpus : public ::testing::Test {
protected:
    // Merges the corpus into merged\NAME and returns the count the program told.
    static long merge(const std::wstring& name, bool pageBreaks)
    {
        const std::vector<AddedDocument> rows = corpus();
        EXPECT_EQ(rows.size(), 6u) << "the corpus is incomplete";
        tessaro::word::MergeOptions options;
        options.output_path = document(L"merged\\" + name);
        CreateDirectoryW(document(L"merged").c_str(), nullptr);
        DeleteFileW(options.output_path.c_str());
        options.keep_formatting = pageBreaks;
        options.update_fields = true;
        EXPECT_FALSE(tessaro::word::MergeOutputProblem(options.output_path, rows));
        tessaro::word::JobThread job(
            [&](tessaro::word::Progress& progress, const tessaro::word::ShowMessage& show) {
                tessaro::word::MergeInWord(rows, options, tessaro::word::StartInstalledWord, show, progress);
            },
            nullptr);
        job.Wait();
        const std::vector<std::wstring> messages = job.TakeMessages();
        EXPECT_TRUE(nothingLeft(20s)) << "the program left Word running";
        std::wsmatch told;
        const std::wregex success(L"合并成功!新生成的文档一共:(\\d+)页");
        if (messages.size() != 1 || !std::regex_match(messages[0], told, success)) {
            ADD_FAILURE() << toUtf8(name) << ": " << (messages.empty() ? "no message" : toUtf8(messages[0]));
            return -1;
        }
        return std::stol(told[1].str());
    }

    static void expectSavedPages(const std::wstring& name, bool pageBreaks)
    {
        const long told = merge(name, pageBreaks);
        EXPECT_EQ(pagesOf(document(L"merged\\" + name)), told);
    }
};

// The count told is that of the merged document before it is saved: the
// saved file, opened again, has those pages in every format (the .docx once
// had more: Chinese text came back without its hanging punctuation). One
// merge a test, each well within its time.
TEST_F(MergedCorpus, WithPageBreaksAsOdtTheSavedFileHasThePagesTold)
{
    expectSavedPages(L"breaks.odt", true);
}

TEST_F(MergedCorpus, WithPageBreaksAsDocTheSavedFileHasThePagesTold)
{
    expectSavedPages(L"breaks.doc", true);
}

TEST_F(MergedCorpus, WithPageBreaksAsDocxTheSavedFileHasThePagesTold)
{
    expectSavedPages(L"breaks.docx", true);
}

TEST_F(MergedCorpus, WithoutPageBreaksTheSavedFileHasThePagesTold)
{
    expectSavedPages(L"no-breaks.docx", false);
}

}  // namespace
}  // namespace wordsrv::test
