// How the contents list is ordered: the sort key and direction, the
// direction each column header remembers, and the value that carries both
// into the folder's comparison.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::shell {

inline constexpr std::uint32_t kDescendingBit = 0x80000000u;

struct SortState {
  int key = 0;    // column, counted from 0
  int order = 0;  // 0 ascending, 1 descending
  // One flag per column of the current folder: 0 or -1, the column's last
  // direction. Columns are made anew per folder, and so are the flags.
  std::vector<int> column_flags;
};

// A click on the header of a column (counted from 0): the same column as the
// last sort flips its direction; another column sorts the way it last did.
void ClickColumnHeader(SortState& state, int column);

// The sort key with the top bit set for descending.
std::uint32_t SortValue(const SortState& state);
// Turns the folder's CompareIDs answer into the list's order: a failure is
// equal, the low 16 bits are the signed order, reversed for descending.
int OrderFromCompareResult(HRESULT result, std::uint32_t sort_value);

// A row as the name column orders it.
struct NameKey {
  std::wstring name;
  bool folder = false;
};

// The name column in the order Explorer shows: folders before files, then
// names with their digits read as numbers (2 before 10), letter case
// ignored; all reversed for descending. The folder's own comparison orders
// names as plain text, which puts the pages of a split out of order.
int CompareNames(const NameKey& first, const NameKey& second, std::uint32_t sort_value);

}  // namespace tessaro::shell
