// A command button's four prepared faces (normal, hover, pressed,
// disabled): surfaces of the button's size whose context and bitmap live in
// the properties "0HDC" .. "3HDC" and "0BMP" .. "3BMP" while it is attached.
#pragma once

#include <windows.h>

namespace tessaro::skin {

inline constexpr int kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3;
inline constexpr int kFaceCount = 4;

void CreateFaceSurfaces(HWND window);
// New bitmaps of the window's current size; the old ones are deleted.
void ResizeFaceSurfaces(HWND window);
void ReleaseFaceSurfaces(HWND window);
HDC FaceSurface(HWND window, int state);

// Draws the faces with the caption, and the focus rectangle while the
// button has the focus.
void RenderButtonFaces(HWND window);

// Corners cut round, matching the faces' softened corner pixels.
void SetRoundRegion(HWND window);

}  // namespace tessaro::skin
