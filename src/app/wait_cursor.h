// Shows the hourglass over every window of the program while an object of
// this type lives. Nested waits keep it until the outermost one ends.
#pragma once

#include <windows.h>

namespace tessaro {

class WaitCursor {
 public:
  WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  ~WaitCursor();

  // Whether a wait is in progress; windows answer WM_SETCURSOR with the
  // hourglass meanwhile.
  static bool Active();
  static HCURSOR Cursor();

 private:
  HCURSOR previous_;
};

}  // namespace tessaro
