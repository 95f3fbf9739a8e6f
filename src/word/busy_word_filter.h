// Word answers "busy, call again" (SERVERCALL_RETRYLATER) while it starts,
// repaginates or saves, and COM asks the calling thread's message filter what
// to do about it. Without a filter the call fails at once, and a document
// that is fine is reported as one that cannot be opened or inserted.
#pragma once

#include <windows.h>

#include "win32/com_ptr.h"

namespace tessaro::word {

// How long a busy Word is waited for, in milliseconds, before its refusal is
// taken as a failure.
inline constexpr DWORD kBusyWordPatience = 60'000;

// Registers, for the calling thread and for the scope's lifetime, a message
// filter that has COM retry rejected calls until `patience` milliseconds have
// passed since the call began. The filter that was registered before comes
// back when the scope ends. The thread must be in a single-threaded apartment;
// elsewhere COM keeps no message filter and nothing is registered.
class BusyWordFilterScope {
 public:
  explicit BusyWordFilterScope(DWORD patience = kBusyWordPatience);
  ~BusyWordFilterScope();
  BusyWordFilterScope(const BusyWordFilterScope&) = delete;
  BusyWordFilterScope& operator=(const BusyWordFilterScope&) = delete;

  bool registered() const { return registered_; }

 private:
  ComPtr<IMessageFilter> previous_;
  bool registered_ = false;
};

}  // namespace tessaro::word
