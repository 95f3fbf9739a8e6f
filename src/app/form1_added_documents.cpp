#include "app/form1.h"

#include <commctrl.h>

#include <string>

#include "app/form1_layout.h"

namespace tessaro {
namespace {

std::wstring ItemText(HWND list, int row, int column) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    // A text that fills the buffer may have been cut: try again with more room.
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

}  // namespace

std::vector<AddedDocument> Form1::AddedDocuments() const {
  HWND list = Control(form1::ListView2);
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<AddedDocument> documents;
  documents.reserve(rows);
  for (int row = 0; row < rows; ++row) documents.push_back({ItemText(list, row, 0), ItemText(list, row, 1)});
  return documents;
}

}  // namespace tessaro
