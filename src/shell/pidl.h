// Item identifier lists: owning handles and the arithmetic on them. A list is
// a run of items, each led by its 16-bit byte count, ended by a zero count.
// The empty list (the terminator alone) is the desktop; a null pointer is no
// list at all.
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <cstddef>
#include <optional>
#include <utility>

#include "shell/pidl_allocator.h"

namespace tessaro::shell {

// Sizes and counts of a list are 16-bit signed quantities in the shell's
// world. Lists past these bounds are refused rather than built.
inline constexpr std::size_t kMaxPidlSize = 32767;  // terminator included
inline constexpr std::size_t kMaxItemCount = 32767;
// Two lists combine only when their items (no terminators) stay below this.
inline constexpr std::size_t kMaxCombinedItemBytes = 32766;

// Frees a list through the current allocator; nullptr is ignored.
void FreePIDL(const void* pidl);

// Owns one list. Move-only: a copy would free the same block twice.
template <typename T>
class OwnedPidl {
 public:
  OwnedPidl() = default;
  OwnedPidl(OwnedPidl&& other) noexcept : pidl_(std::exchange(other.pidl_, nullptr)) {}
  OwnedPidl& operator=(OwnedPidl&& other) noexcept {
    if (this != &other) reset(std::exchange(other.pidl_, nullptr));
    return *this;
  }
  OwnedPidl(const OwnedPidl&) = delete;
  OwnedPidl& operator=(const OwnedPidl&) = delete;
  ~OwnedPidl() { reset(); }

  // Takes a list this program allocated.
  static OwnedPidl Own(T* pidl) { return OwnedPidl(pidl); }
  // Takes a list the shell allocated and handed over.
  static OwnedPidl Adopt(T* pidl) {
    if (pidl) CurrentPidlAllocator().Adopt(pidl);
    return OwnedPidl(pidl);
  }

  T* get() const { return pidl_; }
  explicit operator bool() const { return pidl_ != nullptr; }
  void reset(T* pidl = nullptr) {
    FreePIDL(pidl_);
    pidl_ = pidl;
  }
  T* release() { return std::exchange(pidl_, nullptr); }

 private:
  explicit OwnedPidl(T* pidl) : pidl_(pidl) {}
  T* pidl_ = nullptr;
};

using AbsolutePidl = OwnedPidl<ITEMIDLIST_ABSOLUTE>;
using RelativePidl = OwnedPidl<ITEMIDLIST_RELATIVE>;
using ChildPidl = OwnedPidl<ITEMID_CHILD>;

// cb of the first item; 0 for no list.
UINT GetItemIDSize(PCUIDLIST_RELATIVE pidl);
// The second item, or nullptr when the first is the terminator (or no list).
PCUIDLIST_RELATIVE GetNextItemID(PCUIDLIST_RELATIVE pidl);
// Items before the terminator; 0 for no list; nullopt past the limits.
std::optional<std::size_t> GetItemIDCount(PCUIDLIST_RELATIVE pidl);
// All counts plus the terminator; 0 for no list; nullopt past the limits.
std::optional<std::size_t> GetPIDLSize(PCUIDLIST_RELATIVE pidl);
bool IsDesktopPIDL(PCUIDLIST_RELATIVE pidl);
// The empty list, the desktop; static, never to be freed.
PCIDLIST_ABSOLUTE DesktopPIDL();

// A zero-filled block of the given size (within the limits), or empty.
RelativePidl AllocPIDL(std::size_t bytes);
// Whole copies; empty for no list, a list past the limits or no memory.
AbsolutePidl CopyPIDL(PCIDLIST_ABSOLUTE pidl);
ChildPidl CopyPIDL(PCUITEMID_CHILD pidl);
// A one-item list of item n, counted from 1; -1 or a number past the end
// means the last item. The empty list gives an empty list.
ChildPidl CopyItemID(PCUIDLIST_RELATIVE pidl, int n);
// The list without its last item. No list, or the empty list without
// allow_empty, gives no list.
AbsolutePidl GetParentPIDL(PCIDLIST_ABSOLUTE pidl, bool allow_empty);
// first's items, then second's; no list when the result would pass the
// limits or memory runs out. No list as an input counts as empty.
AbsolutePidl CombinePIDLs(PCIDLIST_ABSOLUTE first, PCUIDLIST_RELATIVE second);

}  // namespace tessaro::shell
