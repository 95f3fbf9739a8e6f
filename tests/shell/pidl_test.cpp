// Item identifier list arithmetic on hand-made lists, with every block
// accounted for by the counting allocator.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "counting_allocator.h"
#include "shell/pidl.h"

namespace tessaro::shell {
namespace {

using Payload = std::vector<BYTE>;

// A list whose items carry the given payloads.
AbsolutePidl MakeList(const std::vector<Payload>& items) {
  std::size_t size = sizeof(USHORT);
  for (const Payload& item : items) size += item.size() + sizeof(USHORT);
  auto* block = static_cast<BYTE*>(CurrentPidlAllocator().Alloc(size));
  BYTE* at = block;
  for (const Payload& item : items) {
    const auto cb = static_cast<USHORT>(item.size() + sizeof(USHORT));
    std::memcpy(at, &cb, sizeof(cb));
    if (!item.empty()) std::memcpy(at + sizeof(cb), item.data(), item.size());
    at += cb;
  }
  return AbsolutePidl::Own(reinterpret_cast<ITEMIDLIST_ABSOLUTE*>(block));
}

// The payloads of a list's items, read back.
std::vector<Payload> Items(PCUIDLIST_RELATIVE pidl) {
  std::vector<Payload> items;
  for (PCUIDLIST_RELATIVE item = pidl; item && GetItemIDSize(item); item = GetNextItemID(item)) {
    const auto* bytes = reinterpret_cast<const BYTE*>(item);
    items.emplace_back(bytes + sizeof(USHORT), bytes + GetItemIDSize(item));
  }
  return items;
}

const Payload kA{1, 2, 3};
const Payload kB{4};
const Payload kC{5, 6};

class PidlTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(allocator_.bad_frees(), 0u);
  }
  // Checked at the end of each test body, after every owner is gone.
  void ExpectAllFreed() const { EXPECT_EQ(allocator_.live(), 0u); }

  testing::CountingAllocator allocator_;
};

TEST_F(PidlTest, WalkingCountsAndSizes) {
  {
    const AbsolutePidl list = MakeList({kA, kB, kC});
    EXPECT_EQ(GetItemIDSize(list.get()), 5u);
    EXPECT_EQ(GetItemIDSize(GetNextItemID(list.get())), 3u);
    EXPECT_EQ(GetItemIDCount(list.get()), 3u);
    EXPECT_EQ(GetPIDLSize(list.get()), 5u + 3u + 4u + 2u);
    EXPECT_FALSE(IsDesktopPIDL(list.get()));

    const AbsolutePidl empty = MakeList({});
    EXPECT_EQ(GetItemIDCount(empty.get()), 0u);
    EXPECT_EQ(GetPIDLSize(empty.get()), 2u);
    EXPECT_EQ(GetNextItemID(empty.get()), nullptr);
    EXPECT_TRUE(IsDesktopPIDL(empty.get()));
    EXPECT_TRUE(IsDesktopPIDL(DesktopPIDL()));
  }
  // No list is different from the empty list.
  EXPECT_EQ(GetItemIDSize(nullptr), 0u);
  EXPECT_EQ(GetNextItemID(nullptr), nullptr);
  EXPECT_EQ(GetItemIDCount(nullptr), 0u);
  EXPECT_EQ(GetPIDLSize(nullptr), 0u);
  EXPECT_FALSE(IsDesktopPIDL(nullptr));
  ExpectAllFreed();
}

TEST_F(PidlTest, CopyItemIdTakesTheNumberedItemOrTheLast) {
  {
    const AbsolutePidl list = MakeList({kA, kB, kC});
    EXPECT_EQ(Items(CopyItemID(list.get(), 1).get()), std::vector<Payload>{kA});
    EXPECT_EQ(Items(CopyItemID(list.get(), 2).get()), std::vector<Payload>{kB});
    EXPECT_EQ(Items(CopyItemID(list.get(), -1).get()), std::vector<Payload>{kC});
    EXPECT_EQ(Items(CopyItemID(list.get(), 4).get()), std::vector<Payload>{kC});
    EXPECT_EQ(Items(CopyItemID(list.get(), 0).get()), std::vector<Payload>{kC});

    const AbsolutePidl empty = MakeList({});
    const ChildPidl from_empty = CopyItemID(empty.get(), -1);
    ASSERT_TRUE(from_empty);
    EXPECT_TRUE(IsDesktopPIDL(from_empty.get()));
    EXPECT_FALSE(CopyItemID(nullptr, 1));
  }
  ExpectAllFreed();
}

TEST_F(PidlTest, ParentDropsTheLastItem) {
  {
    const AbsolutePidl list = MakeList({kA, kB, kC});
    EXPECT_EQ(Items(GetParentPIDL(list.get(), false).get()), (std::vector<Payload>{kA, kB}));

    const AbsolutePidl one = MakeList({kA});
    const AbsolutePidl desktop = GetParentPIDL(one.get(), false);
    ASSERT_TRUE(desktop);
    EXPECT_TRUE(IsDesktopPIDL(desktop.get()));

    const AbsolutePidl empty = MakeList({});
    EXPECT_FALSE(GetParentPIDL(empty.get(), false));
    const AbsolutePidl empty_parent = GetParentPIDL(empty.get(), true);
    ASSERT_TRUE(empty_parent);
    EXPECT_TRUE(IsDesktopPIDL(empty_parent.get()));
    EXPECT_FALSE(GetParentPIDL(nullptr, true));
  }
  ExpectAllFreed();
}

TEST_F(PidlTest, CombineJoinsTheItemsAndLeavesTheInputs) {
  {
    const AbsolutePidl first = MakeList({kA, kB});
    const AbsolutePidl second = MakeList({kC});
    const AbsolutePidl combined = CombinePIDLs(first.get(), second.get());
    EXPECT_EQ(Items(combined.get()), (std::vector<Payload>{kA, kB, kC}));
    // The inputs are untouched and still owned by their holders.
    EXPECT_EQ(Items(first.get()), (std::vector<Payload>{kA, kB}));
    EXPECT_EQ(allocator_.live(), 3u);

    const AbsolutePidl empty = MakeList({});
    EXPECT_EQ(Items(CombinePIDLs(empty.get(), second.get()).get()), std::vector<Payload>{kC});
    EXPECT_EQ(Items(CombinePIDLs(nullptr, second.get()).get()), std::vector<Payload>{kC});
    const AbsolutePidl nothing = CombinePIDLs(empty.get(), nullptr);
    ASSERT_TRUE(nothing);
    EXPECT_TRUE(IsDesktopPIDL(nothing.get()));
  }
  ExpectAllFreed();
}

TEST_F(PidlTest, ListsPastTheSizeLimitsAreRefused) {
  {
    // One item filling the list to exactly 32,767 bytes is the largest list.
    const AbsolutePidl largest = MakeList({Payload(32767 - 4, 7)});
    EXPECT_EQ(GetPIDLSize(largest.get()), 32767u);
    EXPECT_TRUE(CopyPIDL(largest.get()));

    const AbsolutePidl too_large = MakeList({Payload(32767 - 3, 7)});
    EXPECT_EQ(GetPIDLSize(too_large.get()), std::nullopt);
    EXPECT_EQ(GetItemIDCount(too_large.get()), std::nullopt);
    EXPECT_FALSE(CopyPIDL(too_large.get()));
    EXPECT_FALSE(GetParentPIDL(too_large.get(), true));
    EXPECT_FALSE(CopyItemID(too_large.get(), 1));

    // Combined items must stay below 32,766 bytes.
    const AbsolutePidl half = MakeList({Payload(16383 - 2, 1)});
    const AbsolutePidl fits = MakeList({Payload(16382 - 2, 2)});
    EXPECT_TRUE(CombinePIDLs(half.get(), fits.get()));
    EXPECT_FALSE(CombinePIDLs(half.get(), half.get()));
    EXPECT_FALSE(AllocPIDL(32768));
  }
  ExpectAllFreed();
}

TEST_F(PidlTest, AMalformedItemEndsTheWalkWithARefusal) {
  {
    // A count of 1 is shorter than the count field itself and would never
    // reach the terminator.
    AbsolutePidl list = MakeList({kA});
    const USHORT bad = 1;
    std::memcpy(list.get(), &bad, sizeof(bad));
    EXPECT_EQ(GetPIDLSize(list.get()), std::nullopt);
    EXPECT_FALSE(CopyPIDL(list.get()));
  }
  ExpectAllFreed();
}

TEST_F(PidlTest, OutOfMemoryGivesNoListAndLeaksNothing) {
  {
    const AbsolutePidl list = MakeList({kA, kB});
    allocator_.FailAllocations(true);
    EXPECT_FALSE(CopyPIDL(list.get()));
    EXPECT_FALSE(CopyItemID(list.get(), -1));
    EXPECT_FALSE(GetParentPIDL(list.get(), true));
    EXPECT_FALSE(CombinePIDLs(list.get(), list.get()));
    allocator_.FailAllocations(false);
  }
  ExpectAllFreed();
}

TEST_F(PidlTest, OwnersFreeExactlyOnce) {
  {
    AbsolutePidl a = MakeList({kA});
    AbsolutePidl b = MakeList({kB});
    b = std::move(a);  // b's old list goes now, a's list moves over
    EXPECT_EQ(allocator_.live(), 1u);
    AbsolutePidl c(std::move(b));
    EXPECT_EQ(Items(c.get()), std::vector<Payload>{kA});
    c.reset();
    c.reset();
    EXPECT_EQ(allocator_.live(), 0u);
  }
  ExpectAllFreed();
}

}  // namespace
}  // namespace tessaro::shell
