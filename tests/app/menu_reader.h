// Reads a built menu back into rows shaped like the menu tables, so a test
// can compare what a window shows with the table it was built from.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessaro::testing {

struct MenuRow {
  int id;
  std::wstring text;  // "-" for a separator
  int level;
  bool checked;
  bool operator==(const MenuRow&) const = default;
};

std::vector<MenuRow> ReadMenu(HMENU menu);

}  // namespace tessaro::testing
