// vsOrder's value: one row per step, the ends, the thumb, and ranges past
// 32,767.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/order_bar.h"

namespace tessaro {
namespace {

TEST(OrderBarTest, ScrollRequests) {
  struct Case {
    int request, value, minimum, maximum, track, expected;
  };
  const Case cases[] = {
      {SB_LINEDOWN, 1, 1, 3, 0, 2},
      {SB_PAGEDOWN, 1, 1, 3, 0, 2},
      {SB_LINEUP, 2, 1, 3, 0, 1},
      {SB_PAGEUP, 2, 1, 3, 0, 1},
      {SB_LINEUP, 1, 1, 3, 0, 1},
      {SB_LINEDOWN, 3, 1, 3, 0, 3},
      {SB_TOP, 2, 1, 3, 0, 1},
      {SB_BOTTOM, 2, 1, 3, 0, 3},
      {SB_ENDSCROLL, 2, 1, 3, 0, 2},
      // The thumb's position comes whole, beyond what a 16-bit value holds.
      {SB_THUMBTRACK, 1, 1, 70000, 32768, 32768},
      {SB_THUMBTRACK, 1, 1, 70000, 65536, 65536},
      {SB_THUMBPOSITION, 1, 1, 70000, 69999, 69999},
      {SB_LINEDOWN, 69999, 1, 70000, 0, 70000},
      {SB_BOTTOM, 1, 1, 70000, 0, 70000},
      // Never outside the range.
      {SB_THUMBTRACK, 2, 1, 3, 9, 3},
      {SB_THUMBTRACK, 2, 1, 3, -4, 1},
      // An empty range (no rows) holds only its minimum.
      {SB_LINEDOWN, 1, 1, 0, 0, 1},
      {SB_BOTTOM, 1, 1, 0, 0, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OrderBar::ScrolledValue(c.request, c.value, c.minimum, c.maximum, c.track), c.expected)
        << c.request << " from " << c.value << " in " << c.minimum << ".." << c.maximum;
  }
}

class OrderBarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"ScrollBar", nullptr, WS_POPUP | SBS_VERT, 0, 0, 17, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    bar_.Attach(window_);
  }
  void TearDown() override { DestroyWindow(window_); }

  SCROLLINFO Shown() const {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(window_, SB_CTL, &info);
    return info;
  }

  HWND window_ = nullptr;
  OrderBar bar_;
};

TEST_F(OrderBarWindowTest, TheNativeBarShowsTheWholeRange) {
  bar_.SetRange(1, 70000);
  bar_.SetValue(65537);
  EXPECT_EQ(Shown().nMax, 70000);
  EXPECT_EQ(Shown().nPos, 65537);
  EXPECT_TRUE(IsWindowEnabled(window_));

  EXPECT_EQ(bar_.Scroll(SB_LINEDOWN), 65538);
  EXPECT_EQ(Shown().nPos, 65538);
  EXPECT_EQ(bar_.Scroll(SB_BOTTOM), 70000);
  EXPECT_EQ(bar_.Scroll(SB_LINEDOWN), std::nullopt);
  EXPECT_EQ(bar_.value(), 70000);
}

TEST_F(OrderBarWindowTest, ShrinkingTheRangePullsTheValueIn) {
  bar_.SetRange(1, 5);
  bar_.SetValue(5);
  bar_.SetRange(1, 3);
  EXPECT_EQ(bar_.value(), 3);
  EXPECT_EQ(Shown().nPos, 3);
  // No rows: the bar cannot be moved.
  bar_.SetRange(1, 0);
  EXPECT_EQ(bar_.value(), 1);
  EXPECT_FALSE(IsWindowEnabled(window_));
}

}  // namespace
}  // namespace tessaro
