// The 15 ms timer that steps a command button's fade. It runs only while a
// fade does; its id lives in "TIMERID".
#pragma once

#include <windows.h>

namespace tessaro::skin {

inline constexpr UINT kFadeIntervalMs = 15;

// Keeps a running timer: a new fade continues on it.
void StartFadeTimer(HWND window);
void StopFadeTimer(HWND window);

}  // namespace tessaro::skin
