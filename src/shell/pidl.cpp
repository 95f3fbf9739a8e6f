#include "shell/pidl.h"

#include <cstring>

namespace tessaro::shell {
namespace {

struct Extent {
  std::size_t items_bytes;  // without the terminator
  std::size_t count;
};

// Walks the list once. A list whose run of items does not end within the
// size limit is refused before any byte past the limit is read.
std::optional<Extent> Measure(PCUIDLIST_RELATIVE pidl) {
  Extent extent{0, 0};
  if (!pidl) return extent;
  const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
  for (;;) {
    if (extent.items_bytes + sizeof(USHORT) > kMaxPidlSize) return std::nullopt;
    USHORT cb;
    std::memcpy(&cb, bytes + extent.items_bytes, sizeof(cb));
    if (cb == 0) return extent;
    // An item shorter than its own count field would never end the walk.
    if (cb < sizeof(USHORT)) return std::nullopt;
    extent.items_bytes += cb;
    if (++extent.count > kMaxItemCount) return std::nullopt;
  }
}

template <typename T>
OwnedPidl<T> Allocate(std::size_t bytes) {
  if (bytes < sizeof(USHORT) || bytes > kMaxPidlSize) return {};
  return OwnedPidl<T>::Own(static_cast<T*>(CurrentPidlAllocator().Alloc(bytes)));
}

template <typename T>
OwnedPidl<T> Copy(const T* pidl) {
  const auto size = GetPIDLSize(pidl);
  if (!pidl || !size) return {};
  auto copy = Allocate<T>(*size);
  if (copy) std::memcpy(copy.get(), pidl, *size);
  return copy;
}

}  // namespace

void FreePIDL(const void* pidl) {
  if (pidl) CurrentPidlAllocator().Free(const_cast<void*>(pidl));
}

UINT GetItemIDSize(PCUIDLIST_RELATIVE pidl) {
  if (!pidl) return 0;
  USHORT cb;
  std::memcpy(&cb, pidl, sizeof(cb));
  return cb;
}

PCUIDLIST_RELATIVE GetNextItemID(PCUIDLIST_RELATIVE pidl) {
  const UINT cb = GetItemIDSize(pidl);
  if (cb == 0) return nullptr;
  return reinterpret_cast<PCUIDLIST_RELATIVE>(reinterpret_cast<const BYTE*>(pidl) + cb);
}

std::optional<std::size_t> GetItemIDCount(PCUIDLIST_RELATIVE pidl) {
  const auto extent = Measure(pidl);
  if (!extent) return std::nullopt;
  return extent->count;
}

std::optional<std::size_t> GetPIDLSize(PCUIDLIST_RELATIVE pidl) {
  if (!pidl) return 0;
  const auto extent = Measure(pidl);
  if (!extent) return std::nullopt;
  return extent->items_bytes + sizeof(USHORT);
}

bool IsDesktopPIDL(PCUIDLIST_RELATIVE pidl) { return pidl && GetItemIDSize(pidl) == 0; }

PCIDLIST_ABSOLUTE DesktopPIDL() {
  static const USHORT terminator = 0;
  return reinterpret_cast<PCIDLIST_ABSOLUTE>(&terminator);
}

RelativePidl AllocPIDL(std::size_t bytes) { return Allocate<ITEMIDLIST_RELATIVE>(bytes); }

AbsolutePidl CopyPIDL(PCIDLIST_ABSOLUTE pidl) { return Copy(pidl); }

ChildPidl CopyPIDL(PCUITEMID_CHILD pidl) { return Copy(pidl); }

ChildPidl CopyItemID(PCUIDLIST_RELATIVE pidl, int n) {
  const auto extent = Measure(pidl);
  if (!pidl || !extent) return {};
  if (extent->count == 0) return Allocate<ITEMID_CHILD>(sizeof(USHORT));
  const std::size_t wanted =
      (n < 1 || static_cast<std::size_t>(n) > extent->count) ? extent->count : static_cast<std::size_t>(n);
  PCUIDLIST_RELATIVE item = pidl;
  for (std::size_t i = 1; i < wanted; ++i) item = GetNextItemID(item);
  const UINT cb = GetItemIDSize(item);
  auto copy = Allocate<ITEMID_CHILD>(cb + sizeof(USHORT));
  if (copy) std::memcpy(copy.get(), item, cb);
  return copy;
}

AbsolutePidl GetParentPIDL(PCIDLIST_ABSOLUTE pidl, bool allow_empty) {
  const auto extent = Measure(pidl);
  if (!pidl || !extent) return {};
  if (extent->count == 0 && !allow_empty) return {};
  std::size_t parent_bytes = 0;
  PCUIDLIST_RELATIVE item = pidl;
  for (std::size_t i = 1; i < extent->count; ++i) {
    parent_bytes += GetItemIDSize(item);
    item = GetNextItemID(item);
  }
  auto parent = Allocate<ITEMIDLIST_ABSOLUTE>(parent_bytes + sizeof(USHORT));
  if (parent) std::memcpy(parent.get(), pidl, parent_bytes);
  return parent;
}

AbsolutePidl CombinePIDLs(PCIDLIST_ABSOLUTE first, PCUIDLIST_RELATIVE second) {
  const auto a = Measure(first);
  const auto b = Measure(second);
  if (!a || !b || a->items_bytes + b->items_bytes >= kMaxCombinedItemBytes) return {};
  if (a->count + b->count > kMaxItemCount) return {};
  auto combined = Allocate<ITEMIDLIST_ABSOLUTE>(a->items_bytes + b->items_bytes + sizeof(USHORT));
  if (!combined) return {};
  auto* bytes = reinterpret_cast<BYTE*>(combined.get());
  if (a->items_bytes) std::memcpy(bytes, first, a->items_bytes);
  if (b->items_bytes) std::memcpy(bytes + a->items_bytes, second, b->items_bytes);
  return combined;
}

}  // namespace tessaro::shell
