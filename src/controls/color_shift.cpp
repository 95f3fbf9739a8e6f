#include "controls/color_shift.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

BYTE Clamp(int channel) { return static_cast<BYTE>(std::clamp(channel, 0, 255)); }

}  // namespace

COLORREF ShiftColor(COLORREF color, int n, bool scaled) {
  const int blue = GetBValue(color);
  // Integer division truncates toward zero, for darkening shifts too.
  const int blue_shift = scaled ? blue * n / 192 : n;
  return RGB(Clamp(GetRValue(color) + n), Clamp(GetGValue(color) + n), Clamp(blue + blue_shift));
}

COLORREF ResolveColor(COLORREF color) {
  constexpr COLORREF kSystemColorFlag = 0x80000000;
  if ((color & 0xFF000000) == kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

ButtonColors SchemeColors(int scheme, COLORREF back, COLORREF fore) {
  switch (scheme) {
    case 2: {
      const COLORREF face = ResolveColor(back);
      return {.face = face,
              .light = ShiftColor(face, 31, false),
              .highlight = ShiftColor(face, 47, false),
              .shadow = ShiftColor(face, -64, false),
              .dark_shadow = ShiftColor(face, -192, false),
              .text = ResolveColor(fore)};
    }
    case 3:
      return {.face = RGB(192, 192, 192),
              .light = RGB(223, 223, 223),
              .highlight = RGB(255, 255, 255),
              .shadow = RGB(128, 128, 128),
              .dark_shadow = RGB(0, 0, 0),
              .text = RGB(0, 0, 0)};
    default:
      return {.face = GetSysColor(COLOR_BTNFACE),
              .light = GetSysColor(COLOR_3DLIGHT),
              .highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
              .shadow = GetSysColor(COLOR_BTNSHADOW),
              .dark_shadow = GetSysColor(COLOR_3DDKSHADOW),
              .text = GetSysColor(COLOR_BTNTEXT)};
  }
}

int RoundHalfEven(double x) {
  const double floor = std::floor(x);
  const double fraction = x - floor;
  const int below = static_cast<int>(floor);
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1;
  return below % 2 == 0 ? below : below + 1;
}

}  // namespace tessaro
