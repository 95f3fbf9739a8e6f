// A fresh folder of real files under the temporary folder, removed with
// everything in it when the test ends: what only the file system can tell
// (two spellings of one file, a folder that is a file) needs real files.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tessaro::testing {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::filesystem::path(temp) / (name + L"-" + std::to_wstring(GetCurrentProcessId()));
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::wstring path() const { return path_.wstring(); }
  // Writes a small file and gives its full path.
  std::wstring File(const std::wstring& name) const {
    std::ofstream(path_ / name) << "x";
    return (path_ / name).wstring();
  }

 private:
  std::filesystem::path path_;
};

// The 8.3 name the file system gives a long file name.
inline std::wstring ShortName(const std::wstring& path) {
  wchar_t found[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(path.c_str(), found, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(found) : std::wstring();
}

}  // namespace tessaro::testing
