// Halves rounded to the even neighbour, wherever the skin centres or scales
// something: a 13-pixel glyph sits 4 down in 20 pixels (3.5 -> 4) but 2 down
// in 18 (2.5 -> 2). Integer arithmetic keeps the result independent of the
// floating-point rounding mode.
#pragma once

#include <cstdint>

namespace tessaro::skin {

constexpr int HalfToEven(int difference) {
  const int floor_half = difference >> 1;  // floors for negative values too
  if ((difference & 1) == 0) return floor_half;
  return (floor_half & 1) == 0 ? floor_half : floor_half + 1;
}

// Offset that centres an inner extent in an outer one.
constexpr int CentreOffset(int outer, int inner) { return HalfToEven(outer - inner); }

// extent * part / whole for 0 <= part <= whole, whole > 0, to the nearest
// integer with halves to even.
constexpr int ScaleToEven(int extent, std::int64_t part, std::int64_t whole) {
  const std::int64_t product = static_cast<std::int64_t>(extent) * part;
  std::int64_t quotient = product / whole;
  const std::int64_t twice_rest = 2 * (product % whole);
  if (twice_rest > whole || (twice_rest == whole && (quotient & 1) != 0)) ++quotient;
  return static_cast<int>(quotient);
}

}  // namespace tessaro::skin
