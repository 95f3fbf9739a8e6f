#include "shell/list_sort.h"

#include <shlwapi.h>

#include <cstdlib>

namespace tessaro::shell {

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

int CompareNames(const NameKey& first, const NameKey& second, std::uint32_t sort_value) {
  int order = first.folder == second.folder ? StrCmpLogicalW(first.name.c_str(), second.name.c_str())
                                            : (first.folder ? -1 : 1);
  order = order < 0 ? -1 : (order > 0 ? 1 : 0);
  return (sort_value & kDescendingBit) ? -order : order;
}

}  // namespace tessaro::shell
