#include "app/contents_rows.h"

#include <commctrl.h>

#include "controls/list_view_text.h"

namespace tessaro {
namespace {

// Columns of the contents list: name, size, type, modified.
constexpr int kTypeColumn = 2;

std::optional<int> NextItem(HWND list, UINT flags) {
  const auto row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags));
  if (row < 0) return std::nullopt;
  return row;
}

}  // namespace

int ContentsRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

bool IsContentsRowSelected(HWND list, int row) {
  return (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

ContentsRow ReadContentsRow(HWND list, int row) {
  return {ListViewItemText(list, row, 0), ListViewItemText(list, row, kTypeColumn)};
}

std::optional<int> CurrentContentsRow(HWND list) {
  if (auto focused = NextItem(list, LVNI_FOCUSED)) return focused;
  return NextItem(list, LVNI_SELECTED);
}

}  // namespace tessaro
