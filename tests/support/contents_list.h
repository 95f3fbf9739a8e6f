// Fills the folder contents list as the folder tree would: name, size, type,
// with the given rows selected and one focused. For window tests that need
// documents to add without a real folder behind them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace tessaro::testing {

struct ContentsItem {
  const wchar_t* name;
  const wchar_t* type_name;
  bool selected = false;
};

inline void FillContentsList(HWND list, const std::vector<ContentsItem>& items, int focused) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  for (int column = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0; column < 3;
       ++column) {
    LVCOLUMNW info{};
    info.mask = LVCF_WIDTH;
    info.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  }
  // A list that repaints after each of thousands of rows takes minutes.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<wchar_t*>(items[i].name);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = const_cast<wchar_t*>(items[i].type_name);
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = (items[i].selected ? LVIS_SELECTED : 0) | (i == focused ? LVIS_FOCUSED : 0);
    SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace tessaro::testing
