// The folder pane: shell folders from one root down, filled one level at a
// time as folders are expanded. Selecting a folder shows its contents in the
// folder list. The host window passes the tree's notifications to OnNotify.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <unordered_map>

#include "win32/com_ptr.h"

#include "shell/tree_item_data.h"

namespace tessaro::shell {

class FolderList;

class FolderTree {
 public:
  // The list enters folders through this tree while it lives.
  FolderTree(HWND tree, FolderList& list);
  ~FolderTree();
  FolderTree(const FolderTree&) = delete;
  FolderTree& operator=(const FolderTree&) = delete;

  HWND window() const { return tree_; }

  // Empties the tree, adds the root folder, selects and expands it. Returns
  // the root item, nullptr when its list cannot be copied.
  HTREEITEM SetTreeRoot(PCIDLIST_ABSOLUTE root);
  // Removes every item; each deletion frees its record.
  void ClearTree();
  // From the given item and its following siblings down: expanded folders
  // gain the subfolders created and lose the ones removed since they were
  // read, keeping what stays (with its expansion and selection); collapsed
  // folders drop their loaded children, to be read afresh on expanding.
  void RefreshTree(HTREEITEM first);
  // Brings the loaded children of one folder up to date in the same way.
  void UpdateChildren(HTREEITEM parent);
  // The record of an item, nullptr for none.
  const cTreeItemData* GetTreeItemData(HTREEITEM item) const;
  std::size_t record_count() const { return table_.size(); }

  // A notification of the tree. Non-zero means dealt with completely; 0
  // passes it on to the default handling.
  LRESULT OnNotify(const NMHDR& header);

 private:
  struct SortContext;

  struct Icons {
    int normal = 0;
    int open = 0;
  };

  // in_directory: the parent is a directory of the file system, whose plain
  // subfolders all look alike.
  HTREEITEM AddTreeItem(HTREEITEM parent, IShellFolder* folder, PCIDLIST_ABSOLUTE fq, PCUITEMID_CHILD rel,
                        bool in_directory);
  Icons IconsOf(IShellFolder* folder, PCIDLIST_ABSOLUTE fq, PCUITEMID_CHILD rel, bool in_directory);
  int HasSubfolders(HTREEITEM item);
  void FillTreeChildren(PCIDLIST_ABSOLUTE parent_fq, HTREEITEM parent);
  void SortChildren(HTREEITEM parent, IShellFolder* folder);
  void SetChildrenFlag(HTREEITEM item, int children);
  LRESULT OnRightClick();
  static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM context);

  HWND tree_;
  FolderList& list_;
  // Each item's lParam is its key here; keys are never reused.
  std::unordered_map<LPARAM, std::unique_ptr<cTreeItemData>> table_;
  LPARAM next_key_ = 1;
  // The folder objects of the folders whose children are loaded: the
  // children's own questions go to them.
  std::unordered_map<HTREEITEM, ComPtr<IShellFolder>> loaded_folders_;
  // The icons every plain file-system folder shares, once asked.
  std::optional<Icons> plain_folder_icons_;
};

}  // namespace tessaro::shell
