#include "app/drop_source.h"

namespace tessaro {

HRESULT DropSource::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDropSource) {
    *object = static_cast<IDropSource*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT DropSource::QueryContinueDrag(BOOL escape, DWORD keys) {
  if (escape) return DRAGDROP_S_CANCEL;
  if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT DropSource::GiveFeedback(DWORD /*effect*/) { return DRAGDROP_S_USEDEFAULTCURSORS; }

void DragCopy(IDataObject* data) {
  if (!data) return;
  DropSource source;
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(data, &source, DROPEFFECT_COPY, &effect);
}

}  // namespace tessaro
