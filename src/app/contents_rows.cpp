#include "app/contents_rows.h"

#include <commctrl.h>

namespace tessaro {
namespace {

// Columns of the contents list: name, size, type, modified.
constexpr int kTypeColumn = 2;

// The list copies at most the buffer's size and says how much it copied; a
// text that fills the buffer may have been cut, so ask again with more room.
std::wstring ItemText(HWND list, int row, int column) {
  std::wstring text(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length =
        static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

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

ContentsRow ReadContentsRow(HWND list, int row) { return {ItemText(list, row, 0), ItemText(list, row, kTypeColumn)}; }

std::optional<int> CurrentContentsRow(HWND list) {
  if (auto focused = NextItem(list, LVNI_FOCUSED)) return focused;
  return NextItem(list, LVNI_SELECTED);
}

}  // namespace tessaro
