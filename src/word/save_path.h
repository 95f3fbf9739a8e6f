// SavePath: the folder chooser behind the split output's "..." button.
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <string>
#include <string_view>

namespace tessaro {

// Shows the shell's folder browser over the whole namespace, titled title
// ("选择目录" when empty), on start_folder when that folder is there, with a
// button that makes a new folder. Returns the chosen file-system folder,
// whole however long, or an empty string when the user cancels or the
// choice has no file-system path.
std::wstring BrowseForFolder(HWND owner, std::wstring_view title, const std::wstring& start_folder = {});

// The file-system path of a shell item, whole however long; empty for an item
// that has none (the desktop's virtual folders). A drive root keeps its "\".
std::wstring FileSystemPath(PCIDLIST_ABSOLUTE item);

}  // namespace tessaro
