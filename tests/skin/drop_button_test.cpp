// Combo boxes' drop buttons read back from the screen: at rest, hovered,
// pressed while the list is open, the edit-field combo's button area, and
// the simple combo that has no button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "skin/centre.h"
#include "skin/drop_button.h"
#include "skin/image_pixels.h"
#include "skin/primitives.h"
#include "skin/skin.h"
#include "skin/skin_colors.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using testing::FramePixel;

COLORREF Parts(int x, int y) { return ImagePixel(SkinImage::DropButtonParts, x, y); }

int OldState(HWND combo) { return static_cast<int>(props::Read(combo, props::kOldState)); }

// Where the drop button and its arrow lie in the window.
struct ButtonPlace {
  int left, top, width, height, arrow_left, arrow_top;
};

ButtonPlace PlaceOf(HWND combo) {
  const WindowBox box = GetWindowBox(combo);
  const int button = GetSystemMetrics(SM_CXVSCROLL);
  return {box.width - button - 2, 1, button + 1, box.height - 2, HalfToEven(button - 6), HalfToEven(box.height - 6)};
}

// The background's corner and its first column inside, then every arrow
// pixel over it.
void ExpectButton(HWND combo, int state, bool enabled = true) {
  const ButtonPlace place = PlaceOf(combo);
  const int strip = state == kDropHover ? 0 : 4;
  const COLORREF corner = state == kDropNormal ? kWhite : Parts(strip, 0);
  const COLORREF inside = state == kDropNormal ? kWhite : Parts(strip + 1, 0);
  EXPECT_EQ(FramePixel(combo, place.left, place.top), corner) << "state " << state;
  EXPECT_EQ(FramePixel(combo, place.left + 2, place.top), inside) << "state " << state;
  EXPECT_EQ(FramePixel(combo, place.left + place.width, place.top), enabled ? kBorderEnabled : kBorderDisabled)
      << "the frame right of the button";
  const int arrow_top = enabled ? 0 : 4;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 7; ++x) {
      const COLORREF pixel = Parts(8 + x, arrow_top + y);
      if (pixel == kKeyColour) continue;
      EXPECT_EQ(FramePixel(combo, place.left + place.arrow_left + x, place.top + place.arrow_top + y), pixel)
          << "arrow " << x << "," << y << " state " << state;
    }
  }
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class DropButtonTest : public ::testing::Test {
 protected:
  // A combo of three items on the form, skinned and painted.
  HWND SkinnedCombo(DWORD style) {
    const HWND combo = form_.Add(WC_COMBOBOXW, style, L"", 10, 10, 150, 200);
    for (const wchar_t* item : {L"甲", L"乙", L"丙"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_TRUE(SkinWindow(form_.form()));
    UpdateWindow(form_.form());
    EXPECT_EQ(FramePixel(combo, 0, 5), kBorderEnabled);
    return combo;
  }
  void TearDown() override {
    DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
  }
  testing::SkinnedForm form_;
};

TEST_F(DropButtonTest, AListComboShowsItsButtonAtRestHoveredAndPressedWhileOpen) {
  const HWND combo = SkinnedCombo(CBS_DROPDOWNLIST);
  const WindowBox box = GetWindowBox(combo);
  EXPECT_EQ(FramePixel(combo, 1, 5), kWhite);
  ExpectButton(combo, kDropNormal);

  SendMessageW(combo, WM_MOUSEMOVE, 0, Point(box.width / 2, box.height / 2));
  EXPECT_EQ(OldState(combo), kDropHover);
  ExpectButton(combo, kDropHover);
  EXPECT_EQ(props::Read(combo, props::kMouseFlag), 1);

  // An open list keeps the button pressed, whatever the mouse does.
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo, WM_MOUSEMOVE, 0, Point(box.width / 2, box.height / 2));
  EXPECT_EQ(OldState(combo), kDropPressed);
  ExpectButton(combo, kDropPressed);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

  SendMessageW(combo, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(OldState(combo), kDropNormal);
  EXPECT_EQ(props::Read(combo, props::kMouseFlag), 0);
  ExpectButton(combo, kDropNormal);

  // Moving the window puts the button back to rest.
  SendMessageW(combo, WM_MOUSEMOVE, 0, Point(box.width / 2, box.height / 2));
  SetWindowPos(combo, nullptr, 20, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(OldState(combo), kDropNormal);

  EnableWindow(combo, FALSE);
  RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(FramePixel(combo, 0, 5), kBorderDisabled);
  ExpectButton(combo, kDropNormal, false);
}

TEST_F(DropButtonTest, AnEditFieldComboHoversOnlyOverItsButton) {
  const HWND combo = SkinnedCombo(CBS_DROPDOWN);
  const WindowBox box = GetWindowBox(combo);
  ExpectButton(combo, kDropNormal);

  const int button = GetSystemMetrics(SM_CXVSCROLL);
  SendMessageW(combo, WM_MOUSEMOVE, 0, Point(box.width - button / 2, box.height / 2));
  EXPECT_EQ(OldState(combo), kDropHover);
  ExpectButton(combo, kDropHover);
  // On the border, outside the button area.
  SendMessageW(combo, WM_MOUSEMOVE, 0, Point(box.width - 1, box.height / 2));
  EXPECT_EQ(OldState(combo), kDropNormal);
  ExpectButton(combo, kDropNormal);
  // A press in the text part does not press the button.
  SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, box.height / 2));
  EXPECT_EQ(OldState(combo), kDropNormal);
  SendMessageW(combo, WM_LBUTTONUP, 0, Point(5, box.height / 2));
}

TEST_F(DropButtonTest, ASimpleComboHasNoButtonToPaint) {
  const HWND combo = SkinnedCombo(CBS_SIMPLE);
  PaintDropButton(combo, nullptr, kDropHover, true);
  EXPECT_EQ(OldState(combo), kDropNormal);
}

}  // namespace
}  // namespace tessaro::skin
