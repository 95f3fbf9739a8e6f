// What the pointer points at while rows of the added-documents list are dragged.
#include <gtest/gtest.h>

#include "app/row_geometry.h"

namespace tessaro {
namespace {

// A list 169 pixels high with a 20-pixel header and 17-pixel rows, scrolled
// so that row 4 is the first one visible; 10 rows in all.
constexpr RowGeometry kScrolled{20, 17, 4, 10, 169};

TEST(RowGeometryTest, RowUnderThePointer) {
  EXPECT_EQ(InsertionIndexAt(20, kScrolled), 4);
  EXPECT_EQ(InsertionIndexAt(36, kScrolled), 4);
  EXPECT_EQ(InsertionIndexAt(37, kScrolled), 5);
  EXPECT_EQ(InsertionIndexAt(20 + 5 * 17, kScrolled), 9);
  // Below the last row: the end of the list.
  EXPECT_EQ(InsertionIndexAt(20 + 6 * 17, kScrolled), 10);
  EXPECT_EQ(InsertionIndexAt(168, kScrolled), 10);
  // Over the header, above or below the list: nothing.
  EXPECT_EQ(InsertionIndexAt(19, kScrolled), std::nullopt);
  EXPECT_EQ(InsertionIndexAt(-3, kScrolled), std::nullopt);
  EXPECT_EQ(InsertionIndexAt(169, kScrolled), std::nullopt);
  // An empty list has no row height to go by.
  EXPECT_EQ(InsertionIndexAt(50, RowGeometry{0, 0, 0, 0, 169}), std::nullopt);
}

TEST(RowGeometryTest, InsertionLineSitsOnTheRowBorder) {
  EXPECT_EQ(InsertionLineY(4, kScrolled), 20);
  EXPECT_EQ(InsertionLineY(6, kScrolled), 54);
  EXPECT_EQ(InsertionLineY(10, kScrolled), 20 + 6 * 17);  // after the last row
}

TEST(RowGeometryTest, AutoScrollOnlyNearTheEdges) {
  EXPECT_EQ(AutoScrollStep(-10, kScrolled), -1);
  EXPECT_EQ(AutoScrollStep(25, kScrolled), -1);  // over the first visible row
  EXPECT_EQ(AutoScrollStep(37, kScrolled), 0);
  // The middle of the list stays still: dragging there must not scroll.
  EXPECT_EQ(AutoScrollStep(100, kScrolled), 0);
  EXPECT_EQ(AutoScrollStep(151, kScrolled), 0);
  EXPECT_EQ(AutoScrollStep(152, kScrolled), 1);  // within a row of the bottom
  EXPECT_EQ(AutoScrollStep(400, kScrolled), 1);
  EXPECT_EQ(AutoScrollStep(30, RowGeometry{0, 0, 0, 0, 169}), 0);
}

}  // namespace
}  // namespace tessaro
