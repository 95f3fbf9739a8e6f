// A stand-in for the shell's allocator that knows every block it handed out
// or adopted, so a test fails on a leak or on a double free.
#pragma once

#include <cstddef>
#include <set>

#include "shell/pidl_allocator.h"

namespace tessaro::testing {

class CountingAllocator final : public shell::PidlAllocator {
 public:
  // Installs itself for its lifetime.
  CountingAllocator();
  ~CountingAllocator() override;
  CountingAllocator(const CountingAllocator&) = delete;
  CountingAllocator& operator=(const CountingAllocator&) = delete;

  void* Alloc(std::size_t bytes) override;
  void Free(void* block) override;
  void Adopt(void* block) override;

  std::size_t live() const { return live_.size(); }
  std::size_t allocations() const { return allocations_; }
  // Frees of blocks that were not live: double frees or foreign blocks.
  std::size_t bad_frees() const { return bad_frees_; }
  // Makes every allocation from now on fail, to try the out-of-memory paths.
  void FailAllocations(bool fail) { fail_ = fail; }

 private:
  shell::PidlAllocator* previous_;
  std::set<void*> live_;
  std::size_t allocations_ = 0;
  std::size_t bad_frees_ = 0;
  bool fail_ = false;
};

}  // namespace tessaro::testing
