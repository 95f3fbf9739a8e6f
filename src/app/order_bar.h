// vsOrder, the scroll bar beside the added-documents list that moves the
// current row. Its range is kept here in full 32-bit integers; the native
// bar only shows it.
#pragma once

#include <windows.h>

namespace tessaro {

class OrderBar {
 public:
  void Attach(HWND bar) { bar_ = bar; }
  // A maximum below the minimum is an empty range: the bar shows disabled.
  void SetRange(int minimum, int maximum);
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }

 private:
  void Show() const;

  HWND bar_ = nullptr;
  int minimum_ = 0;
  int maximum_ = 0;
};

}  // namespace tessaro
