// The split against the recording stand-in: page files, their contents and
// names, the even split, and what the user is told.
#include <gtest/gtest.h>

#include "fake_word.h"
#include "word/document_split.h"
#include "contract/page_files.h"
#include "word/split.h"

namespace tessaro {
namespace {

using word::SplitMethod;
using word::SplitOptions;
using Log = std::vector<std::wstring>;

Log Numbered(const wchar_t* prefix, int count) {
  Log pages;
  for (int i = 1; i <= count; ++i) pages.push_back(prefix + std::to_wstring(i));
  return pages;
}

class SplitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    word_.files[L"D:\\in\\report.docx"] = Numbered(L"r", 3);
    word_.files[L"D:\\in\\one.doc"] = {L"o1"};
    word_.files[L"D:\\in\\seven.doc"] = Numbered(L"s", 7);
    options_.output_folder = L"D:\\out";
  }
  void TearDown() override { EXPECT_EQ(word_.running, 0); }

  void Run(const std::vector<AddedDocument>& documents) {
    word::Split(documents, options_, word_.Starter(), word_.Recorder());
  }

  testing::FakeWord word_;
  SplitOptions options_;
  const AddedDocument report_{L"report.docx", L"D:\\in"};
  const AddedDocument one_{L"one.doc", L"D:\\in"};
  const AddedDocument seven_{L"seven.doc", L"D:\\in"};
};

TEST_F(SplitTest, NothingRunsWithoutAFolderADocumentOrAMethod) {
  options_.output_folder = L"";
  Run({report_});
  EXPECT_EQ(word_.messages, Log{L"分割输出路径不能为空！请选定路径后再分割！"});
  options_.output_folder = L"D:\\out";
  Run({});
  options_.method = SplitMethod::kNone;
  Run({report_});
  EXPECT_EQ(word_.messages.size(), 1u);
  EXPECT_EQ(word_.started, 0);
}

TEST_F(SplitTest, EachPageGoesIntoItsOwnNumberedFile) {
  Run({report_, one_});
  EXPECT_EQ(word_.log, (Log{L"Start", L"DisplayAlerts off", L"Macros off", L"Open D:\\in\\report.docx read-only",
                            L"SelectStart", L"PageCount",
                            L"CurrentPage", L"NextPage", L"CurrentPage", L"NextPage", L"CurrentPage",
                            L"NewDocument pages 1-1", L"SaveAs D:\\out\\report_1.docx", L"Close report_1.docx",
                            L"NewDocument pages 2-2", L"SaveAs D:\\out\\report_2.docx", L"Close report_2.docx",
                            L"NewDocument pages 3-3", L"SaveAs D:\\out\\report_3.docx", L"Close report_3.docx",
                            L"Close report.docx", L"Quit"}));
  for (int page = 1; page <= 3; ++page)
    EXPECT_EQ(word_.files[L"D:\\out\\report_" + std::to_wstring(page) + L".docx"], Log{L"r" + std::to_wstring(page)});
  EXPECT_EQ(word_.messages, Log{L"分割完毕!"});
}

TEST_F(SplitTest, BlanksAroundTheFolderAreNotPartOfIt) {
  options_.output_folder = L" \u3000 ";
  Run({one_});
  options_.output_folder = L"  D:\\out\t";
  Run({one_});
  EXPECT_EQ(word_.messages, (Log{L"分割输出路径不能为空！请选定路径后再分割！", L"分割完毕!"}));
  EXPECT_EQ(word_.written, std::set<std::wstring>{L"D:\\out\\one_1.doc"});
}

TEST_F(SplitTest, OnePageDocumentGivesFileOne) {
  Run({one_});
  EXPECT_EQ(word_.written, std::set<std::wstring>{L"D:\\out\\one_1.doc"});
}

TEST_F(SplitTest, DriveRootsAndExistingPageFiles) {
  word_.files[L"C:\\one.doc"] = {L"c1"};
  word_.files[L"D:\\one_1.doc"] = {L"old"};
  options_.output_folder = L"D:\\";
  Run({{L"one.doc", L"C:\\"}});
  EXPECT_EQ(word_.log[3], L"Open C:\\one.doc read-only");
  EXPECT_EQ(word_.files[L"D:\\one_1.doc"], Log{L"c1"});
}

TEST_F(SplitTest, BatchSplitsEveryDocumentInListOrderEachInItsOwnWord) {
  options_.batch = true;
  Run({one_, report_, seven_});
  Log opens;
  for (const std::wstring& line : word_.log)
    if (line == L"Start" || line == L"Quit" || line.starts_with(L"Open ")) opens.push_back(line);
  EXPECT_EQ(opens, (Log{L"Start", L"Open D:\\in\\one.doc read-only", L"Quit",
                        L"Start", L"Open D:\\in\\report.docx read-only", L"Quit",
                        L"Start", L"Open D:\\in\\seven.doc read-only", L"Quit"}));
  EXPECT_EQ(word_.written.size(), 11u);
  EXPECT_EQ(word_.messages, Log{L"分割完毕!"});
}

TEST_F(SplitTest, WithoutBatchOnlyTheFirstDocumentIsSplit) {
  Run({one_, report_});
  EXPECT_EQ(word_.started, 1);
  EXPECT_EQ(word_.written.size(), 1u);
}

TEST_F(SplitTest, FailuresAreReportedAndLaterDocumentsStillSplit) {
  options_.batch = true;
  word_.unopenable.insert(L"D:\\in\\one.doc");
  word_.unsavable.insert(L"D:\\out\\seven_2.doc");
  Run({one_, seven_, report_});
  EXPECT_EQ(word_.messages, Log{L"分割未完全成功!\n无法打开文档: D:\\in\\one.doc (文档有密码保护)\n"
                                L"已生成 1 个文件,无法保存第 2 页: D:\\out\\seven_2.doc (磁盘已满)"});
  // The file written before the failure stays; the document after it is whole.
  EXPECT_EQ(word_.written, (std::set<std::wstring>{L"D:\\out\\seven_1.doc", L"D:\\out\\report_1.docx",
                                                   L"D:\\out\\report_2.docx", L"D:\\out\\report_3.docx"}));
}

TEST_F(SplitTest, UnreadablePagesAreReported) {
  word_.fail_page_count = true;
  Run({report_});
  EXPECT_EQ(word_.messages, Log{L"分割未完全成功!\n无法统计页数: D:\\in\\report.docx (无法确定页数)"});
}

TEST_F(SplitTest, WordThatCannotStartIsReportedAndNothingElseRuns) {
  word_.cannot_start = true;
  options_.batch = true;
  Run({report_, one_});
  EXPECT_EQ(word_.log, Log{L"Start"});
  EXPECT_EQ(word_.messages, Log{L"无法启动Word,请确认已安装Word!"});
}

TEST_F(SplitTest, WordStoppingToStartPartWayKeepsTheReportOfWhatWasDone) {
  options_.batch = true;
  word_.unopenable.insert(L"D:\\in\\report.docx");
  word_.starts_allowed = 2;
  Run({one_, report_, seven_, one_});
  EXPECT_EQ(word_.messages, Log{L"分割未完成: 无法启动Word,请确认已安装Word!\n"
                                L"无法打开文档: D:\\in\\report.docx (文档有密码保护)\n"
                                L"D:\\in\\one.doc: 已生成 1 个文件\n"
                                L"D:\\in\\report.docx: 已生成 0 个文件\n"
                                L"未分割: D:\\in\\seven.doc\n未分割: D:\\in\\one.doc"});
}

TEST_F(SplitTest, WordDyingEndsTheBatchWithOneMessageSayingWhatWasWritten) {
  options_.batch = true;
  word_.dies_at = L"SaveAs D:\\out\\report_3.docx";
  word_.death = {RPC_E_DISCONNECTED, L"LibreOffice 无响应，已终止"};
  Run({one_, report_, seven_});
  EXPECT_EQ(word_.messages, Log{L"Word 已意外退出,分割未完成: LibreOffice 无响应，已终止\n"
                                L"D:\\in\\one.doc: 已生成 1 个文件\n"
                                L"D:\\in\\report.docx: 已生成 2 个文件\n"
                                L"未分割: D:\\in\\seven.doc"});
  EXPECT_EQ(word_.started, 2);
  EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"Close report.docx"), 0) << "nothing more asked of it";
}

TEST_F(SplitTest, AFailedRunOfPagesNamesItsPages) {
  options_.method = SplitMethod::kEven;
  options_.file_count = L"3";
  word_.unsavable.insert(L"D:\\out\\seven_2.doc");
  Run({seven_});
  EXPECT_EQ(word_.messages, Log{L"分割未完全成功!\n已生成 1 个文件,无法保存第 4-5 页: D:\\out\\seven_2.doc (磁盘已满)"});
}

TEST_F(SplitTest, EvenSplitCutsSevenPagesIntoThreeFiles) {
  options_.method = SplitMethod::kEven;
  options_.file_count = L" 3 ";
  Run({seven_});
  EXPECT_EQ(word_.files[L"D:\\out\\seven_1.doc"], (Log{L"s1", L"s2", L"s3"}));
  EXPECT_EQ(word_.files[L"D:\\out\\seven_2.doc"], (Log{L"s4", L"s5"}));
  EXPECT_EQ(word_.files[L"D:\\out\\seven_3.doc"], (Log{L"s6", L"s7"}));
  EXPECT_EQ(word_.written.size(), 3u);
  EXPECT_EQ(word_.messages, Log{L"分割完毕!"});
}

TEST_F(SplitTest, EvenSplitIntoMoreFilesThanPagesGivesOnePagePerFile) {
  options_.method = SplitMethod::kEven;
  options_.file_count = L"99999999999";
  Run({report_});
  EXPECT_EQ(word_.written.size(), 3u);
  EXPECT_EQ(word_.files[L"D:\\out\\report_3.docx"], Log{L"r3"});
}

TEST_F(SplitTest, AnInvalidFileCountIsRefusedBeforeWordStarts) {
  options_.method = SplitMethod::kEven;
  for (const wchar_t* count : {L"", L"  ", L"0", L"abc", L"-2", L"2.5", L"３"}) {
    word_.messages.clear();
    options_.file_count = count;
    Run({seven_});
    EXPECT_EQ(word_.messages, Log{L"请输入有效的分割文件数!"}) << count;
  }
  EXPECT_EQ(word_.started, 0);
}

TEST_F(SplitTest, PageNumbersBeyondSixteenBits) {
  word_.files[L"D:\\in\\seven.doc"] = Log(40000, L"p");
  options_.method = SplitMethod::kEven;
  options_.file_count = L"2";
  Run({seven_});
  EXPECT_EQ(word_.files[L"D:\\out\\seven_2.doc"].size(), 20000u);
}

TEST(EvenRuns, FirstFilesTakeTheRemainder) {
  using Runs = std::vector<std::pair<int, int>>;
  EXPECT_EQ(page_files::EvenRuns(7, 3), (Runs{{1, 3}, {4, 5}, {6, 7}}));
  EXPECT_EQ(page_files::EvenRuns(6, 3), (Runs{{1, 2}, {3, 4}, {5, 6}}));
  EXPECT_EQ(page_files::EvenRuns(2, 5), (Runs{{1, 1}, {2, 2}}));
  EXPECT_EQ(page_files::EvenRuns(5, 1), (Runs{{1, 5}}));
}

TEST(PageFileName, BaseNameNumberAndExtension) {
  EXPECT_EQ(page_files::PageFileName<wchar_t>(L"D:\\out", L"C:\\a b\\v1.2.final.doc", 12, L'\\'),
            L"D:\\out\\v1.2.final_12.doc");
  EXPECT_EQ(page_files::PageFileName<wchar_t>(L"D:\\", L"C:\\中文 文档.docx", 1, L'\\'), L"D:\\中文 文档_1.docx");
  EXPECT_EQ(page_files::PageFileName<wchar_t>(L"D:\\out\\", L"C:\\noext", 2, L'\\'), L"D:\\out\\noext_2");
}

}  // namespace
}  // namespace tessaro
