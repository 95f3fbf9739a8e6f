// The skin engine: gives a form and everything on it, and the dialogs and
// message boxes that appear next to it, a flat blue look with fades. A window
// detaches itself when it is destroyed.
#pragma once

#include <windows.h>

namespace tessaro::skin {

// Builds the images on first use (again after the last window detached),
// then attaches the window: a form with all its descendants.
bool SkinWindow(HWND window);
// False for a null handle, a window already attached, or one of another
// process (its procedure cannot be replaced from here).
bool AttachSkin(HWND window);
// False for a null handle or a window that is not attached.
bool DetachSkin(HWND window);
LRESULT CALLBACK SkinWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// For tests and diagnostics.
int AttachedWindowCount();
bool SkinInitialised();

}  // namespace tessaro::skin
