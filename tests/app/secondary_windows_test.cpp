// The About and steps windows, and how the two exit commands treat them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/form1_menu.h"
#include "app/about_window.h"
#include "app/steps_window.h"
#include "app/twips.h"
#include "app/version.h"
#include "controls/button_font.h"
#include "pump.h"

namespace tessaro {
namespace {

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

int CountTopLevel(const wchar_t* caption) {
  struct Search { const wchar_t* caption; int count; } search{caption, 0};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (IsWindowVisible(window) && TextOf(window) == s->caption) ++s->count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.count;
}

class SecondaryWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<Application>([this] { ++ended_; });
    ASSERT_TRUE(app_->Start());
    main_ = app_->main_window().hwnd();
  }
  void TearDown() override { app_.reset(); }

  // What the window receives when the user picks a menu item or clicks a button.
  void Command(HWND window, int id, int code = 0) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), 0);
    testing::PumpMessages();
  }

  std::unique_ptr<Application> app_;
  HWND main_ = nullptr;
  int ended_ = 0;
};

TEST_F(SecondaryWindowsTest, AboutWindowShowsItsTexts) {
  Command(main_, form1::mnuFileAbout);
  Form2& about = app_->about_window();
  ASSERT_TRUE(about.IsLoaded());
  EXPECT_EQ(TextOf(about.hwnd()), L"关于");
  EXPECT_EQ(TextOf(about.Control(form2::Label2)), L"Tessaro  版本:" TESSARO_ABOUT_VERSION);
  EXPECT_EQ(TextOf(about.Control(form2::Label1)),
            L"本软件可将Word文档进行无损合并或分割操作,支持Word2003及Word2007.");
  EXPECT_EQ(TextOf(about.Control(form2::StyleButton1)), L"确定");
  RECT client{};
  GetClientRect(about.hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(5715, ScreenDpi()));
  EXPECT_EQ(client.bottom, TwipsToPixels(3450, ScreenDpi()));
  // Closed, never put away: the close box only.
  EXPECT_EQ(GetWindowLongPtrW(about.hwnd(), GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_SYSMENU);
  // Modeless: the main window stays usable.
  EXPECT_TRUE(IsWindowEnabled(main_));
  // Skinned as it took the activation from the skinned main window.
  EXPECT_NE(GetPropW(about.hwnd(), L"PROCADDR"), nullptr);
}

// F1 as a user presses it, wherever the focus is in the main window: queued
// and taken by the program's own message loop.
TEST_F(SecondaryWindowsTest, F1OpensTheStepsWindow) {
  HWND focus = app_->main_window().Control(form1::ListView2);
  PostMessageW(focus, WM_KEYDOWN, VK_F1, 0x003B0001);
  PostMessageW(focus, WM_KEYUP, VK_F1, 0xC03B0001);
  PostQuitMessage(0);
  app_->Run();
  EXPECT_TRUE(app_->steps_window().IsLoaded());
  EXPECT_EQ(CountTopLevel(L"帮助"), 1);
}

TEST_F(SecondaryWindowsTest, OpeningAboutTwiceGivesOneWindow) {
  Command(main_, form1::mnuFileAbout);
  HWND first = app_->about_window().hwnd();
  Command(main_, form1::mnuFileAbout);
  EXPECT_EQ(app_->about_window().hwnd(), first);
  EXPECT_EQ(CountTopLevel(L"关于"), 1);
}

TEST_F(SecondaryWindowsTest, AboutClosedByItsButtonAndReopenedHasTheSameText) {
  Command(main_, form1::mnuFileAbout);
  Form2& about = app_->about_window();
  const std::wstring text = TextOf(about.Control(form2::Label1));
  Command(about.hwnd(), form2::StyleButton1, BN_CLICKED);
  EXPECT_FALSE(about.IsLoaded());
  Command(main_, form1::mnuFileAbout);
  ASSERT_TRUE(about.IsLoaded());
  EXPECT_EQ(TextOf(about.Control(form2::Label1)), text);
  EXPECT_EQ(ended_, 0);
}

TEST_F(SecondaryWindowsTest, StepsTextLineByLine) {
  Command(main_, form1::mnuStep);
  Form3& steps = app_->steps_window();
  ASSERT_TRUE(steps.IsLoaded());
  EXPECT_EQ(TextOf(steps.hwnd()), L"帮助");
  EXPECT_EQ(TextOf(steps.Control(form3::StyleButton1)), L"关闭");
  const std::vector<std::wstring> lines = {
      L"",
      L"本软件操作步骤如下:",
      L"",
      L"(1) 选择目标Word文档所在的目录;",
      L"",
      L"(2) 在当前目录文档列表中选定要添加的文档,单击添加;",
      L"",
      L"(3) 若要添加全部,则先在当前目录文档列表中按Ctrl+A选择全部,软件将自动把其中的Word文档添加到已添加列表中;",
      L"",
      L"(4) 若要改变已添加列表中文档的顺序,选中该文档,按列表右侧的拉动条进行拉动.",
      L"",
      L"(5) 若要更新桌面或其他盘符,可点击文件->更改根目录,选择目标目录即可.",
  };
  std::wstring expected;
  for (const std::wstring& line : lines) expected += line + L"\r\n";
  EXPECT_EQ(TextOf(steps.Control(form3::Label1)), expected);
  RECT client{};
  GetClientRect(steps.hwnd(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(6645, ScreenDpi()));
  EXPECT_EQ(client.bottom, TwipsToPixels(4230, ScreenDpi()));
}

TEST_F(SecondaryWindowsTest, StepsLabelIsPaleCyanWithWindowText) {
  Command(main_, form1::mnuStep);
  Form3& steps = app_->steps_window();
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(steps.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(steps.Control(form3::Label1))));
  LOGBRUSH log{};
  ASSERT_TRUE(GetObjectW(brush, sizeof(log), &log));
  EXPECT_EQ(log.lbColor, RGB(192, 255, 255));
  EXPECT_EQ(GetBkColor(dc), RGB(192, 255, 255));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  DeleteDC(dc);
}

TEST_F(SecondaryWindowsTest, FileExitLeavesAnOpenAboutWindowOpen) {
  Command(main_, form1::mnuFileAbout);
  Command(main_, form1::mnuFileExit);
  EXPECT_FALSE(app_->main_window().IsLoaded());
  EXPECT_TRUE(app_->about_window().IsLoaded());
  EXPECT_EQ(ended_, 0);
  // The program ends when the user closes the last window.
  SendMessageW(app_->about_window().hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(app_->about_window().IsLoaded());
  EXPECT_EQ(ended_, 1);
}

TEST_F(SecondaryWindowsTest, ExitButtonClosesAllThreeWindows) {
  Command(main_, form1::mnuFileAbout);
  Command(main_, form1::mnuStep);
  Command(main_, form1::StyleButton9, BN_CLICKED);
  EXPECT_FALSE(app_->about_window().IsLoaded());
  EXPECT_FALSE(app_->steps_window().IsLoaded());
  EXPECT_FALSE(app_->main_window().IsLoaded());
  EXPECT_EQ(ended_, 1);
}

TEST_F(SecondaryWindowsTest, ExitButtonWithNothingElseOpenEndsOnce) {
  Command(main_, form1::StyleButton9, BN_CLICKED);
  EXPECT_FALSE(app_->main_window().IsLoaded());
  EXPECT_EQ(ended_, 1);
}

TEST_F(SecondaryWindowsTest, ClosingTheMainWindowByItsCloseBoxUnloadsIt) {
  SendMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main_));
  EXPECT_EQ(ended_, 1);
}

// Run by hand for a picture of the About window over the main window:
// scripts/screenshot.sh -t 关于 build/windows/tests/app/app_tests.exe
//   --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_ScreenshotOfTheAbout*
TEST_F(SecondaryWindowsTest, DISABLED_ScreenshotOfTheAboutWindow) {
  Command(main_, form1::mnuFileAbout);
  testing::PumpUntil([] { return false; }, 6000);
}

}  // namespace
}  // namespace tessaro
