// Waiting for a busy Word. Wine's COM never retries a rejected call, so a
// stand-in plays COM's part as it is on Windows: a call the server refuses is
// offered to the calling thread's message filter, which says how long to wait
// before calling again or that the refusal stands. Time is counted, not slept.
#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

#include "word/busy_word_filter.h"

namespace tessaro {
namespace {

using word::BusyWordFilterScope;

// The filter this thread has registered now, if any.
ComPtr<IMessageFilter> RegisteredFilter() {
  ComPtr<IMessageFilter> current;
  CoRegisterMessageFilter(nullptr, current.put());
  CoRegisterMessageFilter(current.get(), nullptr);
  return current;
}

// A server busy for its first `busy_calls` calls, called as COM calls it.
struct BusyServer {
  int busy_calls = 0;
  int calls = 0;
  DWORD elapsed = 0;  // since the first attempt, when the last one was made

  HRESULT Call(DWORD reject_type = SERVERCALL_RETRYLATER) {
    const ComPtr<IMessageFilter> filter = RegisteredFilter();
    elapsed = 0;
    for (;;) {
      if (++calls > busy_calls) return S_OK;
      if (!filter) return RPC_E_CALL_REJECTED;
      const DWORD wait = filter->RetryRejectedCall(nullptr, elapsed, reject_type);
      if (wait == static_cast<DWORD>(-1)) return RPC_E_CALL_REJECTED;
      // Under 100 ms COM calls again at once; a filter should not spin.
      EXPECT_GE(wait, 100u);
      if (wait < 100) return E_UNEXPECTED;
      elapsed += wait;
    }
  }
};

// The tests run on a single-threaded apartment's thread, as the program's
// Word calls do.
TEST(BusyWordFilter, AWordBusyForItsFirstCallsIsWaitedFor) {
  const BusyWordFilterScope scope;
  ASSERT_TRUE(scope.registered());
  BusyServer word{.busy_calls = 3};
  EXPECT_EQ(word.Call(), S_OK);
  EXPECT_EQ(word.calls, 4);
  BusyServer refusing{.busy_calls = 2};
  EXPECT_EQ(refusing.Call(SERVERCALL_REJECTED), S_OK);
}

TEST(BusyWordFilter, AWordBusyForGoodIsGivenUpAfterAMinute) {
  const BusyWordFilterScope scope;
  BusyServer word{.busy_calls = 1'000'000};
  EXPECT_EQ(word.Call(), RPC_E_CALL_REJECTED);
  EXPECT_GE(word.elapsed, 60'000u);
  EXPECT_LT(word.elapsed, 61'000u);
}

TEST(BusyWordFilter, ThePatienceIsTheScopes) {
  const BusyWordFilterScope scope(1'000);
  BusyServer word{.busy_calls = 1'000'000};
  EXPECT_EQ(word.Call(), RPC_E_CALL_REJECTED);
  EXPECT_GE(word.elapsed, 1'000u);
  EXPECT_LT(word.elapsed, 2'000u);
}

TEST(BusyWordFilter, TheFilterBeforeComesBackWhenTheScopeEnds) {
  {
    const BusyWordFilterScope outer(500);
    {
      const BusyWordFilterScope inner(5'000);
      BusyServer word{.busy_calls = 1'000'000};
      word.Call();
      EXPECT_GE(word.elapsed, 5'000u);
    }
    BusyServer word{.busy_calls = 1'000'000};
    word.Call();
    EXPECT_LT(word.elapsed, 1'000u);
  }
  EXPECT_FALSE(RegisteredFilter());
  BusyServer word{.busy_calls = 1};
  EXPECT_EQ(word.Call(), RPC_E_CALL_REJECTED);
}

TEST(BusyWordFilter, NothingIsRegisteredOnAThreadCOMKeepsNoFilterFor) {
  bool registered = true;
  std::thread([&registered] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    registered = BusyWordFilterScope().registered();
    CoUninitialize();
  }).join();
  EXPECT_FALSE(registered);
}

}  // namespace
}  // namespace tessaro
