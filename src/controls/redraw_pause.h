// Stops a window from repainting while many changes are made to it, and
// repaints it once when the object goes. A list that repaints after every
// inserted row takes seconds for a few thousand rows.
#pragma once

#include <windows.h>

namespace tessaro {

class RedrawPause {
 public:
  explicit RedrawPause(HWND window) : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;
  ~RedrawPause() {
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }

 private:
  HWND window_;
};

}  // namespace tessaro
