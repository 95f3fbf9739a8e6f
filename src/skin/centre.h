// Centring offsets. Half of an odd difference is rounded to the even
// neighbour (3.5 -> 4, 2.5 -> 2), so a 13-pixel glyph sits 4 down in 20
// pixels but 2 down in 18. Integer arithmetic keeps the result independent
// of the floating-point rounding mode.
#pragma once

namespace tessaro::skin {

constexpr int HalfToEven(int difference) {
  const int floor_half = difference >> 1;  // floors for negative values too
  if ((difference & 1) == 0) return floor_half;
  return (floor_half & 1) == 0 ? floor_half : floor_half + 1;
}

// Offset that centres an inner extent in an outer one.
constexpr int CentreOffset(int outer, int inner) { return HalfToEven(outer - inner); }

}  // namespace tessaro::skin
