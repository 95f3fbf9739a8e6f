#include "word/busy_word_filter.h"

#include <objbase.h>

namespace tessaro::word {
namespace {

// COM waits this long before it calls again; shorter only keeps a busy Word busier.
constexpr DWORD kRetryDelay = 250;
// The answer that hands the rejection to the caller.
constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

class BusyWordFilter final : public IMessageFilter {
 public:
  explicit BusyWordFilter(DWORD patience) : patience_(patience) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IMessageFilter) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // Calls into this thread (there are none from Word) are served as usual.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  // `elapsed` counts from the first attempt of the call. Both kinds of
  // refusal mean the call was not carried out, so calling again is safe.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD) override {
    return elapsed < patience_ ? kRetryDelay : kGiveUp;
  }
  // Messages that arrive while Word works are handled as COM does by default.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

 private:
  ~BusyWordFilter() = default;

  const DWORD patience_;
  LONG references_ = 1;
};

}  // namespace

BusyWordFilterScope::BusyWordFilterScope(DWORD patience) {
  const ComPtr<IMessageFilter> filter(new BusyWordFilter(patience));
  registered_ = SUCCEEDED(CoRegisterMessageFilter(filter.get(), previous_.put()));
}

BusyWordFilterScope::~BusyWordFilterScope() {
  if (!registered_) return;
  ComPtr<IMessageFilter> ours;
  CoRegisterMessageFilter(previous_.get(), ours.put());
}

}  // namespace tessaro::word
