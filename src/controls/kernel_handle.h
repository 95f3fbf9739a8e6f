// Owns a kernel handle (event, thread, file) closed with CloseHandle.
// Move-only, like the other owners; INVALID_HANDLE_VALUE counts as none.
#pragma once

#include <windows.h>

#include <memory>

namespace tessaro {

struct CloseKernelHandle {
  void operator()(HANDLE handle) const {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

using KernelHandle = std::unique_ptr<void, CloseKernelHandle>;

}  // namespace tessaro
