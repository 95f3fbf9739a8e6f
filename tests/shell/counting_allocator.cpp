#include "counting_allocator.h"

#include <objbase.h>

#include <cstring>

namespace tessaro::testing {

CountingAllocator::CountingAllocator() : previous_(shell::SetPidlAllocator(this)) {}

CountingAllocator::~CountingAllocator() {
  shell::SetPidlAllocator(previous_);
  for (void* block : live_) CoTaskMemFree(block);
}

void* CountingAllocator::Alloc(std::size_t bytes) {
  if (fail_) return nullptr;
  void* block = CoTaskMemAlloc(bytes);
  if (!block) return nullptr;
  std::memset(block, 0, bytes);
  live_.insert(block);
  ++allocations_;
  return block;
}

void CountingAllocator::Free(void* block) {
  // A block that is not live is never handed to the real allocator: the
  // test reports it instead of corrupting the heap.
  if (live_.erase(block) == 0) {
    ++bad_frees_;
    return;
  }
  CoTaskMemFree(block);
}

void CountingAllocator::Adopt(void* block) {
  live_.insert(block);
  ++allocations_;
}

}  // namespace tessaro::testing
