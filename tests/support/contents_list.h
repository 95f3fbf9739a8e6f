// Fills the folder contents list as the folder tree would: name, size, type,
// with the given rows selected and one focused. For window tests that need
// documents to add without a real folder behind them.
//
// The contents list keeps no rows of its own (LVS_OWNERDATA): the control
// asks its owner for every text. Here the texts the add buttons read are
// answered from a copy of the items, until the list is next emptied
// (LVM_DELETEALLITEMS), as a folder's rows are.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::testing {

struct ContentsItem {
  const wchar_t* name;
  const wchar_t* type_name;
  bool selected = false;
};

namespace contents_list_detail {

constexpr int kNameColumn = 0;
constexpr int kTypeColumn = 2;
constexpr UINT_PTR kSubclassId = 1;

using Texts = std::vector<std::pair<std::wstring, std::wstring>>;  // name, type

inline LRESULT CALLBACK AnswerTexts(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR data) {
  auto* texts = reinterpret_cast<Texts*>(data);
  if (message == LVM_GETITEMTEXTW) {
    auto* item = reinterpret_cast<LVITEMW*>(lparam);
    const auto row = static_cast<std::size_t>(wparam);
    if (item && row < texts->size() && (item->iSubItem == kNameColumn || item->iSubItem == kTypeColumn) &&
        item->pszText && item->cchTextMax > 0) {
      const std::wstring& text = item->iSubItem == kNameColumn ? (*texts)[row].first : (*texts)[row].second;
      const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
      std::copy_n(text.data(), length, item->pszText);
      item->pszText[length] = L'\0';
      return static_cast<LRESULT>(length);
    }
  }
  if (message == LVM_DELETEALLITEMS || message == WM_NCDESTROY) {
    RemoveWindowSubclass(list, &AnswerTexts, id);
    delete texts;
  }
  return DefSubclassProc(list, message, wparam, lparam);
}

}  // namespace contents_list_detail

inline void FillContentsList(HWND list, const std::vector<ContentsItem>& items, int focused) {
  using namespace contents_list_detail;
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  for (int column = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0; column < 3;
       ++column) {
    LVCOLUMNW info{};
    info.mask = LVCF_WIDTH;
    info.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  }
  auto* texts = new Texts;
  for (const ContentsItem& item : items) texts->emplace_back(item.name, item.type_name);
  SetWindowSubclass(list, &AnswerTexts, kSubclassId, reinterpret_cast<DWORD_PTR>(texts));
  SendMessageW(list, LVM_SETITEMCOUNT, items.size(), 0);
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = (items[i].selected ? LVIS_SELECTED : 0) | (i == focused ? LVIS_FOCUSED : 0);
    SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace tessaro::testing
