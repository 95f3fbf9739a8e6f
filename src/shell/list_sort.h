// How the contents list is ordered: the sort key and direction, the
// direction each column header remembers, the value that carries both into
// the folder's comparison, and the orders of the columns the list knows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
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

// Two names in the order Explorer shows them: digits read as numbers (2
// before 10), letter case ignored; names that differ only in letter case
// (possible on some file systems) still get one order. 0 only for the same
// name.
int CompareNames(const wchar_t* first, const wchar_t* second);

// What a row shows in the columns it can be ordered by. Names and types are
// given by their places in name order and type order, worked out once per
// sort rather than compared as texts at every step.
struct RowKey {
  std::uint32_t name_rank = 0;  // unique per row
  std::uint32_t type_rank = 0;  // equal for equal type names
  std::uint64_t size = 0;
  std::uint64_t modified = 0;  // UTC file time
  bool folder = false;
};

// The value a column orders its rows by.
enum class RowOrder { kName, kSize, kType, kDate };

// Two rows in ascending order of a column, as Explorer shows them: folders
// before files; then names, sizes as numbers, dates as dates or types by
// their names; rows equal in the column follow their names. Folders have no
// size or date of their own to order by.
int CompareRows(const RowKey& first, const RowKey& second, RowOrder order);

// Orders rows (positions into a table) by an ascending comparison;
// descending is the exact reverse.
using RowComparison = std::function<int(std::uint32_t, std::uint32_t)>;
void SortRows(std::vector<std::uint32_t>& rows, const RowComparison& compare, bool descending);

}  // namespace tessaro::shell
