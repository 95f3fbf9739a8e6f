// The source side of an OLE drag started in the program: the drag goes on
// while the left button is held, drops when it is released, and Esc ends it
// with nothing dropped. The system's cursors show the effect.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tessaro {

class DropSource : public IDropSource {
 public:
  DropSource() = default;
  DropSource(const DropSource&) = delete;
  DropSource& operator=(const DropSource&) = delete;
  virtual ~DropSource() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  // Lives on the stack of the drag it serves; the count only satisfies COM.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};

// Drags data with a copy as the only effect; returns
// once the drop happened or was cancelled.
void DragCopy(IDataObject* data);

}  // namespace tessaro
