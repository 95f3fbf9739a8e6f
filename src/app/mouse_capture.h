// Holds the mouse capture for a window while the object lives. Releasing
// sends WM_CAPTURECHANGED, so owners must be ready for it during destruction.
#pragma once

#include <windows.h>

namespace tessaro {

class MouseCapture {
 public:
  explicit MouseCapture(HWND window) : window_(window) { SetCapture(window); }
  MouseCapture(const MouseCapture&) = delete;
  MouseCapture& operator=(const MouseCapture&) = delete;
  ~MouseCapture() {
    if (GetCapture() == window_) ReleaseCapture();
  }

 private:
  HWND window_;
};

}  // namespace tessaro
