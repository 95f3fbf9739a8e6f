#include "controls/color_shift.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(ShiftColor, MovesEveryChannelAndClamps) {
  const struct {
    COLORREF color;
    int n;
    bool scaled;
    COLORREF expected;
  } cases[] = {
      {RGB(10, 20, 30), 5, false, RGB(15, 25, 35)},
      {RGB(250, 128, 3), 16, false, RGB(255, 144, 19)},
      {RGB(5, 40, 200), -32, false, RGB(0, 8, 168)},
      // Scaled: blue moves by blue * n / 192, truncated toward zero.
      {RGB(192, 192, 192), 48, true, RGB(240, 240, 240)},
      {RGB(100, 100, 101), -10, true, RGB(90, 90, 96)},  // -5.26 -> -5, not -6
      {RGB(100, 100, 100), 10, true, RGB(110, 110, 105)},  // 5.2 -> 5
      {RGB(240, 240, 240), 16, true, RGB(255, 255, 255)},
      {RGB(20, 20, 250), -48, true, RGB(0, 0, 188)},
      {RGB(0, 0, 0), 100, true, RGB(100, 100, 0)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShiftColor(c.color, c.n, c.scaled), c.expected)
        << std::hex << c.color << " by " << std::dec << c.n << (c.scaled ? " scaled" : "");
  }
}

TEST(RoundHalfEven, TakesTiesToTheEvenInteger) {
  const struct {
    double x;
    int expected;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
               {-3.5, -4}, {0.49, 0}, {-0.6, -1}, {-6.0000002, -6}, {2.51, 3}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.x), c.expected) << c.x;
}

TEST(SchemeColors, DerivesFromBackAndForeOrTakesAFixedPalette) {
  const ButtonColors derived = SchemeColors(2, RGB(100, 150, 200), RGB(1, 2, 3));
  EXPECT_EQ(derived, (ButtonColors{.face = RGB(100, 150, 200),
                                   .light = RGB(131, 181, 231),
                                   .highlight = RGB(147, 197, 247),
                                   .shadow = RGB(36, 86, 136),
                                   .dark_shadow = RGB(0, 0, 8),
                                   .text = RGB(1, 2, 3)}));

  const ButtonColors grey = SchemeColors(3, RGB(1, 1, 1), RGB(2, 2, 2));
  EXPECT_EQ(grey.face, RGB(192, 192, 192));
  EXPECT_EQ(grey.light, RGB(223, 223, 223));
  EXPECT_EQ(grey.highlight, RGB(255, 255, 255));
  EXPECT_EQ(grey.shadow, RGB(128, 128, 128));
  EXPECT_EQ(grey.dark_shadow, RGB(0, 0, 0));
  EXPECT_EQ(grey.text, RGB(0, 0, 0));

  for (int scheme : {1, 0, 4}) {
    const ButtonColors system = SchemeColors(scheme, RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_EQ(system.face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(system.light, GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(system.highlight, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(system.shadow, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(system.dark_shadow, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(system.text, GetSysColor(COLOR_BTNTEXT));
  }
}

TEST(SchemeColors, ReadsStoredSystemColourReferences) {
  const COLORREF button_face = 0x80000000 | COLOR_BTNFACE;
  const COLORREF button_text = 0x80000000 | COLOR_BTNTEXT;
  const ButtonColors colors = SchemeColors(2, button_face, button_text);
  EXPECT_EQ(colors.face, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(colors.text, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(colors.shadow, ShiftColor(GetSysColor(COLOR_BTNFACE), -64, false));
}

}  // namespace
}  // namespace tessaro
