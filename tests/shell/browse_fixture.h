// A folder tree on disk for the browsing tests, and a host window holding a
// tree and a list whose notifications reach the browsing code the way the
// main window passes them.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/folder_list.h"
#include "shell/folder_tree.h"
#include "shell/pidl.h"

namespace tessaro::testing {

// root\A\A1, root\B (no subfolders), root\H (hidden, with hidden H1), files
// of 0, 1, 1,536 bytes and 5 GiB (sparse), a name outside GBK, a shortcut.
struct DiskTree {
  static constexpr std::uint64_t kHugeBytes = 5ull << 30;
  static const wchar_t* const kForeignName;

  DiskTree();
  ~DiskTree();
  DiskTree(const DiskTree&) = delete;
  DiskTree& operator=(const DiskTree&) = delete;

  std::filesystem::path root;
};

// The shell's list for a path, owned through the current allocator.
shell::AbsolutePidl PidlOfPath(const std::filesystem::path& path);

class BrowseHost {
 public:
  BrowseHost();
  ~BrowseHost();
  BrowseHost(const BrowseHost&) = delete;
  BrowseHost& operator=(const BrowseHost&) = delete;

  HWND window() const { return window_; }
  HWND tree_window() const { return tree_window_; }
  HWND list_window() const { return list_window_; }
  shell::FolderTree& tree() { return *tree_; }
  shell::FolderList& list() { return *list_; }

  std::vector<std::wstring> ChildTexts(HTREEITEM parent) const;
  HTREEITEM ChildNamed(HTREEITEM parent, const std::wstring& text) const;
  std::wstring TreeText(HTREEITEM item) const;
  int RowNamed(const std::wstring& name) const;
  std::wstring Cell(int row, int column) const;
  std::vector<std::wstring> RowNames() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  HWND tree_window_ = nullptr;
  HWND list_window_ = nullptr;
  std::unique_ptr<shell::FolderList> list_;
  std::unique_ptr<shell::FolderTree> tree_;
};

}  // namespace tessaro::testing
