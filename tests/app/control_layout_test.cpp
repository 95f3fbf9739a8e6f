#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/control_layout.h"
#include "app/form1_layout.h"
#include "app/about_window.h"
#include "app/steps_window.h"
#include "app/twips.h"

namespace tessaro {
namespace {

TEST(TwipsToPixels, FifteenTwipsPerPixelAt96AndTwelveAt120) {
  EXPECT_EQ(TwipsToPixels(11280, 96), 752);
  EXPECT_EQ(TwipsToPixels(8160, 96), 544);
  EXPECT_EQ(TwipsToPixels(11280, 120), 940);
  EXPECT_EQ(TwipsToPixels(0, 96), 0);
  // Between pixels: nearest, halves away from zero.
  EXPECT_EQ(TwipsToPixels(7, 96), 0);
  EXPECT_EQ(TwipsToPixels(8, 96), 1);
  EXPECT_EQ(TwipsToPixels(2415, 120), 201);  // 201.25
  EXPECT_EQ(TwipsToPixels(-8, 96), -1);
  // No overflow for large layouts at high DPI.
  EXPECT_EQ(TwipsToPixels(2'000'000'000, 144), 200'000'000);
}

TEST(ResolveLayout, FrameChildrenAreOffsetByTheirFrame) {
  const ControlLayout* check1 = FindControl(form1::kLayout, L"Check1");
  ASSERT_NE(check1, nullptr);
  EXPECT_EQ(ResolveTwips(form1::kLayout, *check1), (TwipsRect{600, 6360, 3135, 255}));
  const ControlLayout* text3 = FindControl(form1::kLayout, L"Text3");
  ASSERT_NE(text3, nullptr);
  EXPECT_EQ(ResolveTwips(form1::kLayout, *text3), (TwipsRect{8640, 6840, 435, 270}));
  // Controls on the form itself are unchanged.
  const ControlLayout* check6 = FindControl(form1::kLayout, L"Check6");
  EXPECT_EQ(ResolveTwips(form1::kLayout, *check6), (TwipsRect{7440, 5880, 1050, 255}));
}

TEST(ResolveLayout, PixelBoxesKeepNeighboursTouchingAtAnyDpi) {
  const ControlLayout row[] = {
      {1, L"A", ControlKind::Label, L"", nullptr, 0, 0, 1000, 100},
      {2, L"B", ControlKind::Label, L"", nullptr, 1000, 0, 1000, 100},
  };
  for (int dpi : {96, 120, 144, 192}) {
    const RECT a = ResolvePixels(row, row[0], dpi);
    const RECT b = ResolvePixels(row, row[1], dpi);
    EXPECT_EQ(a.right, b.left) << dpi;
  }
}

// Every table: ids and names unique, containers are frames of the same table.
void ExpectWellFormed(std::span<const ControlLayout> layout) {
  std::set<int> ids;
  std::set<std::wstring> names;
  for (const ControlLayout& control : layout) {
    EXPECT_TRUE(ids.insert(control.id).second) << control.id;
    EXPECT_TRUE(names.insert(control.name).second);
    EXPECT_GT(control.width, 0);
    EXPECT_GT(control.height, 0);
    if (control.container) {
      const ControlLayout* frame = FindControl(layout, control.container);
      ASSERT_NE(frame, nullptr);
      EXPECT_EQ(frame->kind, ControlKind::Frame);
    }
  }
}

TEST(ResolveLayout, TablesAreWellFormed) {
  ExpectWellFormed(form1::kLayout);
  ExpectWellFormed(form2::kLayout);
  ExpectWellFormed(form3::kLayout);
}

}  // namespace
}  // namespace tessaro
