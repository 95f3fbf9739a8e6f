#include "app/added_documents_drop.h"

#include <commctrl.h>

#include <exception>

#include "app/dropped_files.h"

namespace tessaro {

AddedDocumentsDrop::AddedDocumentsDrop(HWND list, AddedDocumentsDrag& feedback, OnDrop on_drop)
    : list_(list), feedback_(feedback), on_drop_(std::move(on_drop)) {}

std::optional<int> AddedDocumentsDrop::Feedback(POINTL point, DWORD* effect) {
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (!files_) return std::nullopt;
  // The files are copied into the list; their sources stay where they are.
  if (allowed & DROPEFFECT_COPY) *effect = DROPEFFECT_COPY;
  POINT client{point.x, point.y};
  ScreenToClient(list_, &client);
  return feedback_.ShowInsertionAt(client);
}

HRESULT AddedDocumentsDrop::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  files_ = CarriesFiles(data);
  Feedback(point, effect);
  return S_OK;
}

HRESULT AddedDocumentsDrop::DragOver(DWORD /*keys*/, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  Feedback(point, effect);
  return S_OK;
}

HRESULT AddedDocumentsDrop::DragLeave() {
  files_ = false;
  feedback_.HideInsertion();
  return S_OK;
}

HRESULT AddedDocumentsDrop::Drop(IDataObject* data, DWORD /*keys*/, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  files_ = CarriesFiles(data);
  const std::optional<int> target = Feedback(point, effect);
  feedback_.HideInsertion();
  files_ = false;
  if (*effect == DROPEFFECT_NONE) return S_OK;
  // Beside the rows or over an empty list, the files go to the end.
  const auto count = static_cast<std::size_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  const std::size_t index = target ? static_cast<std::size_t>(*target) : count;
  // No exception may reach the system's drag loop; running out of memory
  // ends the drop with nothing added.
  try {
    on_drop_(DroppedPaths(data), index);
  } catch (const std::exception&) {
    *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

}  // namespace tessaro
