#include "app/added_documents_view.h"

#include <commctrl.h>

namespace tessaro {

class AddedDocumentsView::Updating {
 public:
  explicit Updating(AddedDocumentsView& view) : view_(view) { ++view_.updating_; }
  Updating(const Updating&) = delete;
  Updating& operator=(const Updating&) = delete;
  ~Updating() { --view_.updating_; }

 private:
  AddedDocumentsView& view_;
};

void AddedDocumentsView::Attach(HWND list) { list_ = list; }

void AddedDocumentsView::RowInserted(std::size_t index, const AddedDocument& row) {
  if (!list_) return;
  Updating updating(*this);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(index);
  item.pszText = const_cast<wchar_t*>(row.file_name.c_str());
  const auto inserted = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted >= 0) {
    item.iSubItem = 1;
    item.pszText = const_cast<wchar_t*>(row.folder.c_str());
    SendMessageW(list_, LVM_SETITEMTEXTW, inserted, reinterpret_cast<LPARAM>(&item));
  }
}

void AddedDocumentsView::RowRemoved(std::size_t index) {
  if (!list_) return;
  Updating updating(*this);
  SendMessageW(list_, LVM_DELETEITEM, index, 0);
}

void AddedDocumentsView::RowsCleared() {
  if (!list_) return;
  Updating updating(*this);
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

void AddedDocumentsView::CurrentChanged(std::optional<std::size_t> current, bool highlighted) {
  if (!list_) return;
  Updating updating(*this);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (!current) return;
  state.state = LVIS_FOCUSED | (highlighted ? LVIS_SELECTED : 0);
  SendMessageW(list_, LVM_SETITEMSTATE, *current, reinterpret_cast<LPARAM>(&state));
  // A row moved far by the order bar would otherwise leave the user's sight.
  if (highlighted) SendMessageW(list_, LVM_ENSUREVISIBLE, *current, FALSE);
}

}  // namespace tessaro
