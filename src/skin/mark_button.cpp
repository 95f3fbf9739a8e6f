#include "skin/mark_button.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "win32/gdi.h"
#include "skin/centre.h"
#include "skin/check_box.h"
#include "skin/hover.h"
#include "skin/mem_surface.h"
#include "skin/option_button.h"
#include "skin/primitives.h"
#include "skin/skin_kind.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

constexpr int kNormal = 0, kHover = 1, kPressed = 2;

BOOL CALLBACK RefreshMarkProc(HWND window, LPARAM) {
  if (!props::Read(window, props::kProcAddr)) return TRUE;
  switch (KindOf(window)) {
    case SkinKind::CheckBox:
      PaintCheckBox(window, kNormal, true);
      break;
    case SkinKind::OptionButton:
      PaintOptionButton(window, kNormal, true);
      break;
    default:
      break;
  }
  return TRUE;
}

// The system draws its own glyph outside WM_PAINT too: when the check state
// is set, the window enabled or the focus moved. The skin's goes back over it.
bool SystemRedrawsGlyph(UINT message) {
  switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return true;
    default:
      return false;
  }
}

MarkLook CurrentMarkLook(HWND window) {
  return {static_cast<int>(props::Read(window, props::kOldState)),
          static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)), IsWindowEnabled(window) != FALSE};
}

// What the button paints its background with: check boxes and option
// buttons ask their parent as static controls do.
HBRUSH BackgroundBrush(HWND window, HDC dc) {
  const HWND parent = GetParent(window);
  const auto brush = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                                    reinterpret_cast<WPARAM>(dc),
                                                                    reinterpret_cast<LPARAM>(window)))
                            : nullptr;
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

bool ChangeMarkState(HWND window, int state, bool forced) {
  if (!forced && props::Read(window, props::kOldState) == state) return false;
  props::Write(window, props::kOldState, state);
  return true;
}

void PaintMarkGlyph(HWND window, HDC target, GlyphDrawer draw) {
  const SIZE glyph = MarkGlyphSize();
  const int height = GetWindowBox(window).height;
  // The system truncates where the skin rounds to even: when they differ,
  // the system's glyph lies a row higher, and that row is covered too.
  const int system_top = (height - glyph.cy) / 2, top = CentreOffset(height, glyph.cy);
  const int first = std::min(system_top, top), span = std::abs(top - system_top) + glyph.cy;
  const Surface surface = CreateMemSurface(glyph.cx, span);
  if (!surface) return;
  const RECT area{0, 0, glyph.cx, span};
  FillRect(surface.dc(), &area, BackgroundBrush(window, surface.dc()));
  draw(surface.dc(), top - first, glyph.cx, glyph.cy, CurrentMarkLook(window));
  std::optional<WindowDC> window_dc;
  if (!target) target = window_dc.emplace(window).get();
  BitBlt(target, 0, first, glyph.cx, span, surface.dc(), 0, 0, SRCCOPY);
}

LRESULT MarkButtonMessage(const SkinMessage& m, const MarkKind& kind) {
  const LRESULT result = m.PassOn();
  HWND window = m.window;
  const auto paint = kind.paint;
  switch (m.message) {
    case WM_PAINT:
      paint(window, kNormal, true);
      break;
    case WM_PRINTCLIENT:
      PaintMarkGlyph(window, reinterpret_cast<HDC>(m.wparam), kind.draw);
      break;
    case WM_MOUSEMOVE:
      EnterHover(window);
      paint(window, (m.wparam & MK_LBUTTON) ? kPressed : kHover, true);
      break;
    case WM_LBUTTONDOWN:
      paint(window, kPressed, false);
      break;
    case WM_LBUTTONUP:
      paint(window, kNormal, false);
      break;
    case WM_MOUSELEAVE:
      props::Write(window, props::kMouseFlag, 0);
      paint(window, kNormal, false);
      break;
    case WM_KEYDOWN:
      if (m.wparam == VK_SPACE) paint(window, kPressed, false);
      break;
    case WM_KEYUP:
      if (m.wparam == VK_SPACE) paint(window, kNormal, false);
      break;
    default:
      if (SystemRedrawsGlyph(m.message)) paint(window, static_cast<int>(props::Read(window, props::kOldState)), true);
      break;
  }
  return result;
}

void RefreshMarks(HWND window) {
  const HWND parent = GetParent(window);
  EnumChildWindows(parent ? parent : window, &RefreshMarkProc, 0);
}

}  // namespace tessaro::skin
