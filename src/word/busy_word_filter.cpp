#include "word/busy_word_filter.h"

#include <objbase.h>

#include "win32/com_object.h"

namespace tessaro::word {
namespace {

// COM waits this long before it calls again; shorter only keeps a busy Word busier.
constexpr DWORD kRetryDelay = 250;
// The answer that hands the rejection to the caller.
constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

class BusyWordFilter final : public ComObject<IMessageFilter> {
 public:
  explicit BusyWordFilter(DWORD patience) : patience_(patience) {}

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
  const DWORD patience_;
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
