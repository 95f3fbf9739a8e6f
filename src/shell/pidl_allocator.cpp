#include "shell/pidl_allocator.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

namespace tessaro::shell {
namespace {

// The shell's own allocator. It is fetched once and never released: lists
// can still be freed during static destruction, after COM is gone.
IMalloc* GetMalloc() {
  static IMalloc* malloc = nullptr;
  if (!malloc && FAILED(SHGetMalloc(&malloc))) malloc = nullptr;
  return malloc;
}

class ShellAllocator final : public PidlAllocator {
 public:
  void* Alloc(std::size_t bytes) override {
    IMalloc* malloc = GetMalloc();
    void* block = malloc ? malloc->Alloc(bytes) : CoTaskMemAlloc(bytes);
    if (block) std::memset(block, 0, bytes);
    return block;
  }
  void Free(void* block) override {
    if (IMalloc* malloc = GetMalloc()) {
      malloc->Free(block);
    } else {
      CoTaskMemFree(block);
    }
  }
};

ShellAllocator g_shell_allocator;
PidlAllocator* g_allocator = &g_shell_allocator;  // one UI thread: no locking

}  // namespace

PidlAllocator& CurrentPidlAllocator() { return *g_allocator; }

PidlAllocator* SetPidlAllocator(PidlAllocator* allocator) {
  PidlAllocator* previous = g_allocator;
  g_allocator = allocator ? allocator : &g_shell_allocator;
  return previous;
}

}  // namespace tessaro::shell
