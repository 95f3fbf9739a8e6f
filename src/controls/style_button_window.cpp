// The window procedure of the button: turns window messages into property
// changes, painting and input for its state.
#include <windowsx.h>

#include <exception>
#include <new>

#include "controls/button_font.h"
#include "controls/style_button_impl.h"

namespace tessaro {

namespace {

short KeyShift() {
  short shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kControlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

short MouseShift(WPARAM wparam) {
  short shift = 0;
  if (wparam & MK_SHIFT) shift |= kShiftKey;
  if (wparam & MK_CONTROL) shift |= kControlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

short MouseButtons(WPARAM wparam) {
  short buttons = 0;
  if (wparam & MK_LBUTTON) buttons |= kLeftButton;
  if (wparam & MK_RBUTTON) buttons |= kRightButton;
  if (wparam & MK_MBUTTON) buttons |= kMiddleButton;
  return buttons;
}

float X(LPARAM lparam) { return static_cast<float>(GET_X_LPARAM(lparam)); }
float Y(LPARAM lparam) { return static_cast<float>(GET_Y_LPARAM(lparam)); }

}  // namespace

LRESULT CALLBACK StyleButton::Impl::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    StyleButton* created = new (std::nothrow) StyleButton(window);
    if (!created) return FALSE;
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(created));
  }
  auto* button = reinterpret_cast<StyleButton*>(GetWindowLongPtrW(window, 0));
  if (!button) return DefWindowProcW(window, message, wparam, lparam);

  Busy busy(*button);
  try {
    return button->impl_->Dispatch(message, wparam, lparam);
  } catch (const std::exception& error) {
    // A failure in a handler of the host must not unwind into the system.
    OutputDebugStringA(error.what());
    return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT StyleButton::Impl::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_NCDESTROY:
      destroyed_ = true;
      SetWindowLongPtrW(hwnd_, 0, 0);
      break;
    case WM_SIZE:
      if (LOWORD(lparam) != width_ || HIWORD(lparam) != height_) Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint(nullptr);
      return 0;
    case WM_PRINTCLIENT:
      OnPaint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd_, message, wparam, lparam);
      if (result) OnSetText(reinterpret_cast<const wchar_t*>(lparam));
      return result;
    }
    case WM_SETFONT:
      SetFont(FontSpecOf(wparam ? reinterpret_cast<HFONT>(wparam)
                                : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)),
                         ScreenDpi()));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.get());
    case WM_ENABLE:
      OnEnable(wparam != 0);
      return 0;
    case WM_SETFOCUS:
      OnFocus(true);
      return 0;
    case WM_KILLFOCUS:
      OnFocus(false);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode();
    case BM_SETSTYLE:
      OnSetStyle(LOWORD(wparam));
      return 0;
    case BM_GETSTATE:
      return (last_state_ == ButtonState::kPressed ? BST_PUSHED : 0) | (has_focus_ ? BST_FOCUS : 0);
    case WM_LBUTTONDOWN:
      OnButtonDown(kLeftButton, wparam, lparam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(kRightButton, wparam, lparam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(kMiddleButton, wparam, lparam);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick();
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(kLeftButton, wparam, lparam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(kRightButton, wparam, lparam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(kMiddleButton, wparam, lparam);
      return 0;
    case WM_MOUSEMOVE:
      input_.MouseMove(MouseButtons(wparam), MouseShift(wparam), X(lparam), Y(lparam));
      return 0;
    case WM_KEYDOWN:
      input_.KeyDown(static_cast<short>(wparam), KeyShift());
      return 0;
    case WM_CHAR:
      input_.KeyPress(static_cast<short>(wparam));
      return 0;
    case WM_KEYUP:
      input_.KeyUp(static_cast<short>(wparam), KeyShift());
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void StyleButton::Impl::OnCreate() {
  // A new button takes its container's font, as a standard button would.
  HWND parent = GetParent(hwnd_);
  auto font = parent ? reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
  font_spec_ = FontSpecOf(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), ScreenDpi());

  // Created by class name, the window text is its caption.
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)), L'\0');
  GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()) + 1);
  Load(PropertyBag{{L"TX", text}});
}

void StyleButton::Impl::OnPaint(HDC target) {
  // Painting happens in Redraw, on the surface; the window only shows it.
  if (target) {
    if (surface_) BitBlt(target, 0, 0, width_, height_, surface_.dc(), 0, 0, SRCCOPY);
    return;
  }
  PaintDC paint(hwnd_);
  if (surface_) BitBlt(paint.get(), 0, 0, width_, height_, surface_.dc(), 0, 0, SRCCOPY);
}

void StyleButton::Impl::OnSetText(const wchar_t* text) {
  caption_ = text ? text : L"";
  SetAccessKeys();
  Redraw(ButtonState::kNormal, true);
}

void StyleButton::Impl::OnEnable(bool enabled) {
  // EnableWindow called by others as well as through the property: the two
  // never disagree.
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Redraw(ButtonState::kNormal, true);
}

void StyleButton::Impl::OnFocus(bool has_focus) {
  has_focus_ = has_focus;
  Redraw(last_state_, true);
}

void StyleButton::Impl::OnSetStyle(UINT style) {
  // The dialog manager marks its default push button this way; it is the
  // container's "display as default".
  const bool is_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (is_default == is_default_) return;
  is_default_ = is_default;
  Redraw(last_state_, true);
}

LRESULT StyleButton::Impl::DialogCode() const {
  return DLGC_BUTTON | (is_default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON) | DLGC_WANTARROWS;
}

void StyleButton::Impl::OnButtonDown(short button, WPARAM wparam, LPARAM lparam) {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  // Held buttons keep reporting here, with coordinates outside the window
  // once the pointer leaves it.
  SetCapture(hwnd_);
  input_.ButtonDown(button, MouseShift(wparam), X(lparam), Y(lparam));
}

void StyleButton::Impl::OnButtonUp(short button, WPARAM wparam, LPARAM lparam) {
  // Released before the events: a click handler may open a modal window.
  if (!(wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd_) ReleaseCapture();
  input_.ButtonUp(button, MouseShift(wparam), X(lparam), Y(lparam));
}

void StyleButton::Impl::OnDoubleClick() {
  SetCapture(hwnd_);
  input_.DoubleClick();
}

}  // namespace tessaro
