// Combo boxes and drive lists: a flat frame and a drop button that follows
// hover, press and an open list.
#pragma once

#include <windows.h>

#include "skin/skin_kind.h"
#include "skin/skin_message.h"

namespace tessaro::skin {

// States of the drop button, kept in "OLDSTATE".
inline constexpr int kDropNormal = 0, kDropHover = 1, kDropPressed = 2;

// Paints the button into dc, or onto the window when dc is null. An open
// list always shows the pressed button. Skipped when the state is the one
// last painted, unless forced, and for a simple combo box, which has none.
void PaintDropButton(HWND window, HDC dc, int state, bool forced);

LRESULT DropButtonMessage(const SkinMessage& message, SkinKind kind);

}  // namespace tessaro::skin
