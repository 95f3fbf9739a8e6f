// Check boxes: the system paints the caption, the skin its own box over the
// system's glyph.
#pragma once

#include <windows.h>

namespace tessaro::skin {

// Paints the glyph for state (0 normal, 1 hover, 2 pressed); false, without
// painting, when the state is unchanged and forced is false.
bool PaintCheckBox(HWND window, int state, bool forced);

}  // namespace tessaro::skin
