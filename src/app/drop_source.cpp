#include "app/drop_source.h"

namespace tessaro {

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
