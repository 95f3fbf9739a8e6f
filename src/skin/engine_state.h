// Engine-wide state, shared by the painters. One UI thread: no locking.
#pragma once

#include "skin/skin_images.h"

namespace tessaro::skin {

struct EngineState {
  bool initialised = false;
  bool track_leave_available = false;  // User32 exports TrackMouseEvent
  SkinImages images;
  int attached = 0;
};

EngineState& Engine();
inline HDC ImageDC(SkinImage image) { return Engine().images.dc(image); }

}  // namespace tessaro::skin
