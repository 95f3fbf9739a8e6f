// Off-screen surfaces compatible with the display.
#pragma once

#include "win32/gdi.h"

namespace tessaro::skin {

// A display-compatible surface of width x height; empty (false) when the
// display context, the memory context or the bitmap cannot be made.
Surface CreateMemSurface(int width, int height);

}  // namespace tessaro::skin
