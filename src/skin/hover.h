// Hover tracking: a control learns the cursor came in from its first mouse
// move and asks to be told when it leaves.
#pragma once

#include <windows.h>

namespace tessaro::skin {

bool ApiExists(const char* function, const wchar_t* library);
void TrackMouseLeave(HWND window);
// On a mouse move: when "MOUSEFLAG" is 0, sets it, asks for WM_MOUSELEAVE
// and returns true (the cursor just came in).
bool EnterHover(HWND window);
// Whether the window is the one under the cursor (not a child of it).
bool CursorOver(HWND window);

}  // namespace tessaro::skin
