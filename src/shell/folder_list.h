// The contents pane: every item of one folder with the shell's icons,
// overlays, names and detail columns, names in Explorer's order and the
// other columns in the folder's own. The host window passes the list's
// notifications to OnNotify.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <unordered_map>

#include "win32/com_ptr.h"
#include "shell/list_sort.h"
#include "shell/pidl.h"

namespace tessaro::shell {

class FolderTree;

class FolderList {
 public:
  // The tree is where opened folders are entered.
  FolderList(HWND list, HWND tree);
  FolderList(const FolderList&) = delete;
  FolderList& operator=(const FolderList&) = delete;

  HWND window() const { return list_; }

  // Shows the folder's contents, sorted by the current sort state.
  void FillList(PCIDLIST_ABSOLUTE folder_fq, PCUITEMID_CHILD folder_rel);
  // Empties the list, its columns and its table.
  void ClearList();
  // Puts the rows in the order of the sort state.
  void SortList();
  // Icons kept arranged automatically (aligned to the top), or left where
  // they are.
  void SetAutoArrange(bool automatic);
  // 0 large icons, 1 small icons, 2 list, 3 report.
  void SetViewStyle(int view);
  int view() const { return view_; }

  SortState& sort_state() { return sort_; }
  std::size_t row_count() const { return table_.size(); }
  // The item list of a row, nullptr for none.
  PCUITEMID_CHILD RowPidl(int row) const;
  // The selected rows as the shell hands items to a drag (file paths among
  // its formats); empty when none is selected.
  ComPtr<IDataObject> SelectedRowsData() const;
  // The menu that right-clicks on empty space show.
  void SetViewMenu(HMENU menu) { view_menu_ = menu; }
  // The tree of folders over tree_, which opened folders are entered
  // through; nullptr while there is none. Not owned.
  void SetTree(FolderTree* tree) { tree_model_ = tree; }

  // A notification of the list. Non-zero means dealt with completely; 0
  // passes it on to the default handling.
  LRESULT OnNotify(const NMHDR& header);

 private:
  void AddListItem(PCIDLIST_ABSOLUTE fq, ChildPidl rel, IShellDetails* details, bool file_system);
  void SetFileDetails(int row, PCIDLIST_ABSOLUTE fq);
  void OpenItem(int row);
  void EnterFolder(const std::wstring& name);
  void Execute(PCUITEMID_CHILD rel);
  LRESULT OnRightClick();
  void SortByName(std::uint32_t sort_value);
  static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM context);
  static int CALLBACK CompareNamedRows(LPARAM first, LPARAM second, LPARAM context);

  HWND list_;
  HWND tree_;
  FolderTree* tree_model_ = nullptr;
  HMENU view_menu_ = nullptr;
  // The folder shown, as an object and as a list of its own.
  ComPtr<IShellFolder> folder_;
  AbsolutePidl folder_pidl_;
  // Each row's lParam is its key here; keys are never reused.
  std::unordered_map<LPARAM, ChildPidl> table_;
  LPARAM next_key_ = 1;
  int column_count_ = 0;
  int view_ = 0;
  SortState sort_;
};

}  // namespace tessaro::shell
