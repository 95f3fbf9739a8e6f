// The glyphs the skin draws over the system's check boxes and option
// buttons: a framed box with a check mark or square, and a disc with a dot.
#pragma once

#include <windows.h>

namespace tessaro::skin {

struct MarkLook {
  int state;   // 0 normal, 1 hover, 2 pressed
  int check;   // BM_GETCHECK: 0 unchecked, 1 checked, 2 indeterminate
  bool enabled;
};

// Both draw over (0, top, width, height) of dc: the check box opaque, the
// option disc keyed over what is there.
void DrawCheckGlyph(HDC dc, int top, int width, int height, const MarkLook& look);
void DrawOptionGlyph(HDC dc, int top, int width, int height, const MarkLook& look);

// The system's glyph size, which the skin's glyphs cover.
SIZE MarkGlyphSize();

}  // namespace tessaro::skin
