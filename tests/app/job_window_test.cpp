// "合并" and "分割" in the real window with a slow stand-in for Word: the
// window answers while the job runs, the controls that would change it are
// locked, the progress window comes and goes, 取消 and Esc stop the job, and
// closing the window during a job asks first and leaves no Word behind.
// A picture of the progress window during a long split, run by hand:
// scripts/screenshot.sh -t 正在处理 build/windows/tests/app/app_tests.exe
//   --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_Screenshot*
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "app/progress_form.h"
#include "dialog_watcher.h"
#include "fake_word.h"
#include "main_window_fixture.h"
#include "scratch_folder.h"
#include "word/progress.h"

namespace tessaro {
namespace {

using namespace form1;
using namespace std::chrono_literals;
using Log = std::vector<std::wstring>;

class JobWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    form_->set_word_starter(word_.Starter());
    form_->set_show_message([this](const std::wstring& text) {
      messages_.push_back(text);
      EXPECT_FALSE(Progress().IsLoaded()) << "the box comes after the progress window has gone";
    });
    form_->set_ask([this](const std::wstring& question) {
      questions_.push_back(question);
      return answer_;
    });
    form_->OverrideFolderPathForTesting([] { return std::wstring(L"D:\\in"); });
    for (int i = 1; i <= 12; ++i) {
      names_.push_back(L"报告" + std::to_wstring(i) + L".docx");
      word_.files[L"D:\\in\\" + names_.back()] = {names_.back() + L" 1", names_.back() + L" 2"};
    }
    std::vector<testing::ContentsItem> rows;
    for (const std::wstring& name : names_) rows.push_back({name.c_str(), L"", true});
    // Long enough for the progress window to appear in either job.
    word_.files[L"D:\\in\\报告1.docx"] = testing::FakeWord::Pages(40, L"页");
    FillContents(rows, 0);
    Press(StyleButton4);
    // A folder that is there: outputs are checked before any job starts.
    SetWindowTextW(Control(Text1), L"C:\\all.docx");
    SetWindowTextW(Control(Text2), L"C:\\");
    word_.delay = 40ms;
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    EXPECT_EQ(word_.running, 0) << "Word was left running";
  }

  ProgressForm& Progress() { return app_->progress_window(); }
  // Dispatches as the program's own loop does, keyboard routing included.
  bool RunUntil(const std::function<bool()>& condition, DWORD timeout_ms = 30000) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    while (!condition()) {
      if (GetTickCount64() >= deadline) return false;
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (app_->PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
  }
  void Start(int button) {
    PostMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(Control(button)));
    ASSERT_TRUE(RunUntil([this] { return form_->JobRunning(); }));
  }
  bool AwaitProgressWindow() { return RunUntil([this] { return Progress().IsLoaded(); }); }
  std::wstring ProgressText(int id) {
    wchar_t text[256] = {};
    GetWindowTextW(Progress().Control(id), text, 256);
    return text;
  }

  testing::FakeWord word_;
  Log names_;
  Log messages_;
  Log questions_;
  bool answer_ = true;
};

TEST_F(JobWindowTest, TheWindowAnswersAndIsLockedWhileAMergeRuns) {
  Start(StyleButton7);
  // Another thread's probe, as Windows sends one before calling a window hung.
  std::atomic<bool> done{false}, probing{true};
  std::atomic<int> probes{0}, unanswered{0};
  std::thread probe([&, window = form_->hwnd()] {
    while (!done) {
      // A probe missed once may be the shared machine's scheduler; one missed
      // twice in a row is a window that is not answering.
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) &&
          !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result))
        ++unanswered;
      ++probes;
      Sleep(20);
    }
    probing = false;
  });
  for (int id : {ListView1, ListView2, vsOrder, StyleButton4, StyleButton6, Check5, Text1, StyleButton7, StyleButton8})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_TRUE(IsWindowEnabled(Control(StyleButton9))) << "退出 stays usable";
  EXPECT_TRUE(IsWindowEnabled(Control(TreeView1)));

  ASSERT_TRUE(AwaitProgressWindow());
  EXPECT_EQ(GetWindow(Progress().hwnd(), GW_OWNER), form_->hwnd());
  EXPECT_EQ(GetWindowLongPtrW(Progress().hwnd(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_SYSMENU);
  EXPECT_EQ(ProgressText(progress_form::StyleButton1), L"取消");
  EXPECT_TRUE(RunUntil([this] { return ProgressText(progress_form::Label1).starts_with(L"正在合并: 第 "); }));
  EXPECT_TRUE(ProgressText(progress_form::Label2).starts_with(L"已用时间: 0:0"));
  EXPECT_TRUE(RunUntil([this] { return !form_->JobRunning(); }, 60000));
  // Still answering the last probe while it ends.
  done = true;
  RunUntil([&] { return !probing; });
  probe.join();

  EXPECT_GT(probes, 10);
  EXPECT_EQ(unanswered, 0);
  EXPECT_EQ(messages_, Log{L"合并成功!新生成的文档一共:51页"});
  EXPECT_FALSE(Progress().IsLoaded());
  EXPECT_TRUE(IsWindowEnabled(Control(StyleButton7)));
  EXPECT_TRUE(IsWindowEnabled(Control(Check5)));
  EXPECT_FALSE(IsWindowEnabled(Control(Check3))) << "the option panel is as locked as it was";
}

TEST_F(JobWindowTest, CancelAndEscStopTheJobAtTheNextStep) {
  Start(StyleButton7);
  ASSERT_TRUE(AwaitProgressWindow());
  SendMessageW(Progress().hwnd(), WM_COMMAND, MAKEWPARAM(progress_form::StyleButton1, BN_CLICKED),
               reinterpret_cast<LPARAM>(Progress().Control(progress_form::StyleButton1)));
  ASSERT_TRUE(RunUntil([this] { return !form_->JobRunning(); }));
  EXPECT_EQ(messages_, Log{word::kMergeCancelled});
  EXPECT_TRUE(word_.written.empty());

  messages_.clear();
  Start(StyleButton8);
  ASSERT_TRUE(AwaitProgressWindow());
  ASSERT_TRUE(RunUntil([this] { return ProgressText(progress_form::Label1).starts_with(L"正在分割: 第 "); }));
  PostMessageW(Progress().Control(progress_form::StyleButton1), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(RunUntil([this] { return !form_->JobRunning(); }));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].starts_with(L"分割已取消,已生成 ")) << messages_[0].size();
  EXPECT_LT(word_.written.size(), 40u);
  for (const std::wstring& path : word_.written) EXPECT_EQ(word_.files[path].size(), 1u);
}

TEST_F(JobWindowTest, TheProgressWindowSaysWhatIsHappeningFromItsFirstMoment) {
  // Word slow to start and to open, as with a long document.
  word_.delay = 1500ms;
  Start(StyleButton8);
  ASSERT_TRUE(AwaitProgressWindow());
  EXPECT_EQ(ProgressText(progress_form::Label1), L"正在打开: 报告1.docx");
  SendMessageW(Progress().hwnd(), WM_COMMAND, MAKEWPARAM(progress_form::StyleButton1, BN_CLICKED),
               reinterpret_cast<LPARAM>(Progress().Control(progress_form::StyleButton1)));
  ASSERT_TRUE(RunUntil([this] { return !form_->JobRunning(); }));
}

TEST_F(JobWindowTest, ClosingDuringAJobAsksThenCancelsAndWaitsForIt) {
  Start(StyleButton8);
  answer_ = false;
  SendMessageW(form_->hwnd(), WM_CLOSE, 0, 0);
  Press(StyleButton9);
  EXPECT_EQ(questions_, (Log{L"正在处理文档,确定要取消并退出吗?", L"正在处理文档,确定要取消并退出吗?"}));
  EXPECT_TRUE(form_->IsLoaded());
  EXPECT_TRUE(form_->JobRunning());

  answer_ = true;
  SendMessageW(form_->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form_->IsLoaded());
  EXPECT_FALSE(Progress().IsLoaded());
  EXPECT_EQ(word_.running, 0);
  testing::PumpMessages();
  EXPECT_TRUE(messages_.empty()) << "no box after the window has gone";
}

// The questions before a job replaces files that are there, in the real
// box: 否 (and Enter, which gives the focused default) starts nothing and
// leaves the file as it was; 是 starts the job.
class ReplaceQuestionTest : public JobWindowTest {
 protected:
  void SetUp() override {
    JobWindowTest::SetUp();
    form_->set_ask(nullptr);
    word_.delay = 0ms;
  }

  struct Asked {
    std::wstring text;
    int focused = 0;  // the button Enter presses
  };
  // Presses 合并 or 分割 and answers with a button, or with Enter (0).
  Asked PressAndAnswer(int button, int answer) {
    Asked asked;
    testing::DialogWatcher watcher(L"提示", [&](HWND box) {
      wchar_t text[512] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 512);
      asked.text = text;
      GUITHREADINFO thread{};
      thread.cbSize = sizeof(thread);
      GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &thread);
      asked.focused = GetDlgCtrlID(thread.hwndFocus);
      if (answer)
        testing::PressButton(box, answer);
      else
        PostMessageW(thread.hwndFocus, WM_KEYDOWN, VK_RETURN, 1);
    });
    Press(button);
    EXPECT_TRUE(watcher.Finish());
    return asked;
  }
  static std::string Bytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  testing::ScratchFolder folder_{L"replace question"};
};

TEST_F(ReplaceQuestionTest, AMergeAsksBeforeReplacingAFileThere) {
  const std::wstring report = folder_.path() + L"\\2024年度工作总结报告.docx";
  std::ofstream(std::filesystem::path(report), std::ios::binary) << "a report of 43 pages";
  SetWindowTextW(Control(Text1), report.c_str());
  for (const int answer : {IDNO, 0, IDYES}) {
    SCOPED_TRACE(answer);
    const Asked asked = PressAndAnswer(StyleButton7, answer);
    EXPECT_EQ(asked.text, report + L" 已存在。要替换它吗?");
    EXPECT_EQ(asked.focused, IDNO);
    if (answer != IDYES) {
      EXPECT_FALSE(form_->JobRunning());
      EXPECT_EQ(word_.started, 0);
      EXPECT_EQ(Bytes(report), "a report of 43 pages");
      continue;
    }
    ASSERT_TRUE(RunUntil([this] { return word_.started == 1 && !form_->JobRunning(); }));
    EXPECT_EQ(word_.written, std::set<std::wstring>{report});
  }
}

TEST_F(ReplaceQuestionTest, ASplitAsksOnceNamingHowManyFilesItWouldReplace) {
  for (const wchar_t* name : {L"报告1_1.docx", L"报告1_2.docx", L"报告1_9.docx", L"报告2_1.docx", L"其他.docx"})
    folder_.File(name);
  SetWindowTextW(Control(Text2), folder_.path().c_str());
  for (const int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    const Asked asked = PressAndAnswer(StyleButton8, answer);
    EXPECT_EQ(asked.text, L"输出文件夹中已有 3 个同名文件,要替换它们吗?");
    EXPECT_EQ(asked.focused, IDNO);
    if (answer == IDNO) {
      EXPECT_FALSE(form_->JobRunning());
      EXPECT_EQ(word_.started, 0);
      continue;
    }
    ASSERT_TRUE(RunUntil([this] { return word_.started == 1 && !form_->JobRunning(); }, 60000));
    EXPECT_EQ(word_.written.size(), 40u);
    EXPECT_TRUE(word_.written.contains(folder_.path() + L"\\报告1_9.docx"));
  }
}

// 退出 during a split, asked in the real box, with the split ending before
// the answer or running on after it. The split's end is never told over
// the question; after 是 the program goes whatever became of the split.
class LeavingDuringAJobTest : public JobWindowTest {
 protected:
  void SetUp() override {
    JobWindowTest::SetUp();
    form_->set_ask(nullptr);
    form_->set_show_message([this](const std::wstring& text) {
      messages_.push_back(text);
      EXPECT_EQ(FindWindowW(L"#32770", L"提示"), nullptr) << "told over the question";
    });
  }
};

TEST_F(LeavingDuringAJobTest, YesLeavesAndNoTellsTheEndOnceAnswered) {
  struct Case {
    const char* what;
    bool ends_first;
    int answer;
  };
  const Case cases[] = {
      {"ended, then 是", true, IDYES},
      {"ended, then 否", true, IDNO},
      {"running, 是", false, IDYES},
      {"running, 否", false, IDNO},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!app_) SetUp();
    messages_.clear();
    Start(StyleButton8);
    std::wstring question;
    testing::DialogWatcher watcher(L"提示", [&](HWND box) {
      wchar_t text[128] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 128);
      question = text;
      // The job's end reaches the window while the question is open.
      if (c.ends_first)
        for (int i = 0; i < 600 && form_->JobRunning(); ++i) Sleep(50);
      testing::PressButton(box, c.answer);
    }, 60000);
    Press(StyleButton9);
    ASSERT_TRUE(watcher.Finish());
    EXPECT_EQ(question, L"正在处理文档,确定要取消并退出吗?");
    if (c.answer == IDYES) {
      EXPECT_FALSE(form_->IsLoaded());
      EXPECT_TRUE(messages_.empty());
      EXPECT_EQ(word_.running, 0);
      testing::PumpMessages();
      EXPECT_TRUE(messages_.empty());
      TearDown();
      continue;
    }
    EXPECT_TRUE(form_->IsLoaded());
    ASSERT_TRUE(RunUntil([this] { return !form_->JobRunning(); }, 60000));
    testing::PumpMessages();
    EXPECT_EQ(messages_, Log{L"分割完毕!"});
  }
}

// The merge's last word in the real box: with the result left open in a
// window of Word's own, the box stays above that window.
TEST_F(JobWindowTest, TheMergesMessageStaysInFrontOfTheResultItOpened) {
  form_->set_show_message(nullptr);
  word_.delay = 0ms;
  for (const bool open_result : {true, false}) {
    SCOPED_TRACE(open_result ? "result opened" : "result closed");
    SendMessageW(Control(Check2), BM_SETCHECK, open_result ? BST_CHECKED : BST_UNCHECKED, 0);
    bool topmost = !open_result;
    std::wstring text;
    testing::DialogWatcher watcher(L"提示", [&](HWND box) {
      wchar_t shown[128] = {};
      GetDlgItemTextW(box, 0xFFFF, shown, 128);
      text = shown;
      topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      testing::PressButton(box, IDOK);
    });
    const int started = word_.started;
    Press(StyleButton7);
    // The box comes as the job ends, in the window's thread.
    ASSERT_TRUE(RunUntil([&] { return word_.started > started && !form_->JobRunning(); }));
    ASSERT_TRUE(watcher.Finish());
    EXPECT_TRUE(text.starts_with(L"合并成功!")) << text.size();
    EXPECT_EQ(topmost, open_result);
    EXPECT_EQ(word_.left_visible, open_result);
    // The result is the user's to close.
    word_.running = 0;
    word_.left_visible = false;
  }
}

TEST_F(JobWindowTest, DISABLED_ScreenshotOfALongSplit) {
  word_.files[L"D:\\in\\报告1.docx"] = testing::FakeWord::Pages(207, L"页");
  word_.delay = 10ms;
  Start(StyleButton8);
  ASSERT_TRUE(AwaitProgressWindow());
  RunUntil([this] { return ProgressText(progress_form::Label1).find(L"第 57/207 页") != std::wstring::npos; });
  RunUntil([] { return false; }, 4000);
}

}  // namespace
}  // namespace tessaro
