// Progress bars read back from the screen: the filled share, across and
// upwards, the empty bar, and a bar on the system's default range.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "skin/progress_bar.h"
#include "skin/skin.h"
#include "skin/skin_colors.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using testing::ClientPixel;
using testing::FramePixel;

TEST(ProgressShares, LengthsRoundHalvesToEvenAndStayInsideTheBar) {
  EXPECT_EQ(FilledLength(200, {15000, 30000}), 100);
  EXPECT_EQ(FilledLength(7, {1, 2}), 4);  // 3.5
  EXPECT_EQ(FilledLength(5, {1, 2}), 2);  // 2.5
  EXPECT_EQ(FilledLength(200, {0, 30000}), 0);
  EXPECT_EQ(FilledLength(200, {40000, 30000}), 200);
  EXPECT_EQ(FilledLength(200, {-5, 30000}), 0);
  EXPECT_EQ(FilledLength(200, {1, 0}), 0);
  EXPECT_EQ(FilledLength(2'000'000'000, {1'999'999'999, 2'000'000'000}), 1'999'999'999);
}

class ProgressBarTest : public ::testing::Test {
 protected:
  HWND AddBar(DWORD style, int x, int y, int width, int height, int position, int high = 30000) {
    const HWND bar = form_.Add(PROGRESS_CLASSW, style, L"", x, y, width, height);
    SendMessageW(bar, PBM_SETRANGE32, 0, high);
    SendMessageW(bar, PBM_SETPOS, position, 0);
    return bar;
  }
  static SIZE Client(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
  }
  void TearDown() override {
    DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
  }
  testing::SkinnedForm form_;
};

TEST_F(ProgressBarTest, HalfwayFillsTheLeftOrTheLowerHalfAndZeroShowsWhiteOnly) {
  const HWND across = AddBar(WS_BORDER, 10, 10, 200, 20, 15000);
  const HWND upwards = AddBar(WS_BORDER | PBS_VERTICAL | PBS_SMOOTH, 250, 10, 20, 200, 15000);
  const HWND empty = AddBar(WS_BORDER, 10, 60, 200, 20, 0);
  const HWND hundred = AddBar(0, 10, 100, 200, 20, 50, 100);  // borderless, on the system's usual range
  ASSERT_TRUE(SkinWindow(form_.form()));
  UpdateWindow(form_.form());

  for (const HWND bar : {across, hundred}) {
    const SIZE client = Client(bar);
    EXPECT_EQ(ClientPixel(bar, 0, client.cy / 2), kProgressFill);
    EXPECT_EQ(ClientPixel(bar, client.cx / 2 - 1, client.cy - 1), kProgressFill);
    EXPECT_EQ(ClientPixel(bar, client.cx / 2, 0), kWhite);
    EXPECT_EQ(ClientPixel(bar, client.cx - 1, client.cy / 2), kWhite);
  }
  EXPECT_EQ(FramePixel(across, 0, 0), kBorderEnabled);
  // Without a border the frame paint leaves the bar's edge to the bar,
  // whichever of the two paints comes last.
  SendMessageW(hundred, WM_NCPAINT, 1, 0);
  EXPECT_EQ(FramePixel(hundred, 0, 0), kProgressFill);
  const SIZE tall = Client(upwards);
  EXPECT_EQ(ClientPixel(upwards, tall.cx / 2, 0), kWhite);
  EXPECT_EQ(ClientPixel(upwards, tall.cx / 2, tall.cy / 2 - 1), kWhite);
  EXPECT_EQ(ClientPixel(upwards, 0, tall.cy / 2), kProgressFill);
  EXPECT_EQ(ClientPixel(upwards, tall.cx - 1, tall.cy - 1), kProgressFill);
  EXPECT_EQ(FramePixel(upwards, 0, 0), kBorderEnabled);

  const SIZE flat = Client(empty);
  for (const LONG x : {0L, flat.cx / 2, flat.cx - 1}) EXPECT_EQ(ClientPixel(empty, static_cast<int>(x), flat.cy / 2), kWhite);

  // The bar follows its position.
  SendMessageW(empty, PBM_SETPOS, 30000, 0);
  UpdateWindow(empty);
  EXPECT_EQ(ClientPixel(empty, flat.cx - 1, flat.cy / 2), kProgressFill);
}

}  // namespace
}  // namespace tessaro::skin
