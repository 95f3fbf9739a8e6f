// Owns the EXCEPINFO an IDispatch::Invoke fills in on failure: Word reports
// its errors there, and a server may leave the strings to be filled in only
// when someone asks.
#pragma once

#include <oleauto.h>

#include <utility>

namespace tessaro {

class ExceptionInfo {
 public:
  ExceptionInfo() = default;
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  ~ExceptionInfo() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }

  // For Invoke's out-parameter.
  EXCEPINFO* get() { return &info_; }
  // The information with its strings filled in.
  const EXCEPINFO& filled() {
    if (info_.pfnDeferredFillIn) std::exchange(info_.pfnDeferredFillIn, nullptr)(&info_);
    return info_;
  }

 private:
  EXCEPINFO info_{};
};

}  // namespace tessaro
