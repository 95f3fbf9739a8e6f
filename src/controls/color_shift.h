// Colour arithmetic of the button: the six colours of a colour scheme and
// the brightness shifts its styles are painted with.
#pragma once

#include <windows.h>

namespace tessaro {

// The colours a button is painted with.
struct ButtonColors {
  COLORREF face = 0;
  COLORREF light = 0;
  COLORREF highlight = 0;
  COLORREF shadow = 0;
  COLORREF dark_shadow = 0;
  COLORREF text = 0;

  bool operator==(const ButtonColors&) const = default;
};

// Adds n to red and green and, unscaled, to blue; scaled, blue moves by
// blue * n / 192 instead, so bluish colours keep their tint. Each channel is
// clamped to 0..255.
COLORREF ShiftColor(COLORREF color, int n, bool scaled);

// The colours of a scheme: 2 derives them from back and fore, 3 is a fixed
// grey palette, any other value takes the system's button colours as they
// are now.
ButtonColors SchemeColors(int scheme, COLORREF back, COLORREF fore);

// A stored colour as RGB: a system colour reference (0x80 in the high byte,
// the system colour index in the low byte, as forms store "button face")
// becomes that system colour's current value.
COLORREF ResolveColor(COLORREF color);

// x to the nearest integer, ties to the even one.
int RoundHalfEven(double x);

}  // namespace tessaro
