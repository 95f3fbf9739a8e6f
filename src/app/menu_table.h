// Menus as data: a flat table in menu order where each row's level says how
// deep it sits. A row followed by deeper rows opens a submenu.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace tessaro {

inline constexpr const wchar_t* kSeparator = L"-";

struct MenuItemSpec {
  int id;
  const wchar_t* name;
  const wchar_t* caption;  // "&" marks the access key; kSeparator for a separator
  int level;               // 0 on the menu bar, 1 in a menu, 2 in a submenu
  WORD shortcut = 0;       // virtual key of the item's accelerator, 0 for none
};

// The text a menu shows for the item: the caption, then the shortcut's key
// name after a tab.
std::wstring MenuText(const MenuItemSpec& item);

// Builds the menu bar. The caller owns the menu until it gives it to a window.
HMENU BuildMenuBar(std::span<const MenuItemSpec> table);

// The accelerators of the table's shortcuts, each sending the item's id,
// and the keys given besides, which no menu shows.
HACCEL BuildAccelerators(std::span<const MenuItemSpec> table, std::span<const ACCEL> unshown = {});

}  // namespace tessaro
