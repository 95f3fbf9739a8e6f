#include "shell/list_sort.h"

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

}  // namespace tessaro::shell
