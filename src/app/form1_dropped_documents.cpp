// Files dropped on the added-documents list, from Explorer or from the
// contents list: Word documents go in where they were dropped, Label1 and
// the order bar follow, and whatever was left out is named in one message.
#include "app/dropped_files.h"
#include "app/drop_source.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "controls/notice.h"
#include "controls/redraw_pause.h"
#include "shell/folder_list.h"

namespace tessaro {

using namespace form1;

void Form1::InsertDroppedFiles(std::vector<std::wstring> paths, std::size_t index) {
  DroppedFiles dropped = ReadDroppedFiles(paths);
  {
    const RedrawPause pause(Control(ListView2));
    added_documents_.Insert(index, std::move(dropped.documents));
  }
  added_documents_.SetHighlighted(false);
  ShowAddedCount();
  // Rows put in above the current row move it; the order bar keeps showing
  // where it stands.
  if (const std::optional<std::size_t> current = added_documents_.current()) {
    order_bar_.SetRange(1, static_cast<int>(added_documents_.size()));
    order_bar_.SetValue(static_cast<int>(*current) + 1);
  }
  if (dropped.refused.empty()) return;
  drop_refusal_ = RefusalMessage(dropped.refused);
  PostMessageW(hwnd(), kShowDropRefusal, 0, 0);
}

void Form1::ShowDropRefusal() {
  const std::wstring text = std::move(drop_refusal_);
  drop_refusal_.clear();
  if (!text.empty()) ShowNotice(hwnd(), text.c_str());
}

void Form1::DragContentsRows() {
  if (!folder_list_) return;
  const ComPtr<IDataObject> data = folder_list_->SelectedRowsData();
  DragCopy(data.get());
}

}  // namespace tessaro
