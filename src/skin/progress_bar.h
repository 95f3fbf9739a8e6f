// Progress bars, painted whole by the skin: a flat frame, white, and the
// done part in the fill colour.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/skin_message.h"

namespace tessaro::skin {

// Where the bar stands within its range; a bar that cannot report a range
// is taken to run from 0 to 30000.
struct ProgressShare {
  std::int64_t done;
  std::int64_t whole;
};
ProgressShare ReadProgress(HWND window);
// The filled length of an extent, clamped to it, halves rounded to even.
int FilledLength(int extent, const ProgressShare& share);

LRESULT ProgressBarMessage(const SkinMessage& message);

}  // namespace tessaro::skin
