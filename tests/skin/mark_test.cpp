// Check boxes and option buttons: the glyphs as composed, the glyphs as
// read back from real windows, hover and press states, and a click
// repainting its whole group.
#include <gtest/gtest.h>

#include <windows.h>

#include "dib.h"
#include "skin/centre.h"
#include "skin/check_box.h"
#include "skin/skin_state.h"
#include "skin/image_pixels.h"
#include "skin/mark_glyphs.h"
#include "skin/option_button.h"
#include "skin/skin.h"
#include "skin/skin_colors.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using ::tessaro::testing::Dib;

COLORREF Mark(int x, int y) { return ImagePixel(SkinImage::MarkGlyphs, x, y); }

// Every opaque pixel of the image part shows at (left, top) of the dib.
void ExpectPart(const Dib& dib, int left, int top, const ImagePart& part) {
  for (int y = 0; y < part.height; ++y) {
    for (int x = 0; x < part.width; ++x) {
      const COLORREF colour = Mark(part.left + x, part.top + y);
      if (colour == kKeyColour) continue;
      ASSERT_EQ(dib.At(left + x, top + y), colour) << x << "," << y;
    }
  }
}

class MarkGlyphTest : public ::testing::Test {
 protected:
  void SetUp() override { Skin().images = SkinImages::Build(); }
  void TearDown() override { Skin().images = {}; }
};

TEST_F(MarkGlyphTest, CheckBoxesFrameTheBoxAndCentreTheirMark) {
  Dib checked(13, 13);
  DrawCheckGlyph(checked.dc(), 0, 13, 13, {0, BST_CHECKED, true});
  EXPECT_EQ(checked.At(0, 0), kBorderEnabled);
  EXPECT_EQ(checked.At(12, 12), kBorderEnabled);
  ExpectPart(checked, 2, 2, parts::kCheckMark);
  EXPECT_EQ(checked.At(2, 3), kWhite);  // a gap in the mark

  Dib indeterminate(13, 13);
  DrawCheckGlyph(indeterminate.dc(), 0, 13, 13, {0, BST_INDETERMINATE, true});
  ExpectPart(indeterminate, 3, 3, parts::kSquare);
  EXPECT_EQ(indeterminate.At(2, 2), kWhite);

  Dib pressed(13, 13);
  DrawCheckGlyph(pressed.dc(), 0, 13, 13, {2, BST_UNCHECKED, true});
  EXPECT_EQ(pressed.At(0, 6), kPressedCheckFrame);
  EXPECT_EQ(pressed.At(6, 6), ImagePixel(SkinImage::OptionDiscs, 6, 32));

  Dib disabled(13, 13);
  DrawCheckGlyph(disabled.dc(), 0, 13, 13, {1, BST_CHECKED, false});
  EXPECT_EQ(disabled.At(0, 6), kBorderDisabled);
  EXPECT_EQ(disabled.At(1, 6), kWhite);  // no hover band when disabled
  ExpectPart(disabled, 2, 2, parts::kCheckMarkDisabled);
}

TEST_F(MarkGlyphTest, OptionDiscsSitCentredOverWhatIsThereWithTheDotInside) {
  const COLORREF background = RGB(236, 233, 216);
  Dib dib(13, 20, background);
  const int top = CentreOffset(20, 13);
  ASSERT_EQ(top, 4);
  DrawOptionGlyph(dib.dc(), top, 13, 13, {1, BST_CHECKED, true});
  EXPECT_EQ(dib.At(6, 3), background);
  EXPECT_EQ(dib.At(0, 4), background);                                   // outside the disc
  EXPECT_EQ(dib.At(6, 4), ImagePixel(SkinImage::OptionDiscs, 6, 13));    // rim of the hover disc
  EXPECT_EQ(dib.At(6, 16), ImagePixel(SkinImage::OptionDiscs, 6, 25));
  EXPECT_EQ(dib.At(6, 17), background);
  ExpectPart(dib, 4, 8, parts::kDot);
  EXPECT_EQ(dib.At(4, 8), RGB(207, 238, 250));  // the dot's own transparent corner

  Dib disabled(13, 13, background);
  DrawOptionGlyph(disabled.dc(), 0, 13, 13, {0, BST_CHECKED, false});
  EXPECT_EQ(disabled.At(6, 0), ImagePixel(SkinImage::OptionDiscs, 6, 39));
  ExpectPart(disabled, 4, 4, parts::kDotDisabled);
}

using testing::ClientPixel;

class MarkWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
  }
  testing::SkinnedForm form_;
};

TEST_F(MarkWindowTest, TheSkinsGlyphsCoverTheSystemsOnScreen) {
  const HWND check = form_.Add(L"Button", BS_AUTOCHECKBOX, L"打印", 10, 10, 100, 20);
  const HWND option = form_.Add(L"Button", BS_AUTORADIOBUTTON | WS_GROUP, L"选项", 10, 40, 100, 20);
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(SkinWindow(form_.form()));
  UpdateWindow(form_.form());
  UpdateWindow(check);
  UpdateWindow(option);

  const SIZE glyph = MarkGlyphSize();
  const int top = CentreOffset(20, glyph.cy);
  EXPECT_EQ(ClientPixel(check, 0, top), kBorderEnabled);
  // The system puts its glyph a row higher (it truncates the half); that
  // row shows the background, not the system's frame.
  const COLORREF background = ClientPixel(check, glyph.cx + 1, 0);
  for (const HWND window : {check, option}) {
    for (int x = 0; x < glyph.cx; ++x) ASSERT_EQ(ClientPixel(window, x, (20 - glyph.cy) / 2), background) << x;
  }
  const int mark_left = CentreOffset(glyph.cx, 9), mark_top = top + CentreOffset(glyph.cy, 8);
  EXPECT_EQ(ClientPixel(check, mark_left + 8, mark_top), Mark(8, 0));
  EXPECT_EQ(ClientPixel(check, mark_left + 3, mark_top + 7), Mark(3, 7));
  const int dot_left = CentreOffset(glyph.cx, 5), dot_top = top + CentreOffset(glyph.cy, 5);
  EXPECT_EQ(ClientPixel(option, dot_left + 2, dot_top + 2), Mark(4, 20));

  // Set from the program, the system draws its own glyph; the skin's returns.
  SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(ClientPixel(check, mark_left + 8, mark_top), kWhite);
  EXPECT_EQ(ClientPixel(check, 0, top), kBorderEnabled);
}

TEST_F(MarkWindowTest, HoverAndPressFollowThePointerAndAClickRepaintsTheGroup) {
  const HWND first = form_.Add(L"Button", BS_AUTORADIOBUTTON | WS_GROUP, L"甲", 10, 10, 100, 20);
  const HWND second = form_.Add(L"Button", BS_AUTORADIOBUTTON, L"乙", 10, 40, 100, 20);
  SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(SkinWindow(form_.form()));
  UpdateWindow(form_.form());

  SendMessageW(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(props::Read(second, props::kMouseFlag), 1);
  EXPECT_EQ(props::Read(second, props::kOldState), 1);
  EXPECT_FALSE(PaintOptionButton(second, 1, false));  // unchanged: nothing to paint
  EXPECT_TRUE(PaintOptionButton(second, 1, true));
  SendMessageW(second, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(props::Read(second, props::kOldState), 2);

  SendMessageW(second, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(second, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  const SIZE glyph = MarkGlyphSize();
  const int centre_x = CentreOffset(glyph.cx, 5) + 2, centre_y = CentreOffset(20, glyph.cy) + CentreOffset(glyph.cy, 5) + 2;
  EXPECT_EQ(ClientPixel(first, centre_x, centre_y), kWhite);  // the disc that lost its dot
  EXPECT_EQ(ClientPixel(second, centre_x, centre_y), Mark(4, 20));
  EXPECT_EQ(props::Read(second, props::kOldState), 0);

  SendMessageW(second, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(props::Read(second, props::kMouseFlag), 0);

  // Check boxes follow the space bar too.
  const HWND check = form_.Add(L"Button", BS_AUTOCHECKBOX, L"打印", 10, 70, 100, 20);
  ASSERT_NE(props::Read(check, props::kProcAddr), 0);  // made on a skinned form: skinned at once
  SendMessageW(check, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(props::Read(check, props::kOldState), 2);
  SendMessageW(check, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(props::Read(check, props::kOldState), 0);
}

}  // namespace
}  // namespace tessaro::skin
