// Command buttons: the prepared faces, the fades and their one timer, press
// and release, enabling; and what attaching and detaching do to the window.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "dib.h"
#include "skin/command_button.h"
#include "skin/image_pixels.h"
#include "skin/skin.h"
#include "skin/skin_colors.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using ::tessaro::testing::Dib;

std::intptr_t Prop(HWND window, const wchar_t* name) { return props::Read(window, name); }

// Dispatches messages until the button's fade has stopped; returns the fade
// steps (timer messages) it took, or -1 when it did not stop in time.
int RunFade(HWND button, DWORD timeout_ms = 15000) {
  int steps = 0;
  const DWORD start = GetTickCount();
  while (Prop(button, props::kTimerId) != 0) {
    if (GetTickCount() - start > timeout_ms) return -1;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      steps += message.hwnd == button && message.message == WM_TIMER;
      DispatchMessageW(&message);
    }
  }
  return steps;
}

// The button's current face at full strength, as WM_PRINTCLIENT renders it.
void Print(HWND button, const Dib& dib) {
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
}

COLORREF Face(int state, int x, int y) { return ImagePixel(SkinImage::ButtonFaces, x, 21 * state + y); }

class CommandButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    button_ = form_.Add(L"Button", BS_PUSHBUTTON, L"合并", 20, 20, 75, 23);
    ASSERT_TRUE(SkinWindow(form_.form()));
    UpdateWindow(form_.form());
    UpdateWindow(button_);
  }
  void TearDown() override {
    DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
  }
  testing::SkinnedForm form_;
  HWND button_ = nullptr;
};

TEST_F(CommandButtonTest, AttachingPreparesFacesAndDetachingPutsTheButtonBack) {
  EXPECT_EQ(GetWindowLongPtrW(button_, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(Prop(button_, props::kOldStyle) & BS_TYPEMASK, BS_PUSHBUTTON);
  for (int state = 0; state < 4; ++state) {
    EXPECT_NE(props::Read(button_, props::SurfaceDcName(state)), 0);
    EXPECT_NE(props::Read(button_, props::SurfaceBitmapName(state)), 0);
  }
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(button_, region), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(region, 0, 0));  // a rounded corner
  EXPECT_TRUE(PtInRegion(region, 37, 0));

  // Disabled after attaching: detaching must not enable it again.
  EnableWindow(button_, FALSE);
  ASSERT_TRUE(DetachSkin(button_));
  EXPECT_EQ(GetWindowLongPtrW(button_, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_FALSE(IsWindowEnabled(button_));
  EXPECT_TRUE(IsWindowVisible(button_));
  EXPECT_EQ(GetWindowRgn(button_, region), ERROR);
  for (const wchar_t* name : {props::kOldStyle, props::kOldState, props::kAlphaLevel, props::kTimerId})
    EXPECT_EQ(GetPropW(button_, name), nullptr) << name;
  EXPECT_EQ(GetPropW(button_, L"0HDC"), nullptr);
  EXPECT_EQ(GetPropW(button_, L"3BMP"), nullptr);
  DeleteObject(region);
}

TEST_F(CommandButtonTest, FacesKeepTheirCornersAtAnySizeAndGreyTheDisabledCaption) {
  Dib normal(75, 23);
  Print(button_, normal);
  EXPECT_EQ(normal.At(0, 0), Face(0, 0, 0));
  EXPECT_EQ(normal.At(37, 0), Face(0, 3, 0));
  EXPECT_EQ(normal.At(74, 22), Face(0, 6, 20));
  EXPECT_GT(normal.Count(kBlack), 10);  // the caption

  SetWindowPos(button_, nullptr, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER);
  Dib large(120, 30);
  Print(button_, large);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(large.At(117 + x, 27 + y), Face(0, 4 + x, 18 + y));
      EXPECT_EQ(large.At(x, y), Face(0, x, y));
    }
  }
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(button_, region);
  EXPECT_TRUE(PtInRegion(region, 119, 15));
  EXPECT_FALSE(PtInRegion(region, 119, 29));
  DeleteObject(region);

  EnableWindow(button_, FALSE);
  EXPECT_EQ(Prop(button_, props::kOldState), 3);
  Dib disabled(120, 30);
  Print(button_, disabled);
  EXPECT_EQ(disabled.At(60, 0), Face(3, 3, 0));
  EXPECT_GT(disabled.Count(kDisabledCaption), 10);
  EXPECT_EQ(disabled.Count(kBlack), 0);
  EnableWindow(button_, TRUE);
  EXPECT_EQ(Prop(button_, props::kOldState), 0);
}

TEST_F(CommandButtonTest, ANewCaptionIsDrawnAsIfTheButtonHadItFromTheStart) {
  SetWindowTextW(button_, L"保存(&S)");
  Dib renamed(75, 23);
  Print(button_, renamed);
  HWND fresh = form_.Add(L"Button", BS_PUSHBUTTON, L"保存(&S)", 120, 20, 75, 23);
  // Joins the skin as it is made.
  ASSERT_EQ(GetWindowLongPtrW(fresh, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  Dib expected(75, 23);
  Print(fresh, expected);
  const RECT drawn = renamed.Bounds(kBlack), wanted = expected.Bounds(kBlack);
  EXPECT_TRUE(EqualRect(&drawn, &wanted));
  EXPECT_EQ(renamed.Count(kBlack), expected.Count(kBlack));
}

TEST_F(CommandButtonTest, TheFocusRectangleIsInEveryFaceTwoPixelsIn) {
  const auto column = [&](int state) {
    props::Write(button_, props::kOldState, state);
    Dib dib(75, 23);
    Print(button_, dib);
    std::vector<COLORREF> pixels;
    for (int y = 2; y < 21; ++y) pixels.push_back(dib.At(2, y));
    return pixels;
  };
  std::vector<COLORREF> unfocused[4];
  for (int state = 0; state < 4; ++state) unfocused[state] = column(state);
  SetFocus(button_);
  ASSERT_EQ(GetFocus(), button_);
  for (int state = 0; state < 4; ++state) EXPECT_NE(column(state), unfocused[state]) << state;
}

TEST_F(CommandButtonTest, AHoverFadeRunsEightySixStepsOnOneTimerAndStops) {
  SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(button_, props::kMouseFlag), 1);
  EXPECT_EQ(Prop(button_, props::kOldState), 1);
  const std::intptr_t timer = Prop(button_, props::kTimerId);
  ASSERT_NE(timer, 0);
  // Out again at once: the hover face is laid over, and the normal face
  // fades in from 0 on the same timer.
  SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Prop(button_, props::kMouseFlag), 0);
  EXPECT_EQ(Prop(button_, props::kOldState), 0);
  EXPECT_EQ(Prop(button_, props::kAlphaLevel), 0);
  EXPECT_EQ(Prop(button_, props::kTimerId), timer);
  EXPECT_EQ(RunFade(button_), 86);
  EXPECT_EQ(Prop(button_, props::kAlphaLevel), 0);
  EXPECT_EQ(Prop(button_, props::kTimerId), 0);

  SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(RunFade(button_), 86);
  Dib hover(75, 23);
  Print(button_, hover);
  EXPECT_EQ(hover.At(37, 1), Face(1, 3, 1));  // the bright inner ring
}

TEST_F(CommandButtonTest, PressingShowsThePressedFaceAtOnceAndReleasingFadesFromSixty) {
  SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(button_, props::kOldState), 2);
  EXPECT_EQ(Prop(button_, props::kTimerId), 0);
  EXPECT_EQ(Prop(button_, props::kAlphaLevel), 0);
  Dib pressed(75, 23);
  Print(button_, pressed);
  EXPECT_EQ(pressed.At(37, 1), Face(2, 3, 1));

  SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(button_, props::kOldState), 0);
  EXPECT_EQ(Prop(button_, props::kAlphaLevel), 60);
  EXPECT_EQ(RunFade(button_), 66);  // 60, 63, ..., 255

  // The space bar presses and releases the same way.
  SendMessageW(button_, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Prop(button_, props::kOldState), 2);
  SendMessageW(button_, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(Prop(button_, props::kOldState), 0);
  EXPECT_EQ(RunFade(button_), 86);
}

TEST_F(CommandButtonTest, EnablingAfterAFadeShowsTheNewFaceOnTheScreenAtOnce) {
  ASSERT_NE(Face(3, 3, 1), Face(1, 3, 1));
  ASSERT_NE(Face(0, 3, 1), Face(3, 3, 1));
  // A finished hover fade, then the button is disabled and enabled with no
  // paint message in between: the screen must follow each change by itself.
  SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_GE(RunFade(button_), 0);
  EnableWindow(button_, FALSE);
  EXPECT_EQ(testing::ClientPixel(button_, 37, 1), Face(3, 3, 1));
  EXPECT_EQ(Prop(button_, props::kTimerId), 0);
  EnableWindow(button_, TRUE);
  EXPECT_EQ(testing::ClientPixel(button_, 37, 1), Face(0, 3, 1));

  // Disabled in the middle of a fade: the fade stops with the disabled face.
  SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_NE(Prop(button_, props::kTimerId), 0);
  EnableWindow(button_, FALSE);
  EXPECT_EQ(Prop(button_, props::kTimerId), 0);
  EXPECT_EQ(testing::ClientPixel(button_, 37, 1), Face(3, 3, 1));
}

TEST_F(CommandButtonTest, ButtonsThatAreNotPushButtonsKeepTheirOwnLook) {
  const HWND group = form_.Add(L"Button", BS_GROUPBOX, L"合并选项", 10, 60, 200, 100);
  ASSERT_NE(Prop(group, props::kProcAddr), 0);  // made on a skinned form: skinned at once
  EXPECT_EQ(GetWindowLongPtrW(group, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
  SendMessageW(group, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(group, props::kTimerId), 0);  // no fade where nothing is painted
  Dib dib(200, 100, RGB(1, 2, 3));
  SendMessageW(group, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
  EXPECT_EQ(dib.Count(Face(0, 3, 0)), 0);

  // The program's own button control is not a command button at all.
  WNDCLASSW own{};
  own.lpfnWndProc = DefWindowProcW;
  own.hInstance = GetModuleHandleW(nullptr);
  own.lpszClassName = L"StyleButton";
  RegisterClassW(&own);
  const HWND style_button = form_.Add(L"StyleButton", 0);
  ASSERT_NE(Prop(style_button, props::kProcAddr), 0);
  EXPECT_EQ(GetPropW(style_button, props::kOldStyle), nullptr);
  EXPECT_EQ(GetPropW(style_button, L"0HDC"), nullptr);
}

}  // namespace
}  // namespace tessaro::skin
