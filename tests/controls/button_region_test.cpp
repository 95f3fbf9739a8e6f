#include "controls/button_region.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace tessaro {
namespace {

constexpr int W = 10, H = 8;

// Every pixel of the W x H rectangle is in the shape except the listed ones.
void ExpectShape(int type, const std::set<std::pair<int, int>>& cut) {
  const Region shape = MakeRegion(type, W, H);
  ASSERT_TRUE(shape);
  for (int y = -1; y <= H; ++y) {
    for (int x = -1; x <= W; ++x) {
      const bool inside = x >= 0 && y >= 0 && x < W && y < H && !cut.count({x, y});
      EXPECT_EQ(PtInRegion(shape.get(), x, y) != 0, inside)
          << "style " << type << " at (" << x << "," << y << ")";
    }
  }
}

TEST(ButtonRegion, CutsTheCornersOfEachStyle) {
  ExpectShape(1, {{0, 0}, {0, H - 1}, {W - 1, 0}, {W - 1, H - 1}});
  const std::set<std::pair<int, int>> rounded = {
      {0, 0},     {1, 0},         {0, 1},         {W - 1, 0},     {W - 2, 0},         {W - 1, 1},
      {0, H - 1}, {1, H - 1},     {0, H - 2},     {W - 1, H - 1}, {W - 2, H - 1},     {W - 1, H - 2}};
  ExpectShape(3, rounded);
  ExpectShape(4, rounded);
  ExpectShape(5, {{0, H - 1}, {W - 1, 0}});
  for (int type : {2, 6, 7, 0, 8}) ExpectShape(type, {});
}

TEST(ButtonRegion, EmptyButtonHasAnEmptyShape) {
  const Region shape = MakeRegion(3, 0, 0);
  ASSERT_TRUE(shape);
  RECT box{};
  EXPECT_EQ(GetRgnBox(shape.get(), &box), NULLREGION);
}

}  // namespace
}  // namespace tessaro
