#include "app/order_bar.h"

namespace tessaro {

void OrderBar::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  Show();
}

void OrderBar::Show() const {
  if (!bar_) return;
  const bool empty = maximum_ < minimum_;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE;
  info.nMin = minimum_;
  info.nMax = empty ? minimum_ : maximum_;
  SetScrollInfo(bar_, SB_CTL, &info, TRUE);
  EnableWindow(bar_, !empty && maximum_ > minimum_);
}

}  // namespace tessaro
