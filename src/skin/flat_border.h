// Windows the skin does not paint, only frames: a flat one-pixel border in
// place of a sunken client edge, and the borders of lists and grids.
#pragma once

#include "skin/skin_kind.h"
#include "skin/skin_message.h"

namespace tessaro::skin {

// The sunken client edge becomes one ring in the border colour, the rest of
// the edge in the client's background colour.
void DrawFlatClientEdge(HWND window);

// WM_NCPAINT of every kind but progress bars and data lists.
LRESULT FlatEdgeMessage(const SkinMessage& message);
// WM_PAINT of data lists, drop-down lists and grids.
LRESULT FramedWindowMessage(const SkinMessage& message, SkinKind kind);

}  // namespace tessaro::skin
