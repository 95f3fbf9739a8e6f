// The skin's own state, shared by its painters. One UI thread: no locking.
#pragma once

#include "skin/skin_images.h"

namespace tessaro::skin {

struct SkinState {
  bool initialised = false;
  bool track_leave_available = false;  // User32 exports TrackMouseEvent
  SkinImages images;
  int attached = 0;
};

SkinState& Skin();
inline HDC ImageDC(SkinImage image) { return Skin().images.dc(image); }

}  // namespace tessaro::skin
