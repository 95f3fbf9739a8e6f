// Run by hand for pictures of the skinned controls in every state: a button
// at rest, one hovered mid-fade, one pressed, one disabled, check boxes and
// option buttons, combo boxes, a progress bar and a column header; and of a
// message box. Each window stays up a few seconds.
// scripts/screenshot.sh -t 皮肤 build/windows/tests/skin/skin_tests.exe
//   --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_ScreenshotOfEvery*
// scripts/screenshot.sh -t 提示 build/windows/tests/skin/skin_tests.exe
//   --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_ScreenshotOfAMessage*
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "dialog_watcher.h"
#include "pump.h"
#include "skin/fade_timer.h"
#include "skin/header.h"
#include "skin/skin.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

TEST(SkinScreenshot, DISABLED_ScreenshotOfEveryControlState) {
  testing::SkinnedForm form;
  const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体");
  const HWND controls[] = {
      form.Add(L"Button", BS_PUSHBUTTON, L"合并", 20, 20, 75, 23),
      form.Add(L"Button", BS_PUSHBUTTON, L"分割(悬停)", 110, 20, 90, 23),
      form.Add(L"Button", BS_PUSHBUTTON, L"添加(按下)", 215, 20, 90, 23),
      form.Add(L"Button", BS_PUSHBUTTON, L"退出", 320, 20, 75, 23),
      form.Add(L"Button", BS_AUTOCHECKBOX, L"更新域", 20, 60, 100, 20),
      form.Add(L"Button", BS_AUTOCHECKBOX, L"打印", 130, 60, 100, 20),
      form.Add(L"Button", BS_AUTO3STATE, L"部分", 240, 60, 100, 20),
      form.Add(L"Button", BS_AUTORADIOBUTTON | WS_GROUP, L"按页分割", 20, 90, 100, 20),
      form.Add(L"Button", BS_AUTORADIOBUTTON, L"按节分割", 130, 90, 100, 20),
      form.Add(L"Button", BS_AUTOCHECKBOX | WS_DISABLED, L"不可用", 240, 90, 100, 20),
      form.Add(WC_COMBOBOXW, CBS_DROPDOWNLIST, L"", 20, 125, 150, 200),
      form.Add(WC_COMBOBOXW, CBS_DROPDOWN, L"", 190, 125, 150, 200),
      form.Add(PROGRESS_CLASSW, WS_BORDER, L"", 20, 165, 320, 18),
      form.Add(WC_HEADERW, HDS_BUTTONS | HDS_HORZ, L"", 20, 200, 360, 24),
  };
  const HWND hovered_combo = controls[10], header = controls[13];
  for (const HWND combo : {controls[10], controls[11]}) {
    for (const wchar_t* item : {L"第一页", L"第二页"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
  }
  SendMessageW(controls[12], PBM_SETPOS, 50, 0);
  for (const wchar_t* text : {L"名称(悬停)", L"大小", L"类型(按下)"}) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = 120;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(header, HDM_INSERTITEMW, 100, reinterpret_cast<LPARAM>(&item));
  }
  for (HWND control : controls) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(controls[4], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(controls[6], BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageW(controls[7], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(controls[9], BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(controls[3], FALSE);
  ASSERT_TRUE(SkinWindow(form.form()));
  ::tessaro::testing::PumpMessages();

  // Hovered and stopped a few steps into the fade; pressed and held.
  SendMessageW(controls[1], WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ::tessaro::testing::PumpUntil([&] { return props::Read(controls[1], props::kAlphaLevel) >= 9; });
  StopFadeTimer(controls[1]);
  SendMessageW(controls[2], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(hovered_combo, WM_MOUSEMOVE, 0, MAKELPARAM(140, 10));
  SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(60, 10));
  // Pressed without taking the mouse from the pressed button.
  props::Write(header, props::kPressedIndex, 2);
  PaintHeaderItem(header, nullptr, 2, kItemPressed);
  ::tessaro::testing::PumpUntil([] { return false; }, 6000);
  ReleaseCapture();
  DestroyWindow(form.form());
  DeleteObject(font);
}

TEST(SkinScreenshot, DISABLED_ScreenshotOfAMessageBox) {
  testing::SkinnedForm form;
  ASSERT_TRUE(SkinWindow(form.form()));
  ::tessaro::testing::DialogWatcher watcher(L"提示", [](HWND box) {
    Sleep(6000);
    ::tessaro::testing::PressButton(box, IDOK);
  });
  MessageBoxW(form.form(), L"合并成功!新生成的文档一共:12页", L"提示", MB_OK);
  EXPECT_TRUE(watcher.Finish());
}

}  // namespace
}  // namespace tessaro::skin
