#include "skin/hover.h"

#include <commctrl.h>

#include "skin/skin_state.h"
#include "skin/window_props.h"
#include "win32/unique_handle.h"

namespace tessaro::skin {
namespace {

}  // namespace

bool ApiExists(const char* function, const wchar_t* library) {
  // A library already in the process is asked as it is; another is loaded for the question.
  HMODULE module = GetModuleHandleW(library);
  Library loaded;
  if (!module) {
    loaded.reset(LoadLibraryW(library));
    module = loaded.get();
  }
  return module && GetProcAddress(module, function);
}

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
  if (Skin().track_leave_available) {
    TrackMouseEvent(&request);
  } else {
    _TrackMouseEvent(&request);
  }
}

bool EnterHover(HWND window) {
  if (props::Read(window, props::kMouseFlag) != 0) return false;
  props::Write(window, props::kMouseFlag, 1);
  TrackMouseLeave(window);
  return true;
}

bool CursorOver(HWND window) {
  POINT cursor{};
  return GetCursorPos(&cursor) && WindowFromPoint(cursor) == window;
}

}  // namespace tessaro::skin
