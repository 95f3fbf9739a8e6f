// The caption of one item of a tree view.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tessaro {

// Folder names are at most MAX_PATH long, and the tree shows nothing else.
inline std::wstring TreeViewItemText(HWND tree, HTREEITEM item) {
  wchar_t text[MAX_PATH] = {};
  TVITEMW query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  TreeView_GetItem(tree, &query);
  return text;
}

}  // namespace tessaro
