// Whether two paths lead to one file on disk. Text comparison misses the same
// file under its 8.3 short name, in other letter case, through a mapped drive
// or a second link, and Word treats all of those as one open document.
#pragma once

#include <string>

namespace tessaro::word {

// True when both paths open the same file or folder (same volume, same file
// index). A path that cannot be opened (not there yet, no access) is only
// compared as text, ignoring letter case.
bool SameFile(const std::wstring& a, const std::wstring& b);

// True when the path names an existing folder.
bool IsFolder(const std::wstring& path);
// True when the path names an existing file that is not a folder.
bool IsFile(const std::wstring& path);

// The path as the file system takes it: paths of MAX_PATH characters or more
// reach it only in their "\\?\" form.
std::wstring ForFileSystem(const std::wstring& path);

}  // namespace tessaro::word
