// The window procedures put over the folder tree and the contents list. Both
// keep the control's image lists as the program set them (the shell's shared
// lists, which the control must neither replace nor destroy), feed an open
// shell context menu its drawing messages, and unsubclass on WM_DESTROY.
#pragma once

#include <windows.h>

namespace tessaro {

LRESULT CALLBACK TreeWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Where both procedures hand the drawing and initialisation messages of a
// menu open over them (the shell's context menu). The program sets it: the
// controls know nothing of the shell. None until then.
using MenuMessageSink = void (*)(UINT message, WPARAM wparam, LPARAM lparam);
void SetMenuMessageSink(MenuMessageSink sink);

}  // namespace tessaro
