#include "shell/folder_tree.h"

#include <string>
#include <vector>

#include "shell/context_menu.h"
#include "shell/folder_list.h"
#include "shell/list_sort.h"
#include "shell/shell_folder.h"

namespace tessaro::shell {

struct FolderTree::SortContext {
  const FolderTree* tree;
  IShellFolder* folder;
};

namespace {

// The subfolders of a folder, hidden ones included, in the shell's order.
std::vector<ChildPidl> Subfolders(IShellFolder* folder, HWND owner) {
  std::vector<ChildPidl> children;
  ComPtr<IEnumIDList> items;
  if (!folder || folder->EnumObjects(owner, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, items.put()) != S_OK || !items) {
    return children;
  }
  PITEMID_CHILD next = nullptr;
  while (items->Next(1, &next, nullptr) == S_OK) children.push_back(ChildPidl::Adopt(next));
  return children;
}

// Whether the folder is a directory of the file system (not the desktop,
// which holds more than its directory).
bool IsDirectory(PCIDLIST_ABSOLUTE folder) {
  return !IsDesktopPIDL(folder) && !GetPathFromPIDL(folder).empty();
}

// A folder's name as the file system compares it: letter case does not count.
std::wstring MatchKey(IShellFolder* folder, PCUITEMID_CHILD item) {
  std::wstring key = GetDisplayName(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING);
  if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  return key;
}

}  // namespace

FolderTree::FolderTree(HWND tree, FolderList& list) : tree_(tree), list_(list) { list_.SetTree(this); }

FolderTree::~FolderTree() { list_.SetTree(nullptr); }

HTREEITEM FolderTree::SetTreeRoot(PCIDLIST_ABSOLUTE root) {
  ClearTree();
  const ChildPidl rel = CopyItemID(root, -1);
  if (!rel) return nullptr;
  const ComPtr<IShellFolder> parent = GetParentFolder(root);
  HTREEITEM item = AddTreeItem(TVI_ROOT, parent.get(), root, rel.get(), false);
  if (!item) return nullptr;
  TreeView_SelectItem(tree_, item);
  TreeView_Expand(tree_, item, TVE_EXPAND);
  return item;
}

HTREEITEM FolderTree::AddTreeItem(HTREEITEM parent, IShellFolder* folder, PCIDLIST_ABSOLUTE fq, PCUITEMID_CHILD rel,
                                  bool in_directory) {
  auto record = std::make_unique<cTreeItemData>(CopyPIDL(fq), CopyPIDL(rel));
  if (!record->pidlFQ() || !record->pidlRel()) return nullptr;
  const SFGAOF attributes = GetAttributes(folder, rel, SFGAO_SHARE);
  std::wstring name = GetDisplayName(folder, rel, SHGDN_INFOLDER);
  const Icons icons = IconsOf(folder, fq, rel, in_directory);

  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  TVITEMW& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
  item.pszText = name.data();
  item.iImage = icons.normal;
  item.iSelectedImage = icons.open;
  // Asked when the tree first shows the item (TVN_GETDISPINFO), not for
  // every one of a folder's thousands of subfolders now.
  item.cChildren = I_CHILDRENCALLBACK;
  if (attributes & SFGAO_SHARE) {
    item.mask |= TVIF_STATE;
    item.state = INDEXTOOVERLAYMASK(1);
    item.stateMask = TVIS_OVERLAYMASK;
  }
  item.lParam = next_key_++;
  // The record is in the table before the item exists: the control may
  // notify about the item while inserting it.
  table_.emplace(item.lParam, std::move(record));
  HTREEITEM handle = TreeView_InsertItem(tree_, &insert);
  if (!handle) table_.erase(item.lParam);
  return handle;
}

FolderTree::Icons FolderTree::IconsOf(IShellFolder* folder, PCIDLIST_ABSOLUTE fq, PCUITEMID_CHILD rel,
                                      bool in_directory) {
  // A read-only or system directory may wear an icon of its own (desktop.ini).
  WIN32_FIND_DATAW data{};
  const bool plain = in_directory &&
                     SUCCEEDED(SHGetDataFromIDListW(folder, rel, SHGDFIL_FINDDATA, &data, sizeof(data))) &&
                     (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                     !(data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
  if (plain && plain_folder_icons_) return *plain_folder_icons_;
  const Icons icons{GetSysIconIndex(fq, SHGFI_SMALLICON), GetSysIconIndex(fq, SHGFI_SMALLICON | SHGFI_OPENICON)};
  if (plain) plain_folder_icons_ = icons;
  return icons;
}

int FolderTree::HasSubfolders(HTREEITEM item) {
  const cTreeItemData* record = GetTreeItemData(item);
  if (!record) return 0;
  HTREEITEM parent = TreeView_GetParent(tree_, item);
  const auto loaded = parent ? loaded_folders_.find(parent) : loaded_folders_.end();
  ComPtr<IShellFolder> bound;
  IShellFolder* folder =
      loaded != loaded_folders_.end() ? loaded->second.get() : (bound = GetParentFolder(record->pidlFQ())).get();
  return GetAttributes(folder, record->pidlRel(), SFGAO_HASSUBFOLDER) ? 1 : 0;
}

void FolderTree::FillTreeChildren(PCIDLIST_ABSOLUTE parent_fq, HTREEITEM parent) {
  const ComPtr<IShellFolder> folder = GetFolder(parent_fq);
  const bool in_directory = IsDirectory(parent_fq);
  // In place before the children: the control may ask about them as they come.
  loaded_folders_[parent] = ComPtr<IShellFolder>::Share(folder.get());
  bool added = false;
  for (const ChildPidl& rel : Subfolders(folder.get(), GetTopLevelWindow(tree_))) {
    const AbsolutePidl fq = CombinePIDLs(parent_fq, rel.get());
    if (fq && AddTreeItem(parent, folder.get(), fq.get(), rel.get(), in_directory)) added = true;
  }
  if (!added) {
    loaded_folders_.erase(parent);
    SetChildrenFlag(parent, 0);
    return;
  }
  SortChildren(parent, folder.get());
}

void FolderTree::SortChildren(HTREEITEM parent, IShellFolder* folder) {
  SortContext context{this, folder};
  TVSORTCB sort{parent, &FolderTree::CompareItems, reinterpret_cast<LPARAM>(&context)};
  TreeView_SortChildrenCB(tree_, &sort, FALSE);
}

void FolderTree::UpdateChildren(HTREEITEM parent) {
  const cTreeItemData* record = GetTreeItemData(parent);
  if (!record) return;
  const ComPtr<IShellFolder> folder = GetFolder(record->pidlFQ());
  if (!folder) return;
  // What the disk holds now, by name; what the tree still shows is crossed off.
  std::unordered_map<std::wstring, ChildPidl> on_disk;
  for (ChildPidl& rel : Subfolders(folder.get(), GetTopLevelWindow(tree_))) {
    std::wstring key = MatchKey(folder.get(), rel.get());
    on_disk.emplace(std::move(key), std::move(rel));
  }
  for (HTREEITEM child = TreeView_GetChild(tree_, parent); child;) {
    const HTREEITEM next = TreeView_GetNextSibling(tree_, child);
    const cTreeItemData* shown = GetTreeItemData(child);
    const auto found = shown ? on_disk.find(MatchKey(folder.get(), shown->pidlRel())) : on_disk.end();
    if (found == on_disk.end()) {
      TreeView_DeleteItem(tree_, child);
    } else {
      on_disk.erase(found);
    }
    child = next;
  }
  bool added = false;
  const bool in_directory = IsDirectory(record->pidlFQ());
  loaded_folders_[parent] = ComPtr<IShellFolder>::Share(folder.get());
  for (const auto& [key, rel] : on_disk) {
    const AbsolutePidl fq = CombinePIDLs(record->pidlFQ(), rel.get());
    if (fq && AddTreeItem(parent, folder.get(), fq.get(), rel.get(), in_directory)) added = true;
  }
  if (added) SortChildren(parent, folder.get());
  SetChildrenFlag(parent, TreeView_GetChild(tree_, parent) ? 1 : 0);
}

int CALLBACK FolderTree::CompareItems(LPARAM first, LPARAM second, LPARAM context) {
  const auto& sort = *reinterpret_cast<const SortContext*>(context);
  const auto a = sort.tree->table_.find(first);
  const auto b = sort.tree->table_.find(second);
  if (a == sort.tree->table_.end() || b == sort.tree->table_.end()) return 0;
  return OrderFromCompareResult(sort.folder->CompareIDs(0, a->second->pidlRel(), b->second->pidlRel()), 0);
}

void FolderTree::SetChildrenFlag(HTREEITEM item, int children) {
  TVITEMW flag{};
  flag.mask = TVIF_CHILDREN;
  flag.hItem = item;
  flag.cChildren = children;
  TreeView_SetItem(tree_, &flag);
}

void FolderTree::ClearTree() {
  TreeView_DeleteAllItems(tree_);
  loaded_folders_.clear();
}

void FolderTree::RefreshTree(HTREEITEM first) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree_, item)) {
    if (TreeView_GetItemState(tree_, item, TVIS_EXPANDED) & TVIS_EXPANDED) {
      UpdateChildren(item);
      RefreshTree(TreeView_GetChild(tree_, item));
      continue;
    }
    const bool had_children = TreeView_GetChild(tree_, item) != nullptr;
    while (HTREEITEM child = TreeView_GetChild(tree_, item)) TreeView_DeleteItem(tree_, child);
    loaded_folders_.erase(item);
    if (!had_children) continue;
    // The folder keeps its button, and the control must ask again on the
    // next expansion instead of treating the folder as expanded once.
    SetChildrenFlag(item, 1);
    TreeView_SetItemState(tree_, item, 0, TVIS_EXPANDEDONCE);
  }
}

const cTreeItemData* FolderTree::GetTreeItemData(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMW query{};
  query.mask = TVIF_PARAM;
  query.hItem = item;
  if (!TreeView_GetItem(tree_, &query)) return nullptr;
  const auto found = table_.find(query.lParam);
  return found == table_.end() ? nullptr : found->second.get();
}

LRESULT FolderTree::OnNotify(const NMHDR& header) {
  const auto& tree = reinterpret_cast<const NMTREEVIEWW&>(header);
  switch (header.code) {
    case TVN_DELETEITEMW:
      table_.erase(tree.itemOld.lParam);
      loaded_folders_.erase(tree.itemOld.hItem);
      return 0;
    case TVN_GETDISPINFOW: {
      // The control hands over the item to fill in.
      auto& info = const_cast<NMTVDISPINFOW&>(reinterpret_cast<const NMTVDISPINFOW&>(header));
      if (info.item.mask & TVIF_CHILDREN) {
        info.item.cChildren = HasSubfolders(info.item.hItem);
        info.item.mask |= TVIF_DI_SETITEM;
      }
      return 0;
    }
    case TVN_ITEMEXPANDINGW: {
      HTREEITEM item = tree.itemNew.hItem;
      const cTreeItemData* record = GetTreeItemData(item);
      if (record && !TreeView_GetChild(tree_, item)) FillTreeChildren(record->pidlFQ(), item);
      return 0;
    }
    case TVN_SELCHANGEDW:
      if (const cTreeItemData* record = GetTreeItemData(tree.itemNew.hItem)) {
        list_.FillList(record->pidlFQ(), record->pidlRel());
      }
      return 0;
    case NM_RCLICK:
      return OnRightClick();
  }
  return 0;
}

LRESULT FolderTree::OnRightClick() {
  TVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(tree_, &hit.pt);
  TreeView_HitTest(tree_, &hit);
  constexpr UINT kOnItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON |
                           TVHT_ONITEMRIGHT | TVHT_ONITEMSTATEICON;
  const cTreeItemData* record = (hit.flags & kOnItem) ? GetTreeItemData(hit.hItem) : nullptr;
  if (!record || IsDesktopPIDL(record->pidlFQ())) return 0;
  POINT screen = hit.pt;
  ClientToScreen(tree_, &screen);
  const ComPtr<IShellFolder> parent = GetParentFolder(record->pidlFQ());
  const PCUITEMID_CHILD items[] = {record->pidlRel()};
  return ShowShellContextMenu(tree_, parent.get(), items, screen) ? 0 : 1;
}

}  // namespace tessaro::shell
