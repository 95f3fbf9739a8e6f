#pragma once
#include <string>

namespace wordsrv {

// The engine is a Linux program: it wants the Unix path of a Windows path.
// Under Wine this is wine_get_unix_file_name; the exe still loads on Windows,
// where there is no engine and the path stays as it is. The last component
// need not exist (a file about to be saved); a missing folder is an error.
std::string unixPath(const std::wstring& windowsPath);

// A full Windows path for what the caller typed (relative paths resolved as
// Word does, against the current folder).
std::wstring fullPath(const std::wstring& path);

}  // namespace wordsrv
