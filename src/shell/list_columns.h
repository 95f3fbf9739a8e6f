// The columns of the contents list: the folder's own when it describes them,
// otherwise name, size, type and date for file-system folders and name and
// type for the others.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace tessaro::shell {

// Sub-item columns of the default layouts; every layout starts with the name.
inline constexpr int kNameColumn = 0;
inline constexpr int kFileSizeColumn = 1;
inline constexpr int kFileTypeColumn = 2;
inline constexpr int kFileDateColumn = 3;
inline constexpr int kOtherTypeColumn = 1;

// Adds the columns to an empty list and returns how many there are.
int CreateListColumns(HWND list, IShellDetails* details, bool file_system);

}  // namespace tessaro::shell
