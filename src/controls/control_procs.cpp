#include "controls/control_procs.h"

#include <commctrl.h>

#include "controls/subclass.h"

namespace tessaro {
namespace {

MenuMessageSink menu_sink = nullptr;

// The tree and the list differ only in the image-list message they refuse.
LRESULT ShellControlProc(UINT blocked, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == blocked) return 0;
  switch (message) {
    case WM_DESTROY:
      CallPreviousWindowProc(window, message, wparam, lparam);
      UnsubclassWindow(window);
      return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
      if (menu_sink) menu_sink(message, wparam, lparam);
      break;
  }
  return CallPreviousWindowProc(window, message, wparam, lparam);
}

}  // namespace

void SetMenuMessageSink(MenuMessageSink sink) { menu_sink = sink; }

LRESULT CALLBACK TreeWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return ShellControlProc(TVM_SETIMAGELIST, window, message, wparam, lparam);
}

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return ShellControlProc(LVM_SETIMAGELIST, window, message, wparam, lparam);
}

}  // namespace tessaro
