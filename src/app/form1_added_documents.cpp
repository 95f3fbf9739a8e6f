// The main window's side of the added-documents list: the add and delete
// buttons, picking a row, the order bar and the start of a drag. The rows
// themselves live in the model; ListView2 and Label1 only show them.
#include <windows.h>
#include <commctrl.h>

#include "app/contents_rows.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "controls/notice.h"
#include "controls/redraw_pause.h"
#include "app/word_document_rule.h"

namespace tessaro {

using namespace form1;

std::vector<AddedDocument> Form1::AddedDocuments() const { return added_documents_.rows(); }

void Form1::OverrideFolderPathForTesting(std::function<std::wstring()> source) {
  folder_path_for_testing_ = std::move(source);
}

void Form1::PrepareAddedDocuments() {
  added_view_.Attach(Control(ListView2));
  added_documents_.SetObserver(&added_view_);
  // A window loaded again starts with an empty list, like the first time.
  added_documents_.DeleteAll();
  ShowAddedCount();
  added_drag_.Attach(Control(ListView2));
  added_drop_ = std::make_unique<AddedDocumentsDrop>(
      Control(ListView2), added_drag_,
      [this](std::vector<std::wstring> paths, std::size_t index) { InsertDroppedFiles(std::move(paths), index); });
  added_drop_registration_.emplace(Control(ListView2), added_drop_.get());
}

// Once per command rather than per row: a label that repaints for every row
// makes adding thousands of rows slow.
void Form1::ShowAddedCount() { SetControlText(Label1, std::to_wstring(added_documents_.size())); }

std::wstring Form1::FolderOfAddition() const {
  return folder_path_for_testing_ ? folder_path_for_testing_() : SelectedFolderPath();
}

void Form1::AddCurrentDocument() {
  const std::wstring folder = FolderOfAddition();
  if (folder.empty()) return;
  HWND contents = Control(ListView1);
  if (const std::optional<int> current = CurrentContentsRow(contents)) {
    ContentsRow row = ReadContentsRow(contents, *current);
    if (!row.text.empty()) {
      if (IsWordDocument(row.text, row.type_name)) {
        added_documents_.Append({std::move(row.text), folder});
      } else {
        ShowNotice(hwnd(), L"请不要添加非Word文档!");
      }
    }
  }
  added_documents_.SetHighlighted(false);
  ShowAddedCount();
}

void Form1::AddSelectedDocuments() {
  const std::wstring folder = FolderOfAddition();
  if (folder.empty()) return;
  HWND contents = Control(ListView1);
  const std::optional<int> current = CurrentContentsRow(contents);
  if (current && !ReadContentsRow(contents, *current).text.empty()) {
    const RedrawPause pause(Control(ListView2));
    const int count = ContentsRowCount(contents);
    for (int i = 0; i < count; ++i) {
      if (!IsContentsRowSelected(contents, i)) continue;
      ContentsRow row = ReadContentsRow(contents, i);
      if (IsWordDocument(row.text, row.type_name)) added_documents_.Append({std::move(row.text), folder});
    }
  }
  added_documents_.SetHighlighted(false);
  ShowAddedCount();
}

void Form1::DeleteCurrentDocument() {
  if (!added_documents_.DeleteCurrent()) return;
  added_drag_.HideRowTip();
  ShowAddedCount();
  order_bar_.SetRange(1, static_cast<int>(added_documents_.size()));
}

void Form1::DeleteAllDocuments() {
  // The order bar keeps its range: with no row to move it does nothing.
  if (added_documents_.empty()) return;
  added_documents_.DeleteAll();
  added_drag_.HideRowTip();
  ShowAddedCount();
}

LRESULT Form1::OnAddedDocumentsNotify(const NMHDR& header, WPARAM wparam, LPARAM lparam) {
  switch (header.code) {
    case NM_CLICK: {
      // A click on the row that is already picked refreshes the order bar too.
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (click.iItem >= 0) OnRowPicked(click.iItem);
      break;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (added_view_.updating() || change.iItem < 0 || !(change.uChanged & LVIF_STATE)) break;
      const bool was = change.uOldState & LVIS_SELECTED;
      const bool is = change.uNewState & LVIS_SELECTED;
      // Picking a row with the mouse or the keyboard selects it; clicking
      // beside the rows takes the highlight off the current row.
      if (is && !was) {
        OnRowPicked(change.iItem);
      } else if (was && !is && added_documents_.current() == static_cast<std::size_t>(change.iItem)) {
        added_documents_.SetHighlighted(false);
      }
      break;
    }
    case LVN_BEGINDRAG:
      added_drag_.Begin(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
      break;
  }
  return Form::OnNotify(header, wparam, lparam);
}

void Form1::OnRowPicked(int row) {
  added_documents_.Select(static_cast<std::size_t>(row));
  ShowOrderOf(static_cast<std::size_t>(row));
}

void Form1::ShowOrderOf(std::size_t row) {
  order_bar_.SetRange(1, static_cast<int>(added_documents_.size()));
  order_bar_.SetValue(static_cast<int>(row) + 1);
}

void Form1::OnOrderScroll(int request) {
  if (const std::optional<int> value = order_bar_.Scroll(request)) {
    added_documents_.MoveCurrentTo(static_cast<std::size_t>(*value - 1));
  }
}

}  // namespace tessaro
