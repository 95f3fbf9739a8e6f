// vsOrder, the scroll bar beside the added-documents list that moves the
// current row. Its range and value are kept here in full 32-bit integers and
// read back through SCROLLINFO, never through the 16-bit position that
// WM_VSCROLL carries, so lists longer than 32,767 rows can be ordered too.
#pragma once

#include <windows.h>

#include <optional>

namespace tessaro {

class OrderBar {
 public:
  void Attach(HWND bar) { bar_ = bar; }
  HWND hwnd() const { return bar_; }

  // A maximum below the minimum is an empty range: the bar shows disabled.
  void SetRange(int minimum, int maximum);
  // Kept within the range.
  void SetValue(int value);
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int value() const { return value_; }

  // Applies a WM_VSCROLL request (its low word) to the value. Returns the new
  // value when it changed.
  std::optional<int> Scroll(int request);

  // The value a scroll request leads to: one step per line or page, the ends,
  // or the thumb's tracking position; always within the range.
  static int ScrolledValue(int request, int value, int minimum, int maximum, int track_position);

 private:
  int Clamp(int value) const;
  void Show() const;
  int TrackPosition() const;

  HWND bar_ = nullptr;
  int minimum_ = 0;
  int maximum_ = 0;
  int value_ = 0;
};

}  // namespace tessaro
