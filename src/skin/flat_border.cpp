#include "skin/flat_border.h"

#include "win32/gdi.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"

namespace tessaro::skin {
namespace {

void PaintBorders(HWND window, SkinKind kind) {
  const WindowDC dc(window, WindowDC::Area::kFrame);
  switch (kind) {
    case SkinKind::DataList:
    case SkinKind::DropDownList:
      DrawTwoRingBorder(window, dc.get());
      break;
    case SkinKind::Grid:
      if (GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER) {
        const WindowBox box = GetWindowBox(window);
        FrameBox(dc.get(), 0, 0, box.width, box.height, BorderColour(window));
      }
      break;
    default:
      break;
  }
}

}  // namespace

void DrawFlatClientEdge(HWND window) {
  if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  const int edge = GetBorderSize(window).cx;
  const WindowBox box = GetWindowBox(window);
  const WindowDC frame(window, WindowDC::Area::kFrame);
  const WindowDC client(window);
  const COLORREF background = GetBkColor(client.get());
  FrameBox(frame.get(), 0, 0, box.width, box.height, BorderColour(window));
  // The inner rings stay within the edge: the client area is the window's.
  for (int ring = 1; ring < edge; ++ring)
    FrameBox(frame.get(), ring, ring, box.width - 2 * ring, box.height - 2 * ring, background);
}

LRESULT FlatEdgeMessage(const SkinMessage& m) {
  const LRESULT result = m.PassOn();
  DrawFlatClientEdge(m.window);
  return result;
}

LRESULT FramedWindowMessage(const SkinMessage& m, SkinKind kind) {
  const LRESULT result = m.PassOn();
  if (m.message == WM_PAINT) PaintBorders(m.window, kind);
  return result;
}

}  // namespace tessaro::skin
