#include "app/order_bar.h"

#include <algorithm>

namespace tessaro {

void OrderBar::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  value_ = Clamp(value_);
  Show();
}

void OrderBar::SetValue(int value) {
  value_ = Clamp(value);
  Show();
}

std::optional<int> OrderBar::Scroll(int request) {
  const int value = ScrolledValue(request, value_, minimum_, maximum_, TrackPosition());
  if (value == value_) return std::nullopt;
  SetValue(value);
  return value_;
}

int OrderBar::ScrolledValue(int request, int value, int minimum, int maximum, int track_position) {
  // Both a line and a page are one row: the bar moves one row at a time.
  switch (request) {
    case SB_LINEUP:
    case SB_PAGEUP: value = value > minimum ? value - 1 : minimum; break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: value = value < maximum ? value + 1 : maximum; break;
    case SB_TOP: value = minimum; break;
    case SB_BOTTOM: value = maximum; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = track_position; break;
    default: break;
  }
  return std::clamp(value, minimum, std::max(minimum, maximum));
}

int OrderBar::Clamp(int value) const { return std::clamp(value, minimum_, std::max(minimum_, maximum_)); }

int OrderBar::TrackPosition() const {
  if (!bar_) return value_;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  if (!GetScrollInfo(bar_, SB_CTL, &info)) return value_;
  return info.nTrackPos;
}

void OrderBar::Show() const {
  if (!bar_) return;
  const bool empty = maximum_ < minimum_;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = minimum_;
  info.nMax = empty ? minimum_ : maximum_;
  info.nPos = value_;
  SetScrollInfo(bar_, SB_CTL, &info, TRUE);
  EnableWindow(bar_, !empty && maximum_ > minimum_);
}

}  // namespace tessaro
