// The main window's side of shell browsing: the tree and the contents list
// get the shell's image lists and their window procedures, the tree starts
// at the desktop, and their notifications reach the browsing code.
#include <optional>

#include "app/form1.h"
#include "app/form1_menu.h"
#include "app/wait_cursor.h"
#include "controls/control_procs.h"
#include "controls/subclass.h"
#include "shell/context_menu.h"
#include "shell/folder_list.h"
#include "shell/folder_tree.h"
#include "shell/shell_folder.h"

namespace tessaro {

using namespace form1;

void Form1::StartBrowsing() {
  // The image lists go in before the windows are subclassed: the new window
  // procedures refuse every image-list change.
  ListView_SetImageList(list_, shell::GetSysImageList(false), LVSIL_SMALL);
  ListView_SetImageList(list_, shell::GetSysImageList(true), LVSIL_NORMAL);
  SetMenuMessageSink(&shell::ForwardToActiveContextMenu);
  SubclassWindow(list_, &ListWindowProc);
  // The control widens its indentation to the icons' width (20 pixels at
  // 120 DPI); the tree keeps the indentation it was given.
  const UINT indent = TreeView_GetIndent(tree_);
  TreeView_SetImageList(tree_, shell::GetSysImageList(false), TVSIL_NORMAL);
  TreeView_SetIndent(tree_, indent);
  SubclassWindow(tree_, &TreeWindowProc);

  folder_list_ = std::make_unique<shell::FolderList>(list_, tree_);
  folder_list_->SetViewMenu(ViewMenu());
  folder_tree_ = std::make_unique<shell::FolderTree>(tree_, *folder_list_);
  folder_tree_->SetTreeRoot(shell::DesktopPIDL());
  SetView(3);
  SortBy(0);
}

void Form1::StopBrowsing() {
  if (!folder_list_ || !folder_tree_) return;
  folder_list_->ClearList();
  // Detached only once unsubclassed, or the change would be refused; the
  // shell's lists must not go down with the control.
  UnsubclassWindow(list_);
  ListView_SetImageList(list_, nullptr, LVSIL_SMALL);
  ListView_SetImageList(list_, nullptr, LVSIL_NORMAL);
  folder_tree_->ClearTree();
  UnsubclassWindow(tree_);
  TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
  folder_tree_.reset();
  folder_list_.reset();
}

bool Form1::RouteBrowsingNotify(const NMHDR& header, LRESULT& result) {
  if (folder_tree_ && header.hwndFrom == tree_) {
    // Expanding and selecting read folders from the shell, which can take a while.
    std::optional<WaitCursor> wait;
    if (header.code == TVN_ITEMEXPANDINGW || header.code == TVN_SELCHANGEDW) wait.emplace();
    result = folder_tree_->OnNotify(header);
    return result != 0;
  }
  if (folder_list_ && header.hwndFrom == list_) {
    std::optional<WaitCursor> wait;
    if (header.code == NM_DBLCLK || header.code == NM_RETURN) wait.emplace();
    result = folder_list_->OnNotify(header);
    if (result != 0) return true;
    if (header.code == LVN_COLUMNCLICK) OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    if (header.code == LVN_KEYDOWN) OnContentsKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header));
    if (header.code == LVN_BEGINDRAG) DragContentsRows();
  }
  return false;
}

}  // namespace tessaro
