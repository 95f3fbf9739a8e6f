#include "shell/folder_list.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <unordered_map>

#include "controls/notice.h"
#include "controls/tree_view_text.h"
#include "shell/context_menu.h"
#include "shell/folder_tree.h"
#include "shell/list_columns.h"
#include "shell/list_texts.h"
#include "shell/shell_folder.h"

namespace tessaro::shell {
namespace {

constexpr const wchar_t* kAppTitle = L"Tessaro";
constexpr const wchar_t* kEventsClass = L"TessaroFolderListEvents";

constexpr UINT kListingArrived = WM_APP + 1;
constexpr UINT kDirectoryChanged = WM_APP + 2;
constexpr UINT kShellChanged = WM_APP + 3;
constexpr UINT_PTR kChangeTimer = 1;
// Changes come in bursts (a program writing a file, a split writing its
// pages); the folder is read again once they pause.
constexpr UINT kChangePauseMs = 250;
// A folder read within moments shows whole at once. A larger one shows its
// first screen of rows after a moment, and the rest as it is read; one that
// hangs is waited for no longer than the last figure.
constexpr std::size_t kFirstScreenRows = 500;
constexpr DWORD kFirstScreenMs = 250;
constexpr DWORD kLongestWaitMs = 2000;

HWND CreateEventsWindow(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kEventsClass;
    return RegisterClassW(&window_class) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExW(0, kEventsClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

void CopyText(const std::wstring& text, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
  std::copy_n(text.data(), count, buffer);
  buffer[count] = L'\0';
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder's directory when the file system can list it; empty for a
// folder outside the file system and for a file the shell opens as a
// folder (an archive).
std::wstring DirectoryOf(PCIDLIST_ABSOLUTE folder) {
  std::wstring path = GetPathFromPIDL(folder);
  return !path.empty() && IsDirectory(path) ? path : std::wstring();
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix, bool whole) {
  if (text.size() < prefix.size() || (whole && text.size() != prefix.size())) return false;
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), static_cast<int>(prefix.size()),
                        prefix.c_str(), static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

}  // namespace

FolderList::FolderList(HWND list, HWND tree)
    : list_(list), tree_(tree), looks_(std::make_shared<LookTable>()) {
  events_ = CreateEventsWindow(&FolderList::EventsProc);
  if (events_) SetWindowLongPtrW(events_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // The overlays (shared, shortcut) are the rows' own, given when asked.
  ListView_SetCallbackMask(list_, LVIS_OVERLAYMASK);
}

FolderList::~FolderList() {
  StopListing();
  directory_watch_.reset();
  shell_watch_.reset();
  ending_.clear();
  if (events_) DestroyWindow(events_);
}

LRESULT CALLBACK FolderList::EventsProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* list = reinterpret_cast<FolderList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case kListingArrived:
    case kDirectoryChanged:
    case kShellChanged:
    case WM_TIMER:
      if (list) list->OnEvent(message, wparam, lparam);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void FolderList::OnEvent(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kListingArrived:
      TakeListed();
      break;
    case kShellChanged:
      ShellFolderWatch::Acknowledge(wparam, lparam);
      [[fallthrough]];
    case kDirectoryChanged:
      SetTimer(events_, kChangeTimer, kChangePauseMs, nullptr);
      break;
    case WM_TIMER:
      KillTimer(events_, kChangeTimer);
      FolderChanged();
      break;
  }
  ReapEndedListings();
}

void FolderList::ClearList() {
  StopListing();
  directory_watch_.reset();
  shell_watch_.reset();
  // The control forgets its rows before the rows go, so that nothing it
  // paints meanwhile asks for a row that is gone.
  ListView_DeleteAllItems(list_);
  order_.clear();
  by_name_.clear();
  rows_.clear();
  while (ListView_DeleteColumn(list_, 0)) {
  }
  column_count_ = 0;
  directory_.clear();
  sort_.column_flags.clear();
  SetAutoArrange(true);
  ReapEndedListings();
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
  layout_ = details ? Layout::kDetails : (file_system ? Layout::kFileSystem : Layout::kOther);
  ShowSortArrow();
  if (!folder_ || !folder_pidl_) return;
  // The desktop holds more than its directory: the shell lists it.
  if (layout_ != Layout::kDetails && file_system && !IsDesktopPIDL(folder_pidl_.get())) {
    directory_ = DirectoryOf(folder_pidl_.get());
  }
  StartListing(false);
  // Kept alive here: a message answered while waiting may show another folder.
  const std::shared_ptr<FolderListing> listing = listing_;
  listing->WaitForFirstRows(kFirstScreenRows, kFirstScreenMs, kLongestWaitMs);
  TakeListed();
  Watch();
}

void FolderList::StartListing(bool replace) {
  ListingSource source;
  source.directory = directory_;
  const auto* bytes = reinterpret_cast<const BYTE*>(folder_pidl_.get());
  source.folder.assign(bytes, bytes + GetPIDLSize(folder_pidl_.get()).value_or(0));
  source.detail_columns = layout_ == Layout::kDetails ? column_count_ : 0;
  replacing_ = replace;
  replacement_.clear();
  replacement_by_name_.clear();
  changed_while_reading_ = false;
  listing_ = std::make_shared<FolderListing>(std::move(source), looks_, events_, kListingArrived);
}

void FolderList::StopListing() {
  KillTimer(events_, kChangeTimer);
  first_row_.reset();
  if (listing_) {
    listing_->Cancel();
    ending_.push_back(std::move(listing_));
  }
  replacing_ = false;
  replacement_.clear();
  replacement_by_name_.clear();
  changed_while_reading_ = false;
}

void FolderList::ReapEndedListings() {
  std::erase_if(ending_, [](const std::shared_ptr<FolderListing>& listing) { return listing->Ended(); });
}

void FolderList::TakeListed() {
  if (!listing_) return;
  FolderListing::Arrivals arrivals = listing_->Take();
  if (replacing_) {
    AddRows(replacement_, replacement_by_name_, std::move(arrivals.items));
  } else if (!arrivals.items.empty()) {
    AppendRows(std::move(arrivals.items));
  }
  if (!arrivals.complete) return;
  ending_.push_back(std::move(listing_));
  // Rows read after the first screen may have come before its first row:
  // the folder's first row is the one selected, unless the user chose.
  if (first_row_ && !order_.empty() && order_[0] != *first_row_) {
    const Selection selection = SaveSelection();
    if (selection.rows == std::vector<std::uint32_t>{*first_row_} && selection.focused == first_row_) {
      SelectFirstRow();
    }
  }
  first_row_.reset();
  // A directory removed while it was read shows none of what was read, and
  // is let go: a handle open on it would keep it from going.
  if (!directory_.empty() && !IsDirectory(directory_)) {
    directory_watch_.reset();
    replacing_ = true;
    replacement_.clear();
    replacement_by_name_.clear();
  }
  if (replacing_) {
    replacing_ = false;
    ReplaceRows();
  }
  if (changed_while_reading_) StartListing(true);
}

void FolderList::AddRows(std::vector<Row>& rows, std::vector<std::uint32_t>& by_name,
                         std::vector<ListedItem> items) {
  const std::size_t sorted = by_name.size();
  rows.reserve(rows.size() + items.size());
  for (ListedItem& item : items) {
    by_name.push_back(static_cast<std::uint32_t>(rows.size()));
    Row& row = rows.emplace_back();
    row.item = std::move(item);
    if (row.item.pidl) row.pidl = ChildPidl::Adopt(row.item.pidl.release());
  }
  std::inplace_merge(by_name.begin(), by_name.begin() + static_cast<std::ptrdiff_t>(sorted), by_name.end(),
                     [&rows](std::uint32_t first, std::uint32_t second) {
                       return CompareNames(rows[first].item.name.c_str(), rows[second].item.name.c_str()) < 0;
                     });
}

void FolderList::AppendRows(std::vector<ListedItem> items) {
  const bool first = rows_.empty();
  const Selection selection = SaveSelection();
  AddRows(rows_, by_name_, std::move(items));
  order_.resize(rows_.size());
  for (std::uint32_t row = 0; row < order_.size(); ++row) order_[row] = row;
  SortRows(order_, Comparison(), sort_.order != 0);
  ShowRowCount();
  if (!first) {
    RestoreSelection(selection);
    return;
  }
  SelectFirstRow();
  ListView_EnsureVisible(list_, 0, FALSE);
  first_row_ = order_.empty() ? std::nullopt : std::optional<std::uint32_t>(order_[0]);
}

void FolderList::SelectFirstRow() {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list_, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  ListView_SetSelectionMark(list_, 0);
}

void FolderList::ReplaceRows() {
  Selection selection = SaveSelection();
  std::unordered_map<std::wstring, std::uint32_t> new_rows;
  for (std::uint32_t row = 0; row < replacement_.size(); ++row) new_rows.emplace(FileName(replacement_[row]), row);
  std::vector<std::uint32_t> new_index(rows_.size(), UINT32_MAX);
  for (std::uint32_t row = 0; row < rows_.size(); ++row) {
    const auto found = new_rows.find(FileName(rows_[row]));
    if (found == new_rows.end()) continue;
    new_index[row] = found->second;
    Row& old = rows_[row];
    Row& now = replacement_[found->second];
    // What was asked of the shell holds while the item is the same.
    if (old.item.look == now.item.look && old.item.size == now.item.size &&
        old.item.modified == now.item.modified) {
      if (!now.pidl) now.pidl = std::move(old.pidl);
      now.icon = old.icon;
      now.share_asked = old.share_asked;
      now.item.flags |= old.item.flags & kSharedItem;
    }
  }
  const auto renumber = [&new_index](std::uint32_t row) { return row < new_index.size() ? new_index[row] : UINT32_MAX; };
  std::erase_if(selection.rows, [&](std::uint32_t& row) { return (row = renumber(row)) == UINT32_MAX; });
  if (selection.focused) selection.focused = renumber(*selection.focused);
  rows_ = std::move(replacement_);
  by_name_ = std::move(replacement_by_name_);
  replacement_.clear();
  replacement_by_name_.clear();
  order_.resize(rows_.size());
  for (std::uint32_t row = 0; row < order_.size(); ++row) order_[row] = row;
  SortRows(order_, Comparison(), sort_.order != 0);
  ShowRowCount();
  RestoreSelection(selection);
}

void FolderList::ShowRowCount() {
  ListView_SetItemCountEx(list_, static_cast<int>(order_.size()), LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, TRUE);
}

void FolderList::Watch() {
  directory_watch_.reset();
  shell_watch_.reset();
  if (!folder_pidl_) return;
  if (!directory_.empty()) {
    directory_watch_ = std::make_unique<DirectoryWatch>(LongPath(directory_), events_, kDirectoryChanged);
  } else {
    shell_watch_ = std::make_unique<ShellFolderWatch>(folder_pidl_.get(), events_, kShellChanged);
  }
}

void FolderList::FolderChanged() {
  if (!folder_ || !folder_pidl_) return;
  if (listing_) {
    changed_while_reading_ = true;
    return;
  }
  StartListing(true);
}

FolderList::Selection FolderList::SaveSelection() const {
  Selection selection;
  const int rows = static_cast<int>(order_.size());
  for (int position = ListView_GetNextItem(list_, -1, LVNI_SELECTED); position >= 0 && position < rows;
       position = ListView_GetNextItem(list_, position, LVNI_SELECTED)) {
    selection.rows.push_back(order_[position]);
  }
  const int focused = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
  if (focused >= 0 && focused < rows) selection.focused = order_[focused];
  return selection;
}

void FolderList::RestoreSelection(const Selection& selection) {
  std::vector<int> position(rows_.size(), -1);
  for (std::size_t at = 0; at < order_.size(); ++at) position[order_[at]] = static_cast<int>(at);
  // Every row selected is one call, whatever the count.
  const bool all = !order_.empty() && selection.rows.size() == order_.size();
  ListView_SetItemState(list_, -1, all ? LVIS_SELECTED : 0, LVIS_SELECTED);
  if (!all) {
    for (const std::uint32_t row : selection.rows) {
      if (row < position.size() && position[row] >= 0) {
        ListView_SetItemState(list_, position[row], LVIS_SELECTED, LVIS_SELECTED);
      }
    }
  }
  if (selection.focused && *selection.focused < position.size() && position[*selection.focused] >= 0) {
    const int focused = position[*selection.focused];
    ListView_SetItemState(list_, focused, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_SetSelectionMark(list_, focused);
  }
}

std::unordered_map<std::uint32_t, std::uint32_t> FolderList::TypeRanks() const {
  std::vector<std::uint32_t> looks;
  for (const Row& row : rows_) looks.push_back(row.item.look);
  std::sort(looks.begin(), looks.end());
  looks.erase(std::unique(looks.begin(), looks.end()), looks.end());
  const auto type_order = [this](std::uint32_t first, std::uint32_t second) {
    return StrCmpLogicalW((*looks_)[first].type_name.c_str(), (*looks_)[second].type_name.c_str());
  };
  std::stable_sort(looks.begin(), looks.end(),
                   [&](std::uint32_t first, std::uint32_t second) { return type_order(first, second) < 0; });
  std::unordered_map<std::uint32_t, std::uint32_t> ranks;
  for (std::size_t at = 0; at < looks.size(); ++at) {
    const bool same = at > 0 && type_order(looks[at - 1], looks[at]) == 0;
    ranks[looks[at]] = same ? ranks[looks[at - 1]] : static_cast<std::uint32_t>(at);
  }
  return ranks;
}

RowComparison FolderList::Comparison() const {
  // Names and types by their places in name and type order.
  auto keys = std::make_shared<std::vector<RowKey>>(rows_.size());
  for (std::uint32_t rank = 0; rank < by_name_.size(); ++rank) (*keys)[by_name_[rank]].name_rank = rank;
  std::unordered_map<std::uint32_t, std::uint32_t> type_rank = TypeRanks();
  for (std::uint32_t row = 0; row < rows_.size(); ++row) {
    RowKey& key = (*keys)[row];
    const ListedItem& item = rows_[row].item;
    key.type_rank = type_rank[item.look];
    key.size = item.size;
    key.modified = item.modified;
    key.folder = (item.flags & kFolderItem) != 0;
  }

  const int column = sort_.key;
  if (layout_ == Layout::kDetails && column > 0) {
    // The folder's own columns, in the folder's own order for them.
    return [this, keys = std::move(keys), column](std::uint32_t first, std::uint32_t second) {
      const int order =
          OrderFromCompareResult(folder_->CompareIDs(column, rows_[first].pidl.get(), rows_[second].pidl.get()), 0);
      return order ? order : CompareRows((*keys)[first], (*keys)[second], RowOrder::kName);
    };
  }
  RowOrder order = RowOrder::kName;
  if (layout_ == Layout::kFileSystem) {
    constexpr RowOrder kFileSystemOrders[] = {RowOrder::kName, RowOrder::kSize, RowOrder::kType, RowOrder::kDate};
    if (column >= 0 && column < 4) order = kFileSystemOrders[column];
  } else if (layout_ == Layout::kOther && column == kOtherTypeColumn) {
    order = RowOrder::kType;
  }
  return [keys = std::move(keys), order](std::uint32_t first, std::uint32_t second) {
    return CompareRows((*keys)[first], (*keys)[second], order);
  };
}

void FolderList::ShowSortArrow() {
  const HWND header = ListView_GetHeader(list_);
  const int count = header ? Header_GetItemCount(header) : 0;
  for (int column = 0; column < count; ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!Header_GetItem(header, column, &item)) continue;
    int format = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == sort_.key) format |= sort_.order ? HDF_SORTDOWN : HDF_SORTUP;
    if (format == item.fmt) continue;
    item.fmt = format;
    Header_SetItem(header, column, &item);
  }
}

void FolderList::SortList() {
  if (!folder_) return;
  ShowSortArrow();
  const Selection selection = SaveSelection();
  SortRows(order_, Comparison(), sort_.order != 0);
  RestoreSelection(selection);
  InvalidateRect(list_, nullptr, TRUE);
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

FolderList::Row* FolderList::RowAt(int position) {
  if (position < 0 || position >= static_cast<int>(order_.size())) return nullptr;
  return &rows_[order_[position]];
}

const std::wstring& FolderList::FileName(const Row& row) const {
  return row.item.file_name.empty() ? row.item.name : row.item.file_name;
}

PCUITEMID_CHILD FolderList::RowPidl(Row& row) {
  if (!row.pidl && folder_ && !directory_.empty()) {
    std::wstring name = FileName(row);
    PIDLIST_RELATIVE parsed = nullptr;
    if (SUCCEEDED(folder_->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &parsed, nullptr)) && parsed) {
      row.pidl = ChildPidl::Adopt(reinterpret_cast<PITEMID_CHILD>(parsed));
    }
  }
  return row.pidl.get();
}

std::wstring FolderList::CellText(const Row& row, int column) const {
  if (column == kNameColumn) return row.item.name;
  const bool folder = row.item.flags & kFolderItem;
  switch (layout_) {
    case Layout::kFileSystem:
      if (column == kFileTypeColumn) return (*looks_)[row.item.look].type_name;
      // Folders have no size and no date of their own.
      if (folder) return {};
      if (column == kFileSizeColumn) return SizeText(row.item.size);
      if (column == kFileDateColumn) return FileTimeToDisplayString(FILETIME{
          static_cast<DWORD>(row.item.modified), static_cast<DWORD>(row.item.modified >> 32)});
      return {};
    case Layout::kOther:
      return column == kOtherTypeColumn ? (*looks_)[row.item.look].type_name : std::wstring();
    case Layout::kDetails:
      if (row.item.details && column - 1 < static_cast<int>(row.item.details->size())) {
        return (*row.item.details)[column - 1];
      }
      return {};
  }
  return {};
}

int FolderList::IconOf(Row& row) {
  if (row.icon >= 0) return row.icon;
  const ItemLook& look = (*looks_)[row.item.look];
  if (!(row.item.flags & kOwnIconItem)) return look.icon;
  const PCUITEMID_CHILD child = RowPidl(row);
  const AbsolutePidl item = child ? CombinePIDLs(folder_pidl_.get(), child) : AbsolutePidl();
  row.icon = item ? GetSysIconIndex(item.get(), SHGFI_SMALLICON) : look.icon;
  return row.icon;
}

UINT FolderList::OverlayOf(Row& row) {
  // Whether a folder is shared is asked once it is shown: it takes a list
  // of its own, which most folders never need.
  if ((row.item.flags & kFolderItem) && !directory_.empty() && !row.share_asked) {
    row.share_asked = true;
    const PCUITEMID_CHILD child = RowPidl(row);
    if (child && GetAttributes(folder_.get(), child, SFGAO_SHARE)) row.item.flags |= kSharedItem;
  }
  if (row.item.flags & kSharedItem) return INDEXTOOVERLAYMASK(1);
  if (row.item.flags & kLinkItem) return INDEXTOOVERLAYMASK(2);
  return 0;
}

void FolderList::OnGetDispInfo(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  Row* row = RowAt(item.iItem);
  if (!row) return;
  if (item.mask & LVIF_TEXT) CopyText(CellText(*row, item.iSubItem), item.pszText, item.cchTextMax);
  if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = IconOf(*row);
  if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_OVERLAYMASK)) {
    item.state = (item.state & ~LVIS_OVERLAYMASK) | OverlayOf(*row);
  }
}

int FolderList::FindRow(const NMLVFINDITEMW& find) const {
  const LVFINDINFOW& wanted = find.lvfi;
  const int count = static_cast<int>(order_.size());
  if (!(wanted.flags & (LVFI_STRING | LVFI_PARTIAL)) || !wanted.psz || count == 0) return -1;
  const std::wstring text = wanted.psz;
  const bool whole = !(wanted.flags & LVFI_PARTIAL);
  const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
  for (int step = 0; step < count; ++step) {
    int position = start + step;
    if (position >= count) {
      if (!(wanted.flags & LVFI_WRAP)) return -1;
      position -= count;
    }
    if (StartsWithIgnoringCase(rows_[order_[position]].item.name, text, whole)) return position;
  }
  return -1;
}

LRESULT FolderList::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      // The control hands over the item to fill in.
      OnGetDispInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)));
      return 0;
    case LVN_ODFINDITEMW:
      return FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
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

ComPtr<IDataObject> FolderList::SelectedRowsData() {
  ComPtr<IDataObject> data;
  std::vector<PCUITEMID_CHILD> items;
  for (int position = ListView_GetNextItem(list_, -1, LVNI_SELECTED); position >= 0;
       position = ListView_GetNextItem(list_, position, LVNI_SELECTED)) {
    if (Row* row = RowAt(position)) {
      if (const PCUITEMID_CHILD item = RowPidl(*row)) items.push_back(item);
    }
  }
  if (!folder_ || items.empty()) return data;
  if (FAILED(folder_->GetUIObjectOf(GetTopLevelWindow(list_), static_cast<UINT>(items.size()), items.data(),
                                    IID_IDataObject, nullptr, data.put_void()))) {
    data.reset();
  }
  return data;
}

void FolderList::OpenItem(int position) {
  Row* row = RowAt(position);
  if (!row || !folder_) return;
  if (row->item.flags & kFolderItem) {
    // A copy: entering the folder replaces the rows.
    const std::wstring name = row->item.name;
    EnterFolder(name);
  } else if (const PCUITEMID_CHILD rel = RowPidl(*row)) {
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
  const int clicked = ListView_HitTest(list_, &hit);
  POINT screen = hit.pt;
  ClientToScreen(list_, &screen);
  if (clicked < 0 || !(hit.flags & LVHT_ONITEM)) {
    if (view_menu_) {
      TrackPopupMenu(view_menu_, TPM_RIGHTBUTTON, screen.x, screen.y, 0, GetTopLevelWindow(list_), nullptr);
    }
    return 1;
  }
  std::vector<PCUITEMID_CHILD> items;
  if (Row* row = RowAt(clicked)) {
    if (const PCUITEMID_CHILD item = RowPidl(*row)) items.push_back(item);
  }
  for (int other = ListView_GetNextItem(list_, -1, LVNI_SELECTED); other >= 0;
       other = ListView_GetNextItem(list_, other, LVNI_SELECTED)) {
    if (other == clicked) continue;
    if (Row* row = RowAt(other)) {
      if (const PCUITEMID_CHILD item = RowPidl(*row)) items.push_back(item);
    }
  }
  if (items.empty()) return 1;
  return ShowShellContextMenu(list_, folder_.get(), items, screen) ? 0 : 1;
}

}  // namespace tessaro::shell
