#include "skin/drop_button.h"

#include <windowsx.h>

#include <optional>

#include "win32/gdi.h"
#include "skin/centre.h"
#include "skin/skin_state.h"
#include "skin/hover.h"
#include "skin/mem_surface.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"
#include "skin/sliced_copy.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

constexpr Margins kStripMargins{2, 1, 1, 1};

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

int OldState(HWND window) { return static_cast<int>(props::Read(window, props::kOldState)); }

// A drop-down combo with an edit field: the button is only part of it.
bool HasEditField(HWND window, SkinKind kind) { return kind == SkinKind::ComboBox && !(StyleOf(window) & CBS_SIMPLE); }

bool InButtonArea(HWND window, LPARAM point) {
  const WindowBox box = GetWindowBox(window);
  const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
  const int button = GetSystemMetrics(SM_CXVSCROLL);
  return box.width - button - 2 <= x && x <= box.width - 2 && 2 <= y && y <= box.height - 2;
}

// What a mouse move or press over the window shows.
int PointedState(HWND window, SkinKind kind, WPARAM keys, LPARAM point) {
  if (HasEditField(window, kind) && !InButtonArea(window, point)) return kDropNormal;
  return (keys & MK_LBUTTON) ? kDropPressed : kDropHover;
}

// The combo with an edit field is painted whole: its edit child covers the
// inside, so only the frame and the button show.
LRESULT PaintWithEditField(HWND window) {
  const PaintDC paint(window);
  const WindowBox box = GetWindowBox(window);
  FillBox(paint.get(), 0, 0, box.width, box.height, kWhite);
  FrameBox(paint.get(), 0, 0, box.width, box.height, BorderColour(window));
  PaintDropButton(window, paint.get(), OldState(window), true);
  return 0;
}

void PaintOverSystem(HWND window) {
  const WindowDC dc(window, WindowDC::Area::kFrame);
  DrawTwoRingBorder(window, dc.get());
  PaintDropButton(window, dc.get(), OldState(window), true);
}

}  // namespace

void PaintDropButton(HWND window, HDC dc, int state, bool forced) {
  if (SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0)) state = kDropPressed;
  if (!forced && OldState(window) == state) return;
  if (!(StyleOf(window) & 2)) return;  // a simple combo box
  props::Write(window, props::kOldState, state);

  const WindowBox box = GetWindowBox(window);
  const int button = GetSystemMetrics(SM_CXVSCROLL);
  const int width = button + 1, height = box.height - 2;
  const Surface surface = CreateMemSurface(width, height);
  if (!surface) return;
  const HDC parts = ImageDC(SkinImage::DropButtonParts);
  if (state == kDropNormal) {
    FillBox(surface.dc(), 0, 0, width, height, kWhite);
  } else {
    DrawSliced(surface.dc(), 0, 0, width, height, parts, state == kDropHover ? parts::kDropHover : parts::kDropPressed,
               kStripMargins);
  }
  const ImagePart arrow = IsWindowEnabled(window) ? parts::kDropArrow : parts::kDropArrowDisabled;
  TransparentCopy(surface.dc(), HalfToEven(button - 6), HalfToEven(box.height - 6), arrow.width, arrow.height, parts,
                  arrow.left, arrow.top, kKeyColour);

  std::optional<WindowDC> window_dc;
  if (!dc) dc = window_dc.emplace(window, WindowDC::Area::kFrame).get();
  BitBlt(dc, box.width - button - 2, 1, width, height, surface.dc(), 0, 0, SRCCOPY);
}

LRESULT DropButtonMessage(const SkinMessage& m, SkinKind kind) {
  HWND window = m.window;
  if (m.message == WM_PAINT && HasEditField(window, kind)) return PaintWithEditField(window);
  const LRESULT result = m.PassOn();
  switch (m.message) {
    case WM_PAINT:
      PaintOverSystem(window);
      break;
    case WM_MOUSEMOVE:
      EnterHover(window);
      PaintDropButton(window, nullptr, PointedState(window, kind, m.wparam, m.lparam), false);
      break;
    case WM_LBUTTONDOWN:
      if (PointedState(window, kind, MK_LBUTTON, m.lparam) == kDropPressed)
        PaintDropButton(window, nullptr, kDropPressed, false);
      break;
    case WM_LBUTTONUP:
      PaintDropButton(window, nullptr, CursorOver(window) ? kDropHover : kDropNormal, false);
      break;
    case WM_MOUSELEAVE:
      props::Write(window, props::kMouseFlag, 0);
      PaintDropButton(window, nullptr, kDropNormal, false);
      break;
    case WM_WINDOWPOSCHANGING:
      PaintDropButton(window, nullptr, kDropNormal, false);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace tessaro::skin
