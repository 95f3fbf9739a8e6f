#include <exception>

#include "skin/kind_routes.h"
#include "skin/mark_button.h"
#include "skin/skin.h"
#include "skin/skin_kind.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

// A window activated against an attached one is skinned when it belongs to
// it or is a form or dialog itself: message boxes, common dialogs, the
// program's other windows.
void AttachAppearing(HWND window, HWND other) {
  if (other && (GetParent(other) == window || KindOf(other) == SkinKind::Form)) AttachSkin(other);
}

// The messages some kind of window handles. Lists and trees take tens of
// thousands of others while they fill; those go straight on, without the
// class name being read for each. A message a handler takes up goes here.
bool Handled(UINT message) {
  switch (message) {
    case WM_DESTROY:
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGING:
    case WM_PARENTNOTIFY:
    case WM_ACTIVATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_NCPAINT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_TIMER:
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSELEAVE:
    case BM_SETCHECK:
    case BM_SETSTATE:
      return true;
    default:
      return false;
  }
}

LRESULT Route(const SkinMessage& m) {
  if (!Handled(m.message)) return m.PassOn();
  switch (m.message) {
    case WM_DESTROY:
      // Before the window's own procedure sees it: children are still there.
      DetachSkin(m.window);
      return m.PassOn();
    case WM_ACTIVATE:
      AttachAppearing(m.window, reinterpret_cast<HWND>(m.lparam));
      return m.PassOn();
    case WM_PARENTNOTIFY:
      // A control made after the form was skinned, such as the header a
      // list makes when it turns to report view, joins the skin too.
      if (LOWORD(m.wparam) == WM_CREATE) AttachSkin(reinterpret_cast<HWND>(m.lparam));
      return m.PassOn();
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX: {
      // The modal dialog or menu entering its idle state, or a combo box's
      // drop-down list being coloured for the first time.
      const LRESULT result = m.PassOn();
      if (m.lparam) AttachSkin(reinterpret_cast<HWND>(m.lparam));
      return result;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = RouteByKind(m);
      RefreshMarks(m.window);
      return result;
    }
    default:
      return RouteByKind(m);
  }
}

// A relay left in a chain after detaching: once it is on top again it puts
// the procedure it replaced back.
LRESULT Relay(HWND window, WNDPROC passed, UINT message, WPARAM wparam, LPARAM lparam) {
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == &SkinWndProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(passed));
    props::Remove(window, props::kPassProc);
  }
  return CallWindowProcW(passed, window, message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK SkinWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!window) return 0;
  const auto previous = reinterpret_cast<WNDPROC>(props::ReadProcAddr(window));
  if (!previous) {
    const auto passed = reinterpret_cast<WNDPROC>(props::Read(window, props::kPassProc));
    return passed ? Relay(window, passed, message, wparam, lparam) : DefWindowProcW(window, message, wparam, lparam);
  }
  const SkinMessage m{window, message, wparam, lparam, previous};
  try {
    return Route(m);
  } catch (const std::exception&) {
    // Out of memory while reading a class name or a caption: the control
    // keeps working, only this message goes unskinned.
    return m.PassOn();
  }
}

}  // namespace tessaro::skin
