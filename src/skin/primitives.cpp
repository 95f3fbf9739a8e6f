#include "skin/primitives.h"

#include "win32/gdi.h"
#include "skin/centre.h"
#include "skin/skin_colors.h"

namespace tessaro::skin {

void FillBox(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  const Brush brush(CreateSolidBrush(colour));
  const RECT box{left, top, left + width, top + height};
  FillRect(dc, &box, brush.get());
}

void FrameBox(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  const Brush brush(CreateSolidBrush(colour));
  const RECT box{left, top, left + width, top + height};
  FrameRect(dc, &box, brush.get());
}

void DrawTextBox(HDC dc, std::wstring_view text, int left, int top, int width, int height, UINT flags) {
  RECT box{left, top, left + width, top + height};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, flags);
}

void DrawFocusBox(HDC dc, int left, int top, int width, int height) {
  const RECT box{left, top, left + width, top + height};
  DrawFocusRect(dc, &box);
}

COLORREF BorderColour(HWND window) { return IsWindowEnabled(window) ? kBorderEnabled : kBorderDisabled; }

void DrawTwoRingBorder(HWND window, HDC window_dc) {
  const WindowBox box = GetWindowBox(window);
  FrameBox(window_dc, 0, 0, box.width, box.height, BorderColour(window));
  FrameBox(window_dc, 1, 1, box.width - 2, box.height - 2, kWhite);
}

SIZE GetBorderSize(HWND window) {
  const WindowBox box = GetWindowBox(window);
  RECT client{};
  GetClientRect(window, &client);
  int horizontal = box.width - client.right;
  int vertical = box.height - client.bottom;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (style & WS_VSCROLL) horizontal -= GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) vertical -= GetSystemMetrics(SM_CYHSCROLL);
  return {HalfToEven(horizontal), HalfToEven(vertical)};
}

WindowBox GetWindowBox(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top};
}

}  // namespace tessaro::skin
