#include "skin/progress_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/gdi.h"
#include "skin/centre.h"
#include "skin/mem_surface.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"

namespace tessaro::skin {
namespace {

constexpr int kDefaultWhole = 30000;

bool Vertical(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & PBS_VERTICAL) != 0; }

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// The bar in the client area: rising from the bottom or growing from the left.
void FillBar(HDC dc, int left, int top, SIZE client, bool vertical, const ProgressShare& share) {
  if (vertical) {
    const int filled = FilledLength(client.cy, share);
    FillBox(dc, left, top + client.cy - filled, client.cx, filled, kProgressFill);
  } else {
    FillBox(dc, left, top, FilledLength(client.cx, share), client.cy, kProgressFill);
  }
}

LRESULT OnPaint(HWND window) {
  const SIZE client = ClientSize(window);
  const PaintDC paint(window);
  const Surface surface = CreateMemSurface(client.cx, client.cy);
  if (!surface) return 0;
  FillBox(surface.dc(), 0, 0, client.cx, client.cy, kWhite);
  FillBar(surface.dc(), 0, 0, client, Vertical(window), ReadProgress(window));
  BitBlt(paint.get(), 0, 0, client.cx, client.cy, surface.dc(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT OnNcPaint(HWND window) {
  const SIZE border = GetBorderSize(window);
  const WindowBox box = GetWindowBox(window);
  const SIZE client = ClientSize(window);
  const Surface surface = CreateMemSurface(box.width, box.height);
  if (!surface) return 0;
  const HDC dc = surface.dc();
  FillBox(dc, 0, 0, box.width, box.height, kBorderEnabled);
  FillBox(dc, 1, 1, box.width - 2, box.height - 2, kWhite);
  // A vertical bar drawn in blocks is left to the client paint.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const bool vertical = (style & PBS_VERTICAL) != 0;
  if (!vertical || (style & PBS_SMOOTH)) FillBar(dc, border.cx, border.cy, client, vertical, ReadProgress(window));
  // Only the frame: the client paint owns the client area. A bar without a
  // border would otherwise flash a frame over its own edge pixels.
  const WindowDC frame(window, WindowDC::Area::kFrame);
  ExcludeClipRect(frame.get(), border.cx, border.cy, border.cx + client.cx, border.cy + client.cy);
  BitBlt(frame.get(), 0, 0, box.width, box.height, dc, 0, 0, SRCCOPY);
  return 0;
}

}  // namespace

ProgressShare ReadProgress(HWND window) {
  PBRANGE range{};
  SendMessageW(window, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const auto position = static_cast<std::int64_t>(static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0)));
  if (range.iHigh <= range.iLow) return {std::clamp<std::int64_t>(position, 0, kDefaultWhole), kDefaultWhole};
  const std::int64_t whole = static_cast<std::int64_t>(range.iHigh) - range.iLow;
  return {std::clamp<std::int64_t>(position - range.iLow, 0, whole), whole};
}

int FilledLength(int extent, const ProgressShare& share) {
  if (extent <= 0 || share.whole <= 0) return 0;
  return ScaleToEven(extent, std::clamp<std::int64_t>(share.done, 0, share.whole), share.whole);
}

LRESULT ProgressBarMessage(const SkinMessage& m) {
  switch (m.message) {
    case WM_PAINT:
      return OnPaint(m.window);
    case WM_NCPAINT:
      return OnNcPaint(m.window);
    default:
      return m.PassOn();
  }
}

}  // namespace tessaro::skin
