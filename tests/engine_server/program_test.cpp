// The program's own merge and split code, with its messages, against the
// Word server: what a user gets from "合并" and "分割" on a machine without Word.
#include "processes.h"
#include "test_documents.h"
#include "text.h"
#include "word_client.h"

#include "app/added_document.h"
#include "word/commands.h"
#include "word/start_word.h"

#include <gtest/gtest.h>

namespace wordsrv::test {
namespace {

using namespace std::chrono_literals;
using tessaro::AddedDocument;

class ProgramThroughServer : public ::testing::Test {
protected:
    AddedDocument row(const wchar_t* name) const { return {name, documents()}; }

    // Page counts as the engine sees them, through a Word of our own.
    static long pagesOf(const std::wstring& path)
    {
        try {
            Dispatch word = Dispatch::create(L"Word.Application");
            Dispatch doc = word.object(L"Documents").object(L"Open", {named(L"FileName", path), named(L"ReadOnly", true)});
            const long pages = doc.object(L"Content").number(L"Information", {4});
            word.call(L"Quit", {named(L"SaveChanges", 0)});
            return pages;
        } catch (const ComFailure& e) {
            ADD_FAILURE() << std::hex << e.code << " " << toUtf8(e.description);
            return -1;
        }
    }

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
    options.output_path = folder + L"\\missing folder\\out.docx";
    const auto messages = run([&](const auto& show) {
        tessaro::word::RunMerge({row(L"locked.doc"), row(L"丙.docx"), row(L"damaged.docx")}, options, show);
    });
    ASSERT_EQ(messages.size(), 1u);
    const std::wstring& text = messages[0];
    EXPECT_EQ(text.rfind(L"合并未完全成功!", 0), 0u) << text;
    // Each line says why, in the words of the engine behind the server.
    EXPECT_NE(text.find(L"无法打开文档: " + documents() + L"\\locked.doc (文档有密码保护)"), std::wstring::npos)
        << toUtf8(text);
    EXPECT_NE(text.find(L"无法打开文档: " + documents() + L"\\damaged.docx (不是 Word 文档，文件已损坏或格式不支持)"),
              std::wstring::npos)
        << toUtf8(text);
    EXPECT_NE(text.find(L"无法保存文档: " + options.output_path + L" (文件夹不存在)"), std::wstring::npos)
        << toUtf8(text);
}

// The Word the program starts, with one Linux process of the server killed
// just before the third document is opened.
class KilledPartWay final : public tessaro::word::Application {
public:
    KilledPartWay(std::unique_ptr<Application> word, std::string victim) : word_(std::move(word)), victim_(std::move(victim)) {}

    tessaro::word::Status DisableAlerts() override { return word_->DisableAlerts(); }
    tessaro::word::Status SetVisible(bool visible) override { return word_->SetVisible(visible); }
    tessaro::word::Status Activate() override { return word_->Activate(); }
    tessaro::word::Status Maximize() override { return word_->Maximize(); }
    tessaro::word::Result<std::unique_ptr<tessaro::word::Document>> Open(const std::wstring& path,
                                                                          tessaro::word::OpenMode mode) override
    {
        if (++opens_ == 3) {
            const auto victims = linuxProcesses(victim_);
            EXPECT_EQ(victims.size(), 1u) << victim_;
            for (const int pid : victims)
                EXPECT_TRUE(killLinuxProcess(pid, 10s));
        }
        return word_->Open(path, mode);
    }
    tessaro::word::Status EndOfDocument() override { return word_->EndOfDocument(); }
    tessaro::word::Status InsertPageBreak() override { return word_->InsertPageBreak(); }
    tessaro::word::Status InsertFile(const std::wstring& path) override { return word_->InsertFile(path); }
    tessaro::word::Status NextPage() override { return word_->NextPage(); }
    tessaro::word::Status Quit() override { return word_->Quit(); }

private:
    std::unique_ptr<Application> word_;
    std::string victim_;
    int opens_ = 0;
};

TEST_F(ProgramThroughServer, AKilledEngineOrLibreOfficeEndsTheMergeWithOneLineNamingTheCause)
{
    const std::pair<const char*, const wchar_t*> cases[] = {{"tessaro-engine", L"文档引擎已退出"},
                                                            {"soffice.bin", L"LibreOffice"}};
    for (const auto& [victim, cause] : cases) {
        const std::wstring out = emptyFolder(L"program-killed") + L"\\合并.docx";
        tessaro::word::MergeOptions options;
        options.output_path = out;
        const std::vector<AddedDocument> rows{row(L"甲 文档.docx"), row(L"乙.doc"), row(L"丙.docx"), row(L"five.docx"),
                                              row(L"seven.docx")};
        const auto messages = run([&](const auto& show) {
            tessaro::word::Merge(
                rows, options,
                [&]() -> std::unique_ptr<tessaro::word::Application> {
                    return std::make_unique<KilledPartWay>(tessaro::word::StartWord(), victim);
                },
                show);
        });
        ASSERT_EQ(messages.size(), 1u) << victim;
        EXPECT_EQ(messages[0].rfind(L"Word 已意外退出,合并未完成: ", 0), 0u) << toUtf8(messages[0]);
        EXPECT_NE(messages[0].find(cause), std::wstring::npos) << toUtf8(messages[0]);
        EXPECT_EQ(messages[0].find(L'\n'), std::wstring::npos) << toUtf8(messages[0]);
        EXPECT_EQ(GetFileAttributesW(out.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing is saved";
        EXPECT_TRUE(nothingLeft(20s)) << victim;
    }
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

}  // namespace
}  // namespace wordsrv::test
