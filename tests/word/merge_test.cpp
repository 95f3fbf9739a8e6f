// The merge against the recording stand-in: the order of the Word calls, the
// merged pages, and what the user is told.
#include <gtest/gtest.h>

#include "fake_word.h"
#include "scratch_folder.h"
#include "word/merge.h"

namespace tessaro {
namespace {

using word::MergeOptions;
using Log = std::vector<std::wstring>;

class MergeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    word_.files[L"D:\\in\\A.doc"] = {L"A1", L"A2"};
    word_.files[L"D:\\in\\B.doc"] = {L"B1"};
    word_.files[L"D:\\in\\C.doc"] = {L"C1"};
    options_.output_path = L"D:\\out\\all.doc";
  }
  // Every instance a merge starts is ended, unless the result was left open.
  void TearDown() override { EXPECT_EQ(word_.running, expect_running_); }

  void Run(const std::vector<AddedDocument>& documents) {
    word::Merge(documents, options_, word_.Starter(), word_.Recorder());
  }
  std::vector<std::wstring> Output() { return word_.files[L"D:\\out\\all.doc"]; }

  testing::FakeWord word_;
  MergeOptions options_;
  int expect_running_ = 0;
  const std::vector<AddedDocument> abc_{{L"A.doc", L"D:\\in"}, {L"B.doc", L"D:\\in"}, {L"C.doc", L"D:\\in\\"}};
};

TEST_F(MergeTest, AnEmptyOrBlankOutputPathIsRefusedBeforeWordStarts) {
  for (const wchar_t* path : {L"", L"   ", L"\u3000 "}) {
    word_.messages.clear();
    options_.output_path = path;
    Run(abc_);
    EXPECT_EQ(word_.messages, Log{L"输出目录为空,请输入目录并重新合并!"}) << path;
  }
  EXPECT_EQ(word_.started, 0);
}

TEST_F(MergeTest, AnEmptyListDoesNothing) {
  Run({});
  EXPECT_TRUE(word_.log.empty());
  EXPECT_TRUE(word_.messages.empty());
}

TEST_F(MergeTest, OneDocumentStartsAndEndsWordAndWritesNothing) {
  Run({abc_[0]});
  EXPECT_EQ(word_.log, (Log{L"Start", L"DisplayAlerts off", L"Macros off", L"Visible false", L"Activate",
                            L"Maximize", L"Quit"}));
  EXPECT_EQ(word_.messages, Log{L"只有一个文档无需合并!"});
  EXPECT_TRUE(word_.written.empty());
}

TEST_F(MergeTest, KeepingFormatsPutsEachDocumentOnNewPages) {
  options_.keep_formatting = true;
  Run(abc_);
  EXPECT_EQ(word_.log, (Log{L"Start", L"DisplayAlerts off", L"Macros off", L"Visible false", L"Activate",
                            L"Maximize", L"Open D:\\in\\A.doc read-only",
                            L"Open D:\\in\\B.doc read-only", L"Close B.doc",
                            L"EndKey", L"InsertBreak", L"InsertFile D:\\in\\B.doc",
                            L"Open D:\\in\\C.doc read-only", L"Close C.doc",
                            L"EndKey", L"InsertBreak", L"InsertFile D:\\in\\C.doc",
                            L"PageCount", L"SaveAs D:\\out\\all.doc", L"Close all.doc", L"Quit"}));
  EXPECT_EQ(Output(), (Log{L"A1", L"A2", L"B1", L"C1"}));
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:4页"});
  EXPECT_EQ(word_.written, std::set<std::wstring>{L"D:\\out\\all.doc"});
}

TEST_F(MergeTest, WithoutKeepingFormatsEachDocumentRunsOnAtTheEnd) {
  Run(abc_);
  EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"InsertBreak"), 0);
  EXPECT_EQ(Output(), (Log{L"A1", L"A2B1C1"}));
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:2页"});
}

TEST_F(MergeTest, DriveRootFoldersGetNoSecondBackslash) {
  word_.files[L"C:\\A.doc"] = {L"R"};
  Run({{L"A.doc", L"C:\\"}, {L"B.doc", L"D:\\in"}});
  EXPECT_EQ(word_.log[6], L"Open C:\\A.doc read-only");
  EXPECT_EQ(word_.log[10], L"InsertFile D:\\in\\B.doc");
  EXPECT_EQ(Output(), Log{L"RB1"});
}

TEST_F(MergeTest, FieldsPrintAndOpenResultComeInTheirPlaces) {
  options_.update_fields = options_.print = options_.open_result = true;
  Run(abc_);
  const Log tail(word_.log.end() - 7, word_.log.end());
  EXPECT_EQ(tail, (Log{L"PageCount", L"UpdateFields", L"SaveAs D:\\out\\all.doc", L"PrintOut", L"Close all.doc",
                       L"Open D:\\out\\all.doc", L"Visible true"}));
  // The result stays open in a Word the user can see.
  EXPECT_TRUE(word_.left_visible);
  expect_running_ = 1;
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:2页"});
}

TEST_F(MergeTest, WordThatCannotStartIsReportedAndNothingElseRuns) {
  word_.cannot_start = true;
  Run(abc_);
  EXPECT_EQ(word_.log, Log{L"Start"});
  EXPECT_EQ(word_.messages, Log{L"无法启动Word,请确认已安装Word!"});
}

TEST_F(MergeTest, AFirstDocumentThatCannotOpenLeavesTheNextAsTheBase) {
  word_.unopenable.insert(L"D:\\in\\A.doc");
  word_.uninsertable.insert(L"D:\\in\\C.doc");
  Run(abc_);
  EXPECT_EQ(Output(), Log{L"B1"});
  EXPECT_EQ(word_.messages, Log{L"合并未完全成功!\n无法打开文档: D:\\in\\A.doc (文档有密码保护)\n"
                                L"无法插入文档: D:\\in\\C.doc (文件已损坏)\n"
                                L"新生成的文档一共:1页"});
}

TEST_F(MergeTest, AProtectedLaterDocumentFailsAtItsOpenAndIsNeverInserted) {
  word_.unopenable.insert(L"D:\\in\\B.doc");
  Run(abc_);
  EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"InsertFile D:\\in\\B.doc"), 0);
  EXPECT_EQ(Output(), (Log{L"A1", L"A2C1"}));
  EXPECT_EQ(word_.messages, Log{L"合并未完全成功!\n无法打开文档: D:\\in\\B.doc (文档有密码保护)\n新生成的文档一共:2页"});
}

TEST_F(MergeTest, FailuresAfterTheInsertsAreListedInOrderWithoutACountWhenNotSaved) {
  options_.update_fields = options_.print = options_.open_result = true;
  word_.fail_fields = word_.fail_print = true;
  word_.unsavable.insert(L"D:\\out\\all.doc");
  Run(abc_);
  EXPECT_EQ(word_.messages, Log{L"合并未完全成功!\n无法更新域代码 (第 2 个域无法更新)\n"
                                L"无法保存文档: D:\\out\\all.doc (磁盘已满)\n无法打印文档 (没有默认打印机)"});
  // Nothing to show, so the instance is ended although the result was to stay open.
  EXPECT_EQ(word_.log.back(), L"Quit");
}

TEST_F(MergeTest, APageCountThatCannotBeReadIsNotASuccess) {
  word_.fail_page_count = true;
  Run(abc_);
  EXPECT_EQ(word_.messages, Log{L"合并未完全成功!\n无法统计页数 (无法确定页数)"});
}

TEST_F(MergeTest, NoDocumentOpensNothingIsSavedAndWordEnds) {
  word_.unopenable = {L"D:\\in\\A.doc", L"D:\\in\\B.doc", L"D:\\in\\C.doc"};
  Run(abc_);
  EXPECT_TRUE(word_.written.empty());
  EXPECT_EQ(word_.log.back(), L"Quit");
  EXPECT_EQ(word_.messages, Log{L"合并未完全成功!\n无法打开文档: D:\\in\\A.doc (文档有密码保护)\n"
                                L"无法打开文档: D:\\in\\B.doc (文档有密码保护)\n"
                                L"无法打开文档: D:\\in\\C.doc (文档有密码保护)"});
}

TEST_F(MergeTest, WordDyingAtAnyStepEndsTheMergeWithOneMessageAndSavesNothing) {
  const std::vector<AddedDocument> many{abc_[0], abc_[1], abc_[2], abc_[1], abc_[2]};
  options_.update_fields = options_.print = options_.open_result = true;
  for (const wchar_t* step : {L"Open D:\\in\\A.doc read-only", L"InsertFile D:\\in\\B.doc",
                              L"Open D:\\in\\C.doc read-only", L"PageCount", L"UpdateFields",
                              L"SaveAs D:\\out\\all.doc"}) {
    word_.log.clear();
    word_.messages.clear();
    word_.dies_at = step;
    // Our own server describes what it lost; Word itself gives a bare code.
    word_.death = {RPC_E_DISCONNECTED, L"LibreOffice 意外退出"};
    Run(many);
    EXPECT_EQ(word_.messages, Log{L"Word 已意外退出,合并未完成: LibreOffice 意外退出"}) << step;
    EXPECT_TRUE(word_.written.empty()) << step;
    // Nothing is asked of the dead Word but to quit.
    const auto death = std::find(word_.log.begin(), word_.log.end(), step);
    EXPECT_EQ(Log(death + 1, word_.log.end()), Log{L"Quit"}) << step;
  }
}

TEST_F(MergeTest, AWordThatStopsAnsweringIsLeftAloneAfterOneMessage) {
  word_.dies_at = L"InsertFile D:\\in\\B.doc";
  word_.death = {RPC_E_CALL_REJECTED, L"Word 长时间没有响应 (0x80010001)"};
  Run(abc_);
  EXPECT_EQ(word_.messages, Log{L"Word 没有响应,合并未完成: Word 长时间没有响应 (0x80010001)"});
  EXPECT_EQ(word_.log.back(), L"InsertFile D:\\in\\B.doc") << "Quit would wait for it again";
  expect_running_ = 1;
}

TEST_F(MergeTest, PageCountsBeyondSixteenBits) {
  word_.files[L"D:\\in\\A.doc"] = Log(40000, L"p");
  options_.keep_formatting = true;
  Run(abc_);
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:40002页"});
}

TEST_F(MergeTest, InputsAreNeverWritten) {
  options_.output_path = L"D:\\in\\A.doc";
  Run(abc_);
  EXPECT_TRUE(word_.written.empty());
  EXPECT_EQ(word_.files[L"D:\\in\\A.doc"], (Log{L"A1", L"A2"}));
  EXPECT_EQ(word_.messages, Log{L"合并未完全成功!\n无法保存文档: D:\\in\\A.doc (文档为只读)"});
}

TEST_F(MergeTest, TheBaseListedAgainIsInsertedWithoutClosingIt) {
  options_.keep_formatting = true;
  Run({abc_[0], abc_[1], abc_[0]});
  EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"Close A.doc"), 0);
  EXPECT_EQ(Output(), (Log{L"A1", L"A2", L"B1", L"A1", L"A2"}));
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:5页"});
}

TEST_F(MergeTest, AnOutputFormatWeCannotWriteIsRefusedBeforeWordStarts) {
  for (const wchar_t* path : {L"D:\\out\\all.abc", L"D:\\out\\all.txt", L"D:\\out\\v1.2"}) {
    options_.output_path = path;
    Run(abc_);
  }
  EXPECT_EQ(word_.messages, (Log{L"不支持的输出格式: .abc", L"不支持的输出格式: .txt", L"不支持的输出格式: .2"}));
  EXPECT_EQ(word_.started, 0);
}

TEST_F(MergeTest, AnOutputWithoutExtensionTakesTheFirstDocumentsOne) {
  options_.output_path = L"D:\\out\\all";
  Run(abc_);
  EXPECT_EQ(word_.written, std::set<std::wstring>{L"D:\\out\\all.doc"});
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:2页"});
  word_.files[L"D:\\in\\X.docx"] = {L"X1"};
  Run({{L"X.docx", L"D:\\in"}, abc_[1]});
  EXPECT_TRUE(word_.written.count(L"D:\\out\\all.docx"));
}

// Word hands back the open base for its file under any spelling: short name
// or other letter case.
TEST_F(MergeTest, TheBaseUnderAnotherSpellingIsInsertedWithoutClosingIt) {
  const testing::ScratchFolder folder(L"merge spellings");
  const std::wstring base = folder.File(L"long document name.docx");
  const std::wstring short_name = testing::ShortName(base);
  ASSERT_FALSE(short_name.empty());
  ASSERT_NE(short_name, base);
  std::wstring upper = base;
  for (wchar_t& c : upper) c = towupper(c);
  for (const std::wstring& spelling : {base, short_name, upper}) word_.files[spelling] = {L"L1"};
  const auto row = [](const std::wstring& path) {
    const std::size_t slash = path.rfind(L'\\');
    return AddedDocument{path.substr(slash + 1), path.substr(0, slash)};
  };
  options_.keep_formatting = true;
  Run({row(base), abc_[1], row(short_name), row(upper)});
  EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"Close long document name.docx"), 0);
  EXPECT_EQ(Output(), (Log{L"L1", L"B1", L"L1", L"L1"}));
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:4页"});
}

}  // namespace
}  // namespace tessaro
