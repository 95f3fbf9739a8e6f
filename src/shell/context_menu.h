// The shell's own context menu for items of one folder.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <span>

namespace tessaro::shell {

// Shows the menu at a screen point and carries out the chosen command.
// Returns true when a command was chosen.
bool ShowShellContextMenu(HWND owner, IShellFolder* folder, std::span<const PCUITEMID_CHILD> items, POINT screen);

// While a shell context menu is open, its owner window hands the menu's
// drawing and initialisation messages here, so owner-drawn entries and
// submenus that fill on opening work. Does nothing when no menu is open.
void ForwardToActiveContextMenu(UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tessaro::shell
