// What each kind of control keeps while it is attached: set up at attach,
// released at detach.
#pragma once

#include <windows.h>

#include "skin/skin_kind.h"

namespace tessaro::skin {

void PrepareKindState(HWND window, SkinKind kind);
void ReleaseKindState(HWND window, SkinKind kind);

}  // namespace tessaro::skin
