// ListView2 as a drop target for files: from Explorer, the desktop or the
// program's own contents list. While files are over the list it shows where
// they would go; a drop hands their paths and that place to the window.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/added_documents_drag.h"
#include "win32/com_object.h"

namespace tessaro {

class AddedDocumentsDrop final : public ComObject<IDropTarget> {
 public:
  // index is a row position, the row count for the end.
  using OnDrop = std::function<void(std::vector<std::wstring> paths, std::size_t index)>;

  // The object lives inside its owner, which keeps its first reference
  // and must end the registration before it goes.
  AddedDocumentsDrop(HWND list, AddedDocumentsDrag& feedback, OnDrop on_drop);

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  std::optional<int> Feedback(POINTL point, DWORD* effect);

  HWND list_;
  AddedDocumentsDrag& feedback_;
  OnDrop on_drop_;
  bool files_ = false;  // whether what is over the list carries files
};

}  // namespace tessaro
