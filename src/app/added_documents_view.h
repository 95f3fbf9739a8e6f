// Mirrors the added documents into ListView2: file name, folder, and which
// row is current and highlighted. The model's edits arrive one by one and are
// applied to the list the same way, so the list keeps its scroll position.
#pragma once

#include <windows.h>

#include "app/added_documents_model.h"

namespace tessaro {

class AddedDocumentsView : public AddedDocumentsObserver {
 public:
  void Attach(HWND list);

  // True while the view itself changes the list; the selection changes that
  // the list reports meanwhile are echoes, not the user's.
  bool updating() const { return updating_ > 0; }

  void RowInserted(std::size_t index, const AddedDocument& row) override;
  void RowRemoved(std::size_t index) override;
  void RowsCleared() override;
  void CurrentChanged(std::optional<std::size_t> current, bool highlighted) override;

 private:
  class Updating;

  HWND list_ = nullptr;
  int updating_ = 0;
};

}  // namespace tessaro
