#include "skin/fade_timer.h"

#include "skin/window_props.h"

namespace tessaro::skin {

void StartFadeTimer(HWND window) {
  if (props::Read(window, props::kTimerId) != 0) return;
  props::Write(window, props::kTimerId, static_cast<std::intptr_t>(SetTimer(window, 1, kFadeIntervalMs, nullptr)));
}

void StopFadeTimer(HWND window) {
  const auto id = static_cast<UINT_PTR>(props::Read(window, props::kTimerId));
  if (id == 0) return;
  KillTimer(window, id);
  props::Write(window, props::kTimerId, 0);
}

}  // namespace tessaro::skin
