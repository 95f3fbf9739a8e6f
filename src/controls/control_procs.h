// The window procedures put over the folder tree and the contents list. Both
// keep the control's image lists as the program set them (the shell's shared
// lists, which the control must neither replace nor destroy), feed an open
// shell context menu its drawing messages, and unsubclass on WM_DESTROY.
#pragma once

#include <windows.h>

namespace tessaro {

LRESULT CALLBACK TreeWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tessaro
