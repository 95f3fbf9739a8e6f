#include "shell/list_sort.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdlib>

namespace tessaro::shell {
namespace {

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

template <typename T>
int CompareNumbers(T first, T second) {
  return first < second ? -1 : (first > second ? 1 : 0);
}

auto Ordering(const RowComparison& compare, bool descending) {
  return [&compare, descending](std::uint32_t first, std::uint32_t second) {
    const int order = compare(first, second);
    return descending ? order > 0 : order < 0;
  };
}

}  // namespace

void ClickColumnHeader(SortState& state, int column) {
  if (column < 0) return;
  if (state.column_flags.size() <= static_cast<std::size_t>(column)) state.column_flags.resize(column + 1, 0);
  int& flag = state.column_flags[column];
  if (column == state.key) flag = ~flag;
  state.order = std::abs(flag);
  state.key = column;
}

std::uint32_t SortValue(const SortState& state) {
  return static_cast<std::uint32_t>(state.key & 0xFFFF) | (state.order ? kDescendingBit : 0);
}

int OrderFromCompareResult(HRESULT result, std::uint32_t sort_value) {
  if (FAILED(result)) return 0;
  const int order = static_cast<short>(HRESULT_CODE(result));
  return (sort_value & kDescendingBit) ? -order : order;
}

int CompareNames(const wchar_t* first, const wchar_t* second) {
  if (const int order = Sign(StrCmpLogicalW(first, second))) return order;
  return Sign(CompareStringOrdinal(first, -1, second, -1, FALSE) - CSTR_EQUAL);
}

int CompareRows(const RowKey& first, const RowKey& second, RowOrder order) {
  if (first.folder != second.folder) return first.folder ? -1 : 1;
  int by_column = 0;
  switch (order) {
    case RowOrder::kName: break;
    case RowOrder::kSize: by_column = first.folder ? 0 : CompareNumbers(first.size, second.size); break;
    case RowOrder::kType: by_column = CompareNumbers(first.type_rank, second.type_rank); break;
    case RowOrder::kDate: by_column = first.folder ? 0 : CompareNumbers(first.modified, second.modified); break;
  }
  return by_column ? by_column : CompareNumbers(first.name_rank, second.name_rank);
}

void SortRows(std::vector<std::uint32_t>& rows, const RowComparison& compare, bool descending) {
  std::stable_sort(rows.begin(), rows.end(), Ordering(compare, descending));
}

}  // namespace tessaro::shell
