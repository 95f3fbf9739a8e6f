// The View menu, the File menu's change of root, and the header clicks and
// keys of the contents list.
#include "app/form1.h"
#include "app/form1_menu.h"
#include "app/wait_cursor.h"
#include "shell/folder_list.h"
#include "shell/folder_tree.h"
#include "shell/root_chooser.h"

namespace tessaro {

using namespace form1;

namespace {
constexpr int kLargeIcons = 0;
constexpr int kSmallIcons = 1;
}  // namespace

HMENU Form1::ViewMenu() const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_SUBMENU;
  if (!GetMenuItemInfoW(GetMenu(hwnd()), mnuView, FALSE, &info)) return nullptr;
  return info.hSubMenu;
}

void Form1::CheckItem(int id, bool checked) {
  CheckMenuItem(GetMenu(hwnd()), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Form1::OnViewCommand(int id) {
  if (!folder_list_ || !folder_tree_) return false;
  switch (id) {
    case mnuViewLargeIcons: SetView(0); return true;
    case mnuViewSmallIcons: SetView(1); return true;
    case mnuViewList: SetView(2); return true;
    case mnuViewReport: SetView(3); return true;
    case mnuViewArrangeAZ: SortBy(0); return true;
    case mnuViewArrangeZA: SortBy(1); return true;
    case mnuViewArrangeAuto: {
      const bool automatic = !(GetMenuState(GetMenu(hwnd()), mnuViewArrangeAuto, MF_BYCOMMAND) & MF_CHECKED);
      CheckItem(mnuViewArrangeAuto, automatic);
      folder_list_->SetAutoArrange(automatic);
      return true;
    }
    case mnuViewSelAll: SelectAllRows(); return true;
    case mnuViewRefresh: Refresh(); return true;
    case mnuFileRoot: ChangeRoot(); return true;
  }
  return false;
}

void Form1::SetView(int view) {
  if (!folder_list_ || view < 0 || view > 3) return;
  folder_list_->SetViewStyle(view);
  // Arranging once puts the icons in order; without the user's automatic
  // arrangement they stay free to be moved afterwards.
  folder_list_->SetAutoArrange(true);
  if (!(GetMenuState(GetMenu(hwnd()), mnuViewArrangeAuto, MF_BYCOMMAND) & MF_CHECKED)) {
    folder_list_->SetAutoArrange(false);
  }
  const int items[] = {mnuViewLargeIcons, mnuViewSmallIcons, mnuViewList, mnuViewReport};
  for (int i = 0; i < 4; ++i) CheckItem(items[i], i == view);
  // The list control repaints only what the new view covers, so rows,
  // gridlines and the header of the old view stay on screen elsewhere.
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The menu's sort items change the direction only, and leave the header
// flags as they are.
void Form1::SortBy(int order) {
  CheckItem(mnuViewArrangeAZ, order == 0);
  CheckItem(mnuViewArrangeZA, order != 0);
  folder_list_->sort_state().order = order;
  folder_list_->SortList();
}

void Form1::OnColumnClick(int column) {
  shell::ClickColumnHeader(folder_list_->sort_state(), column);
  folder_list_->SortList();
}

void Form1::OnContentsKeyDown(const NMLVKEYDOWN& key) {
  if (key.wVKey == 'A' && GetKeyState(VK_CONTROL) < 0) SelectAllRows();
  if (key.wVKey == VK_BACK) OpenParentFolder();
}

void Form1::SelectAllRows() { ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED); }

void Form1::OpenParentFolder() {
  HTREEITEM selected = TreeView_GetSelection(tree_);
  HTREEITEM parent = selected ? TreeView_GetParent(tree_, selected) : nullptr;
  if (parent) TreeView_SelectItem(tree_, parent);
}

void Form1::Refresh() {
  WaitCursor wait;
  folder_tree_->RefreshTree(TreeView_GetRoot(tree_));
  const shell::cTreeItemData* record = folder_tree_->GetTreeItemData(TreeView_GetSelection(tree_));
  if (!record) return;
  // Copies: the record belongs to the tree, which filling may touch.
  const shell::AbsolutePidl fq = shell::CopyPIDL(record->pidlFQ());
  const shell::ChildPidl rel = shell::CopyPIDL(record->pidlRel());
  if (fq && rel) folder_list_->FillList(fq.get(), rel.get());
}

void Form1::ChangeRoot() {
  const shell::cTreeItemData* root = folder_tree_->GetTreeItemData(TreeView_GetRoot(tree_));
  const shell::AbsolutePidl chosen =
      shell::BrowseForRootFolder(hwnd(), L"选择根目录", 0, nullptr, root ? root->pidlFQ() : nullptr);
  if (!chosen) return;
  WaitCursor wait;
  folder_tree_->SetTreeRoot(chosen.get());
}

void Form1::EnableAutoArrangeItem(HMENU popup) {
  if (!folder_list_ || !popup || popup != ViewMenu()) return;
  const int view = folder_list_->view();
  const bool icons = view == kLargeIcons || view == kSmallIcons;
  EnableMenuItem(popup, mnuViewArrangeAuto, MF_BYCOMMAND | (icons ? MF_ENABLED : MF_GRAYED));
}

}  // namespace tessaro
