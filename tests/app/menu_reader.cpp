#include "menu_reader.h"

namespace tessaro::testing {
namespace {

void ReadLevel(HMENU menu, int level, std::vector<MenuRow>& rows) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    rows.push_back(MenuRow{static_cast<int>(info.wID), separator ? L"-" : text, level,
                           (info.fState & MFS_CHECKED) != 0});
    if (info.hSubMenu) ReadLevel(info.hSubMenu, level + 1, rows);
  }
}

}  // namespace

std::vector<MenuRow> ReadMenu(HMENU menu) {
  std::vector<MenuRow> rows;
  ReadLevel(menu, 0, rows);
  return rows;
}

}  // namespace tessaro::testing
