#include "app/form1.h"
#include "shell/folder_tree.h"
#include "shell/shell_folder.h"

namespace tessaro {

std::wstring Form1::SelectedFolderPath() const {
  if (!folder_tree_) return {};
  const shell::cTreeItemData* record = folder_tree_->GetTreeItemData(TreeView_GetSelection(tree_));
  return record ? shell::GetPathFromPIDL(record->pidlFQ()) : std::wstring();
}

}  // namespace tessaro
