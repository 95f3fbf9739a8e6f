#include <gtest/gtest.h>

#include "dib.h"
#include "skin/centre.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"
#include "skin/skin_images.h"
#include "skin/sliced_copy.h"

namespace tessaro::skin {
namespace {

TEST(SkinCentring, HalvesRoundToTheNearestEvenNeighbour) {
  EXPECT_EQ(CentreOffset(20, 13), 4);  // 3.5
  EXPECT_EQ(CentreOffset(18, 13), 2);  // 2.5
  EXPECT_EQ(CentreOffset(13, 8), 2);   // 2.5: the check mark in a 13-pixel glyph
  EXPECT_EQ(CentreOffset(13, 9), 2);
  EXPECT_EQ(CentreOffset(16, 13), 2);  // 1.5
  EXPECT_EQ(HalfToEven(-1), 0);
  EXPECT_EQ(HalfToEven(-3), -2);
  EXPECT_EQ(HalfToEven(-5), -2);
}

TEST(SkinBoxes, FillCoversTheRectangleAndFrameOnlyItsInsideEdge) {
  testing::Dib dib(10, 10, kWhite);
  FillBox(dib.dc(), 1, 2, 3, 4, kBorderEnabled);
  EXPECT_EQ(dib.Count(kBorderEnabled), 12);
  EXPECT_EQ(dib.Bounds(kBorderEnabled).left, 1);
  EXPECT_EQ(dib.Bounds(kBorderEnabled).bottom, 6);

  testing::Dib frame(10, 10, kWhite);
  FrameBox(frame.dc(), 2, 2, 5, 4, kPressedCheckFrame);
  EXPECT_EQ(frame.Count(kPressedCheckFrame), 14);
  EXPECT_EQ(frame.At(6, 5), kPressedCheckFrame);
  EXPECT_EQ(frame.At(3, 3), kWhite);
  EXPECT_EQ(frame.At(7, 6), kWhite);
}

class SlicedCopy : public ::testing::Test {
 protected:
  SkinImages images_ = SkinImages::Build();
  HDC faces() const { return images_.dc(SkinImage::ButtonFaces); }
};

TEST_F(SlicedCopy, SameSizeReproducesTheSourceAndZeroSizeDrawsNothing) {
  for (int state = 0; state < 4; ++state) {
    testing::Dib dib(7, 21);
    ASSERT_TRUE(DrawSliced(dib.dc(), 0, 0, 7, 21, faces(), parts::ButtonFace(state), {3, 3, 3, 3}));
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 7; ++x) ASSERT_EQ(dib.At(x, y), ImagePixel(SkinImage::ButtonFaces, x, 21 * state + y));
  }
  testing::Dib untouched(7, 21, RGB(1, 2, 3));
  EXPECT_FALSE(DrawSliced(untouched.dc(), 0, 0, 0, 21, faces(), parts::ButtonFace(0), {3, 3, 3, 3}));
  EXPECT_FALSE(DrawSliced(untouched.dc(), 0, 0, 7, 21, faces(), {0, 0, 7, 0}, {3, 3, 3, 3}));
  EXPECT_EQ(untouched.Count(RGB(1, 2, 3)), 7 * 21);
}

TEST_F(SlicedCopy, StretchedFaceKeepsItsCornersAndSpreadsTheCentreColumn) {
  testing::Dib dib(80, 30);
  ASSERT_TRUE(DrawSliced(dib.dc(), 2, 4, 75, 23, faces(), parts::ButtonFace(1), {3, 3, 3, 3}));
  const auto source = [](int x, int y) { return ImagePixel(SkinImage::ButtonFaces, x, 21 + y); };
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(dib.At(2 + x, 4 + y), source(x, y));
      EXPECT_EQ(dib.At(2 + 72 + x, 4 + y), source(4 + x, y));
      EXPECT_EQ(dib.At(2 + x, 4 + 20 + y), source(x, 18 + y));
      EXPECT_EQ(dib.At(2 + 72 + x, 4 + 20 + y), source(4 + x, 18 + y));
    }
    // The single centre column of the top and bottom edges fills 69 pixels.
    for (int x = 3; x < 72; ++x) {
      ASSERT_EQ(dib.At(2 + x, 4 + y), source(3, y)) << x;
      ASSERT_EQ(dib.At(2 + x, 4 + 20 + y), source(3, 18 + y)) << x;
    }
  }
  // Nothing outside the destination rectangle.
  EXPECT_EQ(dib.Count(kKeyColour), 80 * 30 - 75 * 23);
}

TEST_F(SlicedCopy, KeyedCopiesChangeOnlyThePicturePixels) {
  const COLORREF background = RGB(10, 200, 30);
  const HDC marks = images_.dc(SkinImage::MarkGlyphs);
  testing::Dib dib(12, 12, background);
  TransparentCopy(dib.dc(), 1, 2, 9, 8, marks, 0, 0, kKeyColour);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 1 && x < 10 && y >= 2 && y < 10;
      const COLORREF glyph = inside ? ImagePixel(SkinImage::MarkGlyphs, x - 1, y - 2) : kKeyColour;
      ASSERT_EQ(dib.At(x, y), glyph == kKeyColour ? background : glyph) << x << "," << y;
    }
  }

  // A keyed nine-slice copy of a disc keeps what lay outside the circle.
  testing::Dib disc(13, 13, background);
  ASSERT_TRUE(DrawSliced(disc.dc(), 0, 0, 13, 13, images_.dc(SkinImage::OptionDiscs), parts::OptionDisc(0),
                         {5, 5, 5, 5}, kKeyColour));
  EXPECT_EQ(disc.At(0, 0), background);
  EXPECT_EQ(disc.At(6, 6), kWhite);
  EXPECT_EQ(disc.At(0, 6), ImagePixel(SkinImage::OptionDiscs, 0, 6));
}

// A bare top-level window of the given styles, destroyed with the test.
class BareWindow {
 public:
  BareWindow(DWORD style, DWORD ex_style)
      : window_(CreateWindowExW(ex_style, L"Static", L"", style, 10, 10, 120, 90, nullptr, nullptr, nullptr,
                                nullptr)) {}
  ~BareWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TEST(SkinBorders, BorderSizeIsHalfTheFrameWithoutScrollBars) {
  const BareWindow plain(WS_POPUP, WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetBorderSize(plain.get()).cx, 2);
  EXPECT_EQ(GetBorderSize(plain.get()).cy, 2);
  const BareWindow scrolled(WS_POPUP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetBorderSize(scrolled.get()).cx, 2);
  EXPECT_EQ(GetBorderSize(scrolled.get()).cy, 2);
  const BareWindow bare(WS_POPUP, 0);
  EXPECT_EQ(GetBorderSize(bare.get()).cx, 0);
}

TEST(SkinBorders, TwoRingsPaleWhenTheWindowIsDisabled) {
  const BareWindow window(WS_POPUP, WS_EX_CLIENTEDGE);
  for (const bool enabled : {true, false}) {
    EnableWindow(window.get(), enabled);
    testing::Dib dib(120, 90, RGB(1, 2, 3));
    DrawTwoRingBorder(window.get(), dib.dc());
    const COLORREF outer = enabled ? kBorderEnabled : kBorderDisabled;
    EXPECT_EQ(dib.Count(outer), 2 * 120 + 2 * 88);
    EXPECT_EQ(dib.Count(kWhite), 2 * 118 + 2 * 86);
    EXPECT_EQ(dib.At(0, 45), outer);
    EXPECT_EQ(dib.At(118, 45), kWhite);
    EXPECT_EQ(dib.At(2, 2), RGB(1, 2, 3));
  }
}

}  // namespace
}  // namespace tessaro::skin
