// Tells the contents list when the folder it shows changes under it: files
// a split writes there, files another program removes or renames.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <thread>

#include "win32/unique_handle.h"

namespace tessaro::shell {

// A directory's entries made, removed, renamed, written or changed in their
// attributes: `message` is posted to `notify`, at most every 100 ms.
class DirectoryWatch {
 public:
  DirectoryWatch(const std::wstring& directory, HWND notify, UINT message);
  // Stops and waits for the watching thread.
  ~DirectoryWatch();
  DirectoryWatch(const DirectoryWatch&) = delete;
  DirectoryWatch& operator=(const DirectoryWatch&) = delete;

 private:
  ChangeNotification change_;
  KernelHandle stop_;
  std::thread thread_;
};

// The shell's own notices of changes in a folder outside the file system
// (SHChangeNotifyRegister), delivered to `notify` as `message`.
class ShellFolderWatch {
 public:
  ShellFolderWatch(PCIDLIST_ABSOLUTE folder, HWND notify, UINT message);
  ~ShellFolderWatch();
  ShellFolderWatch(const ShellFolderWatch&) = delete;
  ShellFolderWatch& operator=(const ShellFolderWatch&) = delete;

  // Reads one notice, as the message's wparam and lparam carry it, and lets
  // the shell free it.
  static void Acknowledge(WPARAM wparam, LPARAM lparam);

 private:
  ULONG registration_ = 0;
};

}  // namespace tessaro::shell
