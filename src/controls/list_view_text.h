// The text of one cell of a list view, whatever its length.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tessaro {

// The list copies at most the buffer's size and says how much it copied; a
// text that fills the buffer may have been cut, so ask again with more room.
inline std::wstring ListViewItemText(HWND list, int row, int column) {
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

}  // namespace tessaro
