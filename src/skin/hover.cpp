#include "skin/hover.h"

#include <commctrl.h>

#include "skin/engine_state.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const wchar_t* name) : module_(GetModuleHandleW(name)) {
    if (!module_) owned_ = module_ = LoadLibraryW(name);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  ~LoadedLibrary() {
    if (owned_) FreeLibrary(owned_);
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
  HMODULE owned_ = nullptr;
};

}  // namespace

bool ApiExists(const char* function, const wchar_t* library) {
  const LoadedLibrary module(library);
  return module.get() && GetProcAddress(module.get(), function);
}

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
  if (Engine().track_leave_available) {
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
