// The window shape of each button style: the full rectangle with some
// corner pixels cut away.
#pragma once

#include <windows.h>

#include <vector>

#include "win32/gdi.h"

namespace tessaro {

// The pixels of (0,0,width,height) that the style leaves out of its shape.
std::vector<POINT> RemovedPixels(int type, int width, int height);

// The shape as a region, ready for SetWindowRgn.
Region MakeRegion(int type, int width, int height);

}  // namespace tessaro
