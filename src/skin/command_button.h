// Command buttons: drawn entirely by the skin from the four prepared faces,
// changing state with a fade. A window of a button class whose original
// style is not a plain push button keeps its own painting.
#pragma once

#include <windows.h>

#include "skin/skin_message.h"

namespace tessaro::skin {

void PrepareCommandButton(HWND window);
void ReleaseCommandButton(HWND window);

// Blends the face of "OLDSTATE" onto the button at opacity "ALPHALEVEL";
// into dc when given, else onto the window.
void PaintButton(HWND window, HDC dc = nullptr);

LRESULT CommandButtonMessage(const SkinMessage& message);

}  // namespace tessaro::skin
