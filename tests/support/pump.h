#pragma once

#include <windows.h>

#include <functional>

namespace tessaro::testing {

// Dispatches this thread's pending messages until none are left.
void PumpMessages();

// Dispatches messages until the condition holds or the time runs out; returns
// whether it held. Every wait in the tests goes through here, so none hangs.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = 5000);

}  // namespace tessaro::testing
