// Starts the built program as a user would and watches it from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/form1_layout.h"
#include "app/form1_menu.h"
#include "program_process.h"

namespace {

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  // The test executable lives in tests/app of the build tree; the program at its top.
  for (int i = 0; i < 3; ++i) path.erase(path.find_last_of(L'\\'));
  return path + L"\\Tessaro.exe";
}

using Program = tessaro::testing::ProgramProcess;

TEST(Program, StartsShowsTheMainWindowAndEndsOnTheExitButton) {
  Program program(ProgramPath());
  ASSERT_TRUE(program.started()) << "cannot start the program";
  HWND main = program.WaitForWindow(L"Tessaro");
  ASSERT_NE(main, nullptr);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_GT(client.right, 0);
  // The exit button's click arrives at the window as a command from the button.
  const int kExitButton = tessaro::form1::StyleButton9;
  HWND button = GetDlgItem(main, kExitButton);
  ASSERT_NE(button, nullptr);
  wchar_t caption[16] = {};
  GetWindowTextW(button, caption, 16);
  EXPECT_STREQ(caption, L"退出");
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kExitButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  DWORD code = 99;
  ASSERT_TRUE(program.WaitForExit(20000, &code));
  EXPECT_EQ(code, 0u);
}

TEST(Program, FileExitWithAboutOpenKeepsRunningUntilAboutCloses) {
  Program program(ProgramPath());
  ASSERT_TRUE(program.started());
  HWND main = program.WaitForWindow(L"Tessaro");
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_COMMAND, tessaro::form1::mnuFileAbout, 0);
  HWND about = program.WaitForWindow(L"关于");
  ASSERT_NE(about, nullptr);
  PostMessageW(main, WM_COMMAND, tessaro::form1::mnuFileExit, 0);
  DWORD code = 99;
  EXPECT_FALSE(program.WaitForExit(1000, &code));
  EXPECT_TRUE(IsWindow(about));
  PostMessageW(about, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(20000, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
