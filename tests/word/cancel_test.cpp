// A merge or split cancelled part-way, against the recording stand-in: where
// it stops, what it leaves on the "disk", that its Word is ended, what the
// user is told, and the steps it reports on the way.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_word.h"
#include "word/merge.h"
#include "word/progress.h"
#include "word/split.h"

namespace tessaro {
namespace {

using Log = std::vector<std::wstring>;

// Cancels once the stand-in's log holds `call` (any call when empty) and
// keeps every step it is told.
class CancelAfter final : public word::Progress {
 public:
  CancelAfter(const testing::FakeWord& word, std::wstring call) : word_(word), call_(std::move(call)) {}
  bool Cancelled() override {
    return !call_.empty() && std::find(word_.log.begin(), word_.log.end(), call_) != word_.log.end();
  }
  void Step(const std::wstring& text, int done, int whole) override {
    steps.push_back(text);
    EXPECT_TRUE(0 <= done && done <= whole) << done << " of " << whole;
    EXPECT_GE(done, last_done_) << "the bar went back";
    last_done_ = done;
  }
  Log steps;

 private:
  const testing::FakeWord& word_;
  std::wstring call_;
  int last_done_ = 0;
};

class CancelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    word_.files[L"D:\\in\\a.doc"] = {L"a1", L"a2"};
    word_.files[L"D:\\in\\b.doc"] = {L"b1"};
    word_.files[L"D:\\in\\c.doc"] = {L"c1", L"c2", L"c3"};
    // A file from an earlier merge, which a cancelled one must not touch.
    word_.files[L"D:\\out\\all.doc"] = {L"old"};
    before_ = word_.files;
  }
  void TearDown() override { EXPECT_EQ(word_.running, 0) << "Word was left running"; }

  testing::FakeWord word_;
  std::map<std::wstring, testing::FakeWord::Pages> before_;
  const std::vector<AddedDocument> abc_{{L"a.doc", L"D:\\in"}, {L"b.doc", L"D:\\in"}, {L"c.doc", L"D:\\in"}};
};

TEST_F(CancelTest, ACancelledMergeWritesNothingWhereverItStops) {
  word::MergeOptions options;
  options.output_path = L"D:\\out\\all.doc";
  options.update_fields = options.print = options.open_result = true;
  struct Case {
    const wchar_t* call;
    long opens;  // documents opened before the cancel was seen
  };
  // While Word starts, after the base opened, between two documents, and
  // after the last one, before saving.
  const Case cases[] = {{L"Start", 0}, {L"Open D:\\in\\a.doc read-only", 1}, {L"InsertFile D:\\in\\b.doc", 2},
                        {L"InsertFile D:\\in\\c.doc", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    word_.log.clear();
    word_.messages.clear();
    CancelAfter progress(word_, c.call);
    word::Merge(abc_, options, word_.Starter(), word_.Recorder(), progress);
    EXPECT_EQ(word_.messages, Log{word::kMergeCancelled});
    EXPECT_TRUE(word_.written.empty());
    EXPECT_EQ(word_.files, before_);
    EXPECT_EQ(std::count_if(word_.log.begin(), word_.log.end(),
                            [](const std::wstring& line) { return line.starts_with(L"Open"); }),
              c.opens);
    EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"PrintOut"), 0);
    EXPECT_EQ(word_.log.back(), L"Quit");
    EXPECT_FALSE(word_.left_visible);
  }
}

TEST_F(CancelTest, AMergeNamesEachDocumentBeforeItsCalls) {
  word::MergeOptions options;
  options.output_path = L"D:\\out\\all.doc";
  CancelAfter progress(word_, L"");
  word::Merge(abc_, options, word_.Starter(), word_.Recorder(), progress);
  EXPECT_EQ(progress.steps, (Log{L"正在打开: a.doc", L"正在合并: 第 1/3 个文档 a.doc",
                                 L"正在合并: 第 2/3 个文档 b.doc", L"正在合并: 第 3/3 个文档 c.doc"}));
  EXPECT_EQ(word_.messages, Log{L"合并成功!新生成的文档一共:4页"});
}

TEST_F(CancelTest, ACancelledSplitKeepsTheWholeFilesItWroteAndSaysHowMany) {
  word::SplitOptions options;
  options.output_folder = L"D:\\out";
  struct Case {
    const wchar_t* call;
    Log written;
  };
  const Case cases[] = {
      {L"Open D:\\in\\c.doc read-only", {}},  // still telling the pages apart
      {L"NextPage", {}},
      {L"SaveAs D:\\out\\c_1.doc", {L"D:\\out\\c_1.doc"}},
      {L"SaveAs D:\\out\\c_2.doc", {L"D:\\out\\c_1.doc", L"D:\\out\\c_2.doc"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    word_ = testing::FakeWord{};
    word_.files = before_;
    CancelAfter progress(word_, c.call);
    word::Split({abc_[2]}, options, word_.Starter(), word_.Recorder(), progress);
    EXPECT_EQ(word_.messages, Log{word::SplitCancelledText(static_cast<int>(c.written.size()))});
    EXPECT_EQ(Log(word_.written.begin(), word_.written.end()), c.written);
    for (std::size_t i = 0; i < c.written.size(); ++i)
      EXPECT_EQ(word_.files[c.written[i]], Log{L"c" + std::to_wstring(i + 1)}) << "a whole page";
    EXPECT_EQ(word_.files[L"D:\\in\\c.doc"], before_[L"D:\\in\\c.doc"]);
    EXPECT_EQ(word_.log.back(), L"Quit");
  }
}

TEST_F(CancelTest, ABatchCancelledInItsSecondDocumentCountsTheFirstOnesFiles) {
  word::SplitOptions options;
  options.output_folder = L"D:\\out";
  options.batch = true;
  CancelAfter progress(word_, L"SaveAs D:\\out\\b_1.doc");
  word::Split(abc_, options, word_.Starter(), word_.Recorder(), progress);
  EXPECT_EQ(word_.messages, Log{L"分割已取消,已生成 3 个文件"});
  EXPECT_EQ(std::count(word_.log.begin(), word_.log.end(), L"Open D:\\in\\c.doc read-only"), 0);
  EXPECT_EQ(progress.steps,
            (Log{L"正在打开: a.doc", L"正在分割: 第 1/3 个文档 a.doc, 读取第 2/2 页",
                 L"正在分割: 第 1/3 个文档 a.doc, 第 1/2 页", L"正在分割: 第 1/3 个文档 a.doc, 第 2/2 页",
                 L"正在打开: b.doc", L"正在分割: 第 2/3 个文档 b.doc, 第 1/1 页"}));
}

TEST_F(CancelTest, AnEvenSplitCountsFilesNotPages) {
  word::SplitOptions options;
  options.output_folder = L"D:\\out";
  options.method = word::SplitMethod::kEven;
  options.file_count = L"2";
  CancelAfter progress(word_, L"");
  word::Split({abc_[2]}, options, word_.Starter(), word_.Recorder(), progress);
  EXPECT_EQ(progress.steps, (Log{L"正在打开: c.doc", L"正在分割: 读取第 2/3 页", L"正在分割: 读取第 3/3 页",
                                 L"正在分割: 第 1/2 个文件", L"正在分割: 第 2/2 个文件"}));
  EXPECT_EQ(word_.messages, Log{L"分割完毕!"});
}

}  // namespace
}  // namespace tessaro
