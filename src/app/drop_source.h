// The source side of an OLE drag started in the program: the drag goes on
// while the left button is held, drops when it is released, and Esc ends it
// with nothing dropped. The system's cursors show the effect.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "win32/com_object.h"

namespace tessaro {

// Lives on the stack of the drag it serves, holding its first reference.
class DropSource final : public ComObject<IDropSource> {
 public:

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};

// Drags data with a copy as the only effect; returns
// once the drop happened or was cancelled.
void DragCopy(IDataObject* data);

}  // namespace tessaro
