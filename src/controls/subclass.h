// Replacing a control's window procedure with one of ours. The replaced
// procedure lives in the window property "OldWndProc", and an optional owner
// object in "ObjectPtr", so that anyone can see what was done to a window.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tessaro {

// Installs the procedure. Returns true when the window is subclassed, also
// when it already was (the first subclassing stays). A failure is reported
// to the user and leaves the window as it was.
bool SubclassWindow(HWND window, WNDPROC procedure, void* owner = nullptr);
// Puts the replaced procedure back and removes the properties. Returns false
// for a window that is not subclassed, and when another procedure has been
// installed over ours since: that one must go first.
bool UnsubclassWindow(HWND window);
// Gives a message to the procedure that subclassing replaced.
LRESULT CallPreviousWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// How many windows are subclassed through here.
std::size_t SubclassedWindowCount();

}  // namespace tessaro
