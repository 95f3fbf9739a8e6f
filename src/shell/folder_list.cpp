#include "shell/folder_list.h"

#include <shellapi.h>

#include <climits>
#include <vector>

#include "controls/list_view_text.h"
#include "controls/tree_view_text.h"
#include "controls/notice.h"
#include "controls/redraw_pause.h"
#include "shell/context_menu.h"
#include "shell/folder_tree.h"
#include "shell/list_columns.h"
#include "shell/list_texts.h"
#include "shell/shell_folder.h"

namespace tessaro::shell {
namespace {

constexpr const wchar_t* kAppTitle = L"Tessaro";

struct CompareContext {
  const std::unordered_map<LPARAM, ChildPidl>* table;
  IShellFolder* folder;
  std::uint32_t sort_value;
};

struct NameContext {
  std::unordered_map<LPARAM, NameKey> keys;
  std::uint32_t sort_value;
};

void SetSubItem(HWND list, int row, int column, const std::wstring& text) {
  if (text.empty()) return;
  ListView_SetItemText(list, row, column, const_cast<wchar_t*>(text.c_str()));
}

}  // namespace

FolderList::FolderList(HWND list, HWND tree) : list_(list), tree_(tree) {}

PCUITEMID_CHILD FolderList::RowPidl(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (row < 0 || !ListView_GetItem(list_, &item)) return nullptr;
  const auto found = table_.find(item.lParam);
  return found == table_.end() ? nullptr : found->second.get();
}

ComPtr<IDataObject> FolderList::SelectedRowsData() const {
  ComPtr<IDataObject> data;
  std::vector<PCUITEMID_CHILD> items;
  for (int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) {
    if (const PCUITEMID_CHILD item = RowPidl(row)) items.push_back(item);
  }
  if (!folder_ || items.empty()) return data;
  if (FAILED(folder_->GetUIObjectOf(GetTopLevelWindow(list_), static_cast<UINT>(items.size()), items.data(),
                                    IID_IDataObject, nullptr, data.put_void()))) {
    data.reset();
  }
  return data;
}

void FolderList::ClearList() {
  // Rows go before the lists their lParams name, so no callback can meet a
  // row whose list is already freed.
  ListView_DeleteAllItems(list_);
  table_.clear();
  while (ListView_DeleteColumn(list_, 0)) {
  }
  column_count_ = 0;
  sort_.column_flags.clear();
  SetAutoArrange(true);
}

void FolderList::FillList(PCIDLIST_ABSOLUTE folder_fq, PCUITEMID_CHILD folder_rel) {
  ComPtr<IShellFolder> folder = GetFolder(folder_fq);
  const ComPtr<IShellFolder> parent = GetParentFolder(folder_fq);
  const bool file_system = GetAttributes(parent.get(), folder_rel, SFGAO_FILESYSTEM) != 0;
  const HWND owner = GetTopLevelWindow(list_);

  ClearList();
  folder_ = std::move(folder);
  folder_pidl_ = CopyPIDL(folder_fq);
  ComPtr<IShellDetails> details;
  if (folder_ && FAILED(folder_->CreateViewObject(owner, IID_IShellDetails, details.put_void()))) details.reset();
  column_count_ = CreateListColumns(list_, details.get(), file_system);

  ComPtr<IEnumIDList> items;
  if (!folder_ || !folder_pidl_ ||
      folder_->EnumObjects(owner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.put()) != S_OK ||
      !items) {
    return;
  }
  {
    RedrawPause pause(list_);
    PITEMID_CHILD next = nullptr;
    while (items->Next(1, &next, nullptr) == S_OK) {
      ChildPidl rel = ChildPidl::Adopt(next);
      const AbsolutePidl fq = CombinePIDLs(folder_pidl_.get(), rel.get());
      if (fq) AddListItem(fq.get(), std::move(rel), details.get(), file_system);
    }
    if (table_.empty()) return;
    SortList();
  }
  UpdateWindow(list_);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list_, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  ListView_EnsureVisible(list_, 0, FALSE);
}

void FolderList::AddListItem(PCIDLIST_ABSOLUTE fq, ChildPidl rel, IShellDetails* details, bool file_system) {
  const SFGAOF attributes = GetAttributes(folder_.get(), rel.get(), SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK);
  std::wstring name = GetDisplayName(folder_.get(), rel.get(), SHGDN_INFOLDER);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = INT_MAX;
  item.pszText = name.data();
  item.iImage = GetSysIconIndex(fq, SHGFI_SMALLICON);
  if (attributes & (SFGAO_SHARE | SFGAO_LINK)) {
    item.mask |= LVIF_STATE;
    item.stateMask = LVIS_OVERLAYMASK;
    item.state = INDEXTOOVERLAYMASK((attributes & SFGAO_SHARE) ? 1 : 2);
  }
  item.lParam = next_key_++;
  const PCUITEMID_CHILD key_pidl = rel.get();
  // In the table before the row exists: the control may call back while
  // inserting.
  table_.emplace(item.lParam, std::move(rel));
  const int row = ListView_InsertItem(list_, &item);
  if (row < 0) {
    table_.erase(item.lParam);
    return;
  }
  if (details) {
    for (int column = 1; column < column_count_; ++column) {
      SHELLDETAILS detail{};
      if (SUCCEEDED(details->GetDetailsOf(key_pidl, column, &detail))) {
        SetSubItem(list_, row, column, StrRetToString(detail.str, key_pidl));
      }
    }
  } else if (file_system) {
    SetSubItem(list_, row, kFileTypeColumn, GetFileTypeName(fq));
    if (!(attributes & SFGAO_FOLDER)) SetFileDetails(row, fq);
  } else {
    SetSubItem(list_, row, kOtherTypeColumn, GetFileTypeName(fq));
  }
}

void FolderList::SetFileDetails(int row, PCIDLIST_ABSOLUTE fq) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const std::wstring path = GetPathFromPIDL(fq);
  if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return;
  const std::uint64_t bytes = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  SetSubItem(list_, row, kFileSizeColumn, SizeText(bytes));
  SetSubItem(list_, row, kFileDateColumn, FileTimeToDisplayString(data.ftLastWriteTime));
}

void FolderList::SortList() {
  if (!folder_) return;
  const std::uint32_t sort_value = SortValue(sort_);
  if ((sort_value & ~kDescendingBit) == kNameColumn) {
    SortByName(sort_value);
    return;
  }
  CompareContext context{&table_, folder_.get(), sort_value};
  ListView_SortItems(list_, &FolderList::CompareItems, reinterpret_cast<LPARAM>(&context));
}

void FolderList::SortByName(std::uint32_t sort_value) {
  // Read once per sort: names and kinds do not change while the rows move.
  NameContext context{{}, sort_value};
  const int rows = ListView_GetItemCount(list_);
  for (int row = 0; row < rows; ++row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(list_, &item)) continue;
    const auto found = table_.find(item.lParam);
    if (found == table_.end()) continue;
    const bool folder = GetAttributes(folder_.get(), found->second.get(), SFGAO_FOLDER) != 0;
    context.keys.emplace(item.lParam, NameKey{ListViewItemText(list_, row, kNameColumn), folder});
  }
  ListView_SortItems(list_, &FolderList::CompareNamedRows, reinterpret_cast<LPARAM>(&context));
}

int CALLBACK FolderList::CompareNamedRows(LPARAM first, LPARAM second, LPARAM context) {
  const auto& sort = *reinterpret_cast<const NameContext*>(context);
  const auto a = sort.keys.find(first);
  const auto b = sort.keys.find(second);
  if (a == sort.keys.end() || b == sort.keys.end()) return 0;
  return CompareNames(a->second, b->second, sort.sort_value);
}

int CALLBACK FolderList::CompareItems(LPARAM first, LPARAM second, LPARAM context) {
  const auto& sort = *reinterpret_cast<const CompareContext*>(context);
  const auto a = sort.table->find(first);
  const auto b = sort.table->find(second);
  if (a == sort.table->end() || b == sort.table->end()) return 0;
  const LPARAM column = sort.sort_value & ~kDescendingBit;
  return OrderFromCompareResult(sort.folder->CompareIDs(column, a->second.get(), b->second.get()), sort.sort_value);
}

void FolderList::SetAutoArrange(bool automatic) {
  const LONG_PTR style = GetWindowLongPtrW(list_, GWL_STYLE);
  const LONG_PTR arranged = (style & ~(LVS_AUTOARRANGE | LVS_ALIGNMASK)) | (automatic ? LVS_AUTOARRANGE | LVS_ALIGNTOP : 0);
  if (arranged != style) SetWindowLongPtrW(list_, GWL_STYLE, arranged);
  if (automatic) ListView_Arrange(list_, LVA_DEFAULT);
}

void FolderList::SetViewStyle(int view) {
  constexpr DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  if (view < 0 || view > 3) return;
  view_ = view;
  const LONG_PTR style = GetWindowLongPtrW(list_, GWL_STYLE);
  SetWindowLongPtrW(list_, GWL_STYLE, (style & ~LVS_TYPEMASK) | kStyles[view]);
}

LRESULT FolderList::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case NM_DBLCLK: {
      LVHITTESTINFO hit{};
      hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
      OpenItem(ListView_HitTest(list_, &hit));
      return 0;
    }
    case NM_RETURN:
      OpenItem(ListView_GetNextItem(list_, -1, LVNI_FOCUSED | LVNI_SELECTED));
      return 0;
    case NM_RCLICK:
      return OnRightClick();
  }
  return 0;
}

void FolderList::OpenItem(int row) {
  const PCUITEMID_CHILD rel = RowPidl(row);
  if (!rel || !folder_) return;
  if (GetAttributes(folder_.get(), rel, SFGAO_FOLDER)) {
    EnterFolder(ListViewItemText(list_, row, 0));
  } else {
    Execute(rel);
  }
}

void FolderList::EnterFolder(const std::wstring& name) {
  HTREEITEM parent = TreeView_GetSelection(tree_);
  if (!parent) return;
  TreeView_Expand(tree_, parent, TVE_EXPAND);
  const auto find_child = [&]() -> HTREEITEM {
    for (HTREEITEM child = TreeView_GetChild(tree_, parent); child; child = TreeView_GetNextSibling(tree_, child)) {
      if (TreeViewItemText(tree_, child) == name) return child;
    }
    return nullptr;
  };
  HTREEITEM child = find_child();
  // A folder made since the tree read this level is not in it yet.
  if (!child && tree_model_) {
    tree_model_->UpdateChildren(parent);
    child = find_child();
  }
  if (child) TreeView_SelectItem(tree_, child);
}

void FolderList::Execute(PCUITEMID_CHILD rel) {
  const AbsolutePidl item = CombinePIDLs(folder_pidl_.get(), rel);
  if (!item) return;
  const HWND owner = GetTopLevelWindow(list_);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // The shell's own box would come first and leave no cause to tell: ours
  // names it.
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.nShow = SW_SHOWNORMAL;
  info.hInstApp = GetModuleHandleW(nullptr);
  info.lpIDList = const_cast<ITEMIDLIST_ABSOLUTE*>(item.get());
  if (ShellExecuteExW(&info)) return;
  const DWORD error = ShellExecuteError(reinterpret_cast<INT_PTR>(info.hInstApp), GetLastError());
  if (error == ERROR_CANCELLED) return;
  ShowNotice(owner, ShellExecuteFailureText(error).c_str(), kAppTitle);
}

LRESULT FolderList::OnRightClick() {
  LVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(list_, &hit.pt);
  const int row = ListView_HitTest(list_, &hit);
  POINT screen = hit.pt;
  ClientToScreen(list_, &screen);
  if (row < 0 || !(hit.flags & LVHT_ONITEM)) {
    if (view_menu_) {
      TrackPopupMenu(view_menu_, TPM_RIGHTBUTTON, screen.x, screen.y, 0, GetTopLevelWindow(list_), nullptr);
    }
    return 1;
  }
  std::vector<PCUITEMID_CHILD> items;
  if (const PCUITEMID_CHILD clicked = RowPidl(row)) items.push_back(clicked);
  for (int other = ListView_GetNextItem(list_, -1, LVNI_SELECTED); other >= 0;
       other = ListView_GetNextItem(list_, other, LVNI_SELECTED)) {
    if (other == row) continue;
    if (const PCUITEMID_CHILD selected = RowPidl(other)) items.push_back(selected);
  }
  if (items.empty()) return 1;
  return ShowShellContextMenu(list_, folder_.get(), items, screen) ? 0 : 1;
}

}  // namespace tessaro::shell
