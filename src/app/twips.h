// Window layouts are stored in twips (1/1440 inch) and placed in pixels of
// the real screen: 15 twips per pixel at 96 DPI, 12 at 120 DPI.
#pragma once

namespace tessaro {

constexpr int kTwipsPerInch = 1440;

// Nearest pixel; halves round away from zero, as MulDiv does.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                      : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

}  // namespace tessaro
