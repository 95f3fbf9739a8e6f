// The contents pane: every item of one folder with the shell's icons,
// overlays, names and detail columns, ordered by any column. The list
// control holds no rows of its own (LVS_OWNERDATA): it asks for the texts,
// icons and overlays of the rows it shows, and this class answers from the
// rows a listing thread reads. The host window passes the list's
// notifications to OnNotify.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "win32/com_ptr.h"
#include "shell/folder_listing.h"
#include "shell/folder_watch.h"
#include "shell/item_looks.h"
#include "shell/list_sort.h"
#include "shell/pidl.h"

namespace tessaro::shell {

class FolderTree;

class FolderList {
 public:
  // The tree is where opened folders are entered.
  FolderList(HWND list, HWND tree);
  ~FolderList();
  FolderList(const FolderList&) = delete;
  FolderList& operator=(const FolderList&) = delete;

  HWND window() const { return list_; }

  // Shows the folder's contents, sorted by the current sort state. Returns
  // with every row when the folder is read within moments, else with the
  // first screen of rows; the others follow as they are read.
  void FillList(PCIDLIST_ABSOLUTE folder_fq, PCUITEMID_CHILD folder_rel);
  // Empties the list and its columns, and stops reading and watching.
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
  std::size_t row_count() const { return order_.size(); }
  // Whether the folder shown is being read, at first or again after a change.
  bool Reading() const { return listing_ != nullptr; }
  // Readings cancelled or done whose threads have not ended yet.
  std::size_t EndingListings() const { return ending_.size(); }
  // The selected rows as the shell hands items to a drag (file paths among
  // its formats); empty when none is selected.
  ComPtr<IDataObject> SelectedRowsData();
  // The menu that right-clicks on empty space show.
  void SetViewMenu(HMENU menu) { view_menu_ = menu; }
  // The tree of folders over tree_, which opened folders are entered
  // through; nullptr while there is none. Not owned.
  void SetTree(FolderTree* tree) { tree_model_ = tree; }

  // A notification of the list. Non-zero means dealt with completely; 0
  // passes it on to the default handling.
  LRESULT OnNotify(const NMHDR& header);

 private:
  enum class Layout { kFileSystem, kOther, kDetails };

  struct Row {
    ListedItem item;
    ChildPidl pidl;  // made when first needed for items read from the file system
    int icon = -1;   // the item's own icon once asked
    bool share_asked = false;
  };
  // Where a row was, to find it again after the rows move.
  struct Selection {
    std::vector<std::uint32_t> rows;
    std::optional<std::uint32_t> focused;
  };

  static LRESULT CALLBACK EventsProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnEvent(UINT message, WPARAM wparam, LPARAM lparam);

  void StartListing(bool replace);
  void StopListing();
  void TakeListed();
  void AppendRows(std::vector<ListedItem> items);
  void SelectFirstRow();
  void ReplaceRows();
  // Adds a batch in name order to rows kept with their name order.
  static void AddRows(std::vector<Row>& rows, std::vector<std::uint32_t>& by_name, std::vector<ListedItem> items);
  void ShowRowCount();
  void Watch();
  void FolderChanged();
  void ReapEndedListings();

  Selection SaveSelection() const;
  void RestoreSelection(const Selection& selection);
  // The place of each look's type name in type order; equal names share one.
  std::unordered_map<std::uint32_t, std::uint32_t> TypeRanks() const;
  RowComparison Comparison() const;
  void ShowSortArrow();

  Row* RowAt(int position);
  PCUITEMID_CHILD RowPidl(Row& row);
  const std::wstring& FileName(const Row& row) const;
  std::wstring CellText(const Row& row, int column) const;
  int IconOf(Row& row);
  UINT OverlayOf(Row& row);
  void OnGetDispInfo(NMLVDISPINFOW& info);
  int FindRow(const NMLVFINDITEMW& find) const;

  void OpenItem(int position);
  void EnterFolder(const std::wstring& name);
  void Execute(PCUITEMID_CHILD rel);
  LRESULT OnRightClick();

  HWND list_;
  HWND tree_;
  FolderTree* tree_model_ = nullptr;
  HMENU view_menu_ = nullptr;
  // Receives what the listing and watching threads post.
  HWND events_ = nullptr;
  // The folder shown, as an object and as a list of its own.
  ComPtr<IShellFolder> folder_;
  AbsolutePidl folder_pidl_;
  std::wstring directory_;  // its file-system directory when it is read through the file system
  Layout layout_ = Layout::kOther;
  int column_count_ = 0;
  // The rows as read, the rows in name order, and the row shown at each
  // position of the list.
  std::vector<Row> rows_;
  std::vector<std::uint32_t> by_name_;
  std::vector<std::uint32_t> order_;
  std::shared_ptr<LookTable> looks_;
  std::shared_ptr<FolderListing> listing_;
  // A listing that reads the folder again replaces the rows once complete.
  bool replacing_ = false;
  std::vector<Row> replacement_;
  std::vector<std::uint32_t> replacement_by_name_;
  bool changed_while_reading_ = false;
  // The row first selected while the folder is still read.
  std::optional<std::uint32_t> first_row_;
  std::vector<std::shared_ptr<FolderListing>> ending_;
  std::unique_ptr<DirectoryWatch> directory_watch_;
  std::unique_ptr<ShellFolderWatch> shell_watch_;
  int view_ = 0;
  SortState sort_;
};

}  // namespace tessaro::shell
