// Small drawing steps shared by every painted control. Rectangles are left,
// top, width, height in the context's own pixels.
#pragma once

#include <windows.h>

#include <string_view>

namespace tessaro::skin {

void FillBox(HDC dc, int left, int top, int width, int height, COLORREF colour);
// A one-pixel frame along the inside of the rectangle.
void FrameBox(HDC dc, int left, int top, int width, int height, COLORREF colour);
void DrawTextBox(HDC dc, std::wstring_view text, int left, int top, int width, int height, UINT flags);
void DrawFocusBox(HDC dc, int left, int top, int width, int height);

// The colour of a flat border: paler while the window is disabled.
COLORREF BorderColour(HWND window);

// The flat border that replaces sunken edges: an outer ring in the border
// colour (paler when the window is disabled) and a white ring inside it.
void DrawTwoRingBorder(HWND window, HDC window_dc);

// Half the window's non-client extent on each axis, scroll bars left out.
SIZE GetBorderSize(HWND window);

// The window's screen rectangle with its size; every painting of a window
// uses this width and height.
struct WindowBox {
  int left, top, right, bottom, width, height;
};
WindowBox GetWindowBox(HWND window);

}  // namespace tessaro::skin
