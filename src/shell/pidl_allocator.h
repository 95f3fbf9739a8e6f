// Where item identifier lists get their memory. The program uses the shell's
// allocator; tests put a counting stand-in in its place to catch leaks and
// double frees.
#pragma once

#include <cstddef>

namespace tessaro::shell {

class PidlAllocator {
 public:
  virtual ~PidlAllocator() = default;
  // Zero-filled block, or nullptr when memory runs out.
  virtual void* Alloc(std::size_t bytes) = 0;
  virtual void Free(void* block) = 0;
  // A list the shell allocated and handed over (enumeration, folder browser):
  // from now on it is ours to free.
  virtual void Adopt(void* /*block*/) {}
};

// The allocator every list of the program goes through.
PidlAllocator& CurrentPidlAllocator();
// Installs another allocator (nullptr: the shell's again) and returns the
// previous one. Lists must be freed by the allocator that made them.
PidlAllocator* SetPidlAllocator(PidlAllocator* allocator);

}  // namespace tessaro::shell
