// Reads the rows of the folder contents list (ListView1) as the add buttons
// need them: the row text, its type column and whether it is selected.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tessaro {

struct ContentsRow {
  std::wstring text;       // the item's name as the list shows it
  std::wstring type_name;  // the list's type column
};

int ContentsRowCount(HWND list);
bool IsContentsRowSelected(HWND list, int row);
ContentsRow ReadContentsRow(HWND list, int row);

// The row the user is on: the one with the focus, or, when no row has it
// (rows selected all at once), the first selected row.
std::optional<int> CurrentContentsRow(HWND list);

}  // namespace tessaro
