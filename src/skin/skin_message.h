// One message as the skin's window procedure received it, with the
// procedure it replaced.
#pragma once

#include <windows.h>

namespace tessaro::skin {

struct SkinMessage {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  WNDPROC previous;

  LRESULT PassOn() const { return CallWindowProcW(previous, window, message, wparam, lparam); }
};

}  // namespace tessaro::skin
