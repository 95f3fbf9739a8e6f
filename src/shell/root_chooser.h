// The shell's folder browser, opening on a given folder.
#pragma once

#include <windows.h>

#include <string>

#include "shell/pidl.h"

namespace tessaro::shell {

// Lets the user pick a folder below browse_root (nullptr: the desktop), with
// preselect chosen when the dialog opens. Empty when the user cancels.
AbsolutePidl BrowseForRootFolder(HWND owner, const std::wstring& title, UINT flags, PCIDLIST_ABSOLUTE browse_root,
                                 PCIDLIST_ABSOLUTE preselect);

}  // namespace tessaro::shell
