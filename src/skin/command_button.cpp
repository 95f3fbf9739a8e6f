#include "skin/command_button.h"

#include <optional>

#include "win32/gdi.h"
#include "skin/button_faces.h"
#include "skin/fade_timer.h"
#include "skin/hover.h"
#include "skin/primitives.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

constexpr int kFadeStep = 3;
constexpr int kOpaque = 255;
constexpr int kLeaveLevel = 140;    // the hover face laid over on leaving
constexpr int kReleaseLevel = 60;   // the normal face's start after a press
constexpr WPARAM kSpaceBar = VK_SPACE;

// Button types 0, 1, 8 and 9 (push, default push, and their bitmap and icon
// variants) are painted by the skin.
bool PaintedBySkin(HWND window) { return (props::Read(window, props::kOldStyle) & 6) == 0; }

void SetState(HWND window, int state, int level) {
  props::Write(window, props::kOldState, state);
  props::Write(window, props::kAlphaLevel, level);
}

void BlendFace(HWND window, HDC target, int level) {
  if (!IsWindowEnabled(window)) props::Write(window, props::kOldState, kDisabled);
  if (!PaintedBySkin(window)) return;
  const HDC face = FaceSurface(window, static_cast<int>(props::Read(window, props::kOldState)));
  if (!face) return;
  std::optional<WindowDC> window_dc;
  if (!target) target = window_dc.emplace(window).get();
  const WindowBox box = GetWindowBox(window);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(level), 0};
  AlphaBlend(target, 0, 0, box.width, box.height, face, 0, 0, box.width, box.height, blend);
}

// The pressed face at once; the next fade starts from nothing.
void ShowPressed(HWND window) {
  StopFadeTimer(window);
  SetState(window, kPressed, kOpaque);
  PaintButton(window);
  props::Write(window, props::kAlphaLevel, 0);
}

void FadeTo(HWND window, int state, int start_level) {
  SetState(window, state, start_level);
  StartFadeTimer(window);
}

// Each step lands on the previous one, so the face is fully there well
// before the last step at 255.
void FadeStep(HWND window) {
  int level = static_cast<int>(props::Read(window, props::kAlphaLevel));
  PaintButton(window);
  level += kFadeStep;
  if (level > kOpaque) {
    StopFadeTimer(window);
    level = 0;
  }
  props::Write(window, props::kAlphaLevel, level);
}

LRESULT OnPaint(HWND window) {
  StopFadeTimer(window);
  props::Write(window, props::kAlphaLevel, kOpaque);
  const PaintDC paint(window);
  PaintButton(window, paint.get());
  return 0;
}

void OnMouseMove(HWND window) {
  if (EnterHover(window)) {
    FadeTo(window, kHover, 0);
    return;
  }
  // Dragged off with the button held: the current face at full strength.
  if (CursorOver(window)) return;
  StopFadeTimer(window);
  props::Write(window, props::kAlphaLevel, kOpaque);
  PaintButton(window);
}

void OnMouseLeave(HWND window) {
  props::Write(window, props::kMouseFlag, 0);
  SetState(window, kHover, kLeaveLevel);
  PaintButton(window);
  FadeTo(window, kNormal, 0);
}

LRESULT PaintedButtonMessage(const SkinMessage& m) {
  HWND window = m.window;
  switch (m.message) {
    case WM_PAINT:
      return OnPaint(window);
    case WM_PRINTCLIENT:
      // The look as it stands, into the caller's context; a fade goes on.
      BlendFace(window, reinterpret_cast<HDC>(m.wparam), kOpaque);
      return 0;
    case WM_TIMER:
      FadeStep(window);
      return m.PassOn();
    default:
      break;
  }
  const LRESULT result = m.PassOn();
  switch (m.message) {
    case WM_MOUSEMOVE:
      OnMouseMove(window);
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(window);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ShowPressed(window);
      break;
    case WM_LBUTTONUP:
      props::Write(window, props::kMouseFlag, 0);
      FadeTo(window, kNormal, kReleaseLevel);
      break;
    case WM_KEYDOWN:
      if (m.wparam == kSpaceBar) ShowPressed(window);
      break;
    case WM_KEYUP:
      if (m.wparam != kSpaceBar) break;
      props::Write(window, props::kMouseFlag, 0);
      FadeTo(window, kNormal, 0);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The focus rectangle goes into, or out of, every face.
      RenderButtonFaces(window);
      FadeTo(window, static_cast<int>(props::Read(window, props::kOldState)), 0);
      break;
    case WM_ENABLE:
      // A finished fade leaves the opacity at 0, which would blend nothing:
      // the new face goes on whole, at once, and any fade stops there.
      StopFadeTimer(window);
      SetState(window, m.wparam ? kNormal : kDisabled, kOpaque);
      PaintButton(window);
      props::Write(window, props::kAlphaLevel, 0);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace

void PrepareCommandButton(HWND window) {
  CreateFaceSurfaces(window);
  RenderButtonFaces(window);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  props::Write(window, props::kOldStyle, style);
  // The system stops painting the button; the skin paints it all.
  if ((style & 6) == 0) SendMessageW(window, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
  props::Write(window, props::kMouseFlag, 0);
  props::Write(window, props::kTimerId, 0);
  SetState(window, IsWindowEnabled(window) ? kNormal : kDisabled, 0);
  SetRoundRegion(window);
}

void ReleaseCommandButton(HWND window) {
  ReleaseFaceSurfaces(window);
  StopFadeTimer(window);
  // Only the button type goes back: the visible, enabled and other window
  // bits may have changed since the button was attached.
  const LONG_PTR old_style = props::Read(window, props::kOldStyle);
  if ((old_style & 6) == 0) SendMessageW(window, BM_SETSTYLE, old_style & BS_TYPEMASK, TRUE);
  for (const wchar_t* name :
       {props::kOldStyle, props::kMouseFlag, props::kTimerId, props::kOldState, props::kAlphaLevel}) {
    props::Remove(window, name);
  }
  SetWindowRgn(window, nullptr, TRUE);
}

void PaintButton(HWND window, HDC dc) {
  BlendFace(window, dc, static_cast<int>(props::Read(window, props::kAlphaLevel)));
}

LRESULT CommandButtonMessage(const SkinMessage& m) {
  // The faces hold the caption: one changed after they were made (a dialog
  // that names its buttons while it starts) is drawn into them anew.
  if (m.message == WM_SETTEXT && PaintedBySkin(m.window)) {
    const LRESULT result = m.PassOn();
    RenderButtonFaces(m.window);
    InvalidateRect(m.window, nullptr, FALSE);
    return result;
  }
  if (m.message == WM_SIZE) {
    const LRESULT result = m.PassOn();
    ResizeFaceSurfaces(m.window);
    RenderButtonFaces(m.window);
    SetRoundRegion(m.window);
    return result;
  }
  return PaintedBySkin(m.window) ? PaintedButtonMessage(m) : m.PassOn();
}

}  // namespace tessaro::skin
