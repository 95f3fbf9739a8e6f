#include "app/menu_table.h"

#include <vector>

namespace tessaro {
namespace {

std::wstring KeyName(WORD key) {
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  return std::wstring(1, static_cast<wchar_t>(key));
}

bool IsSeparator(const MenuItemSpec& item) { return std::wstring_view(item.caption) == kSeparator; }

// Appends the rows from `index` on that sit at `level` (with their submenus)
// to `menu`; returns the index of the first row not consumed.
size_t AppendLevel(HMENU menu, std::span<const MenuItemSpec> table, size_t index, int level) {
  while (index < table.size() && table[index].level == level) {
    const MenuItemSpec& item = table[index++];
    if (IsSeparator(item)) {
      AppendMenuW(menu, MF_SEPARATOR, static_cast<UINT_PTR>(item.id), nullptr);
      continue;
    }
    const std::wstring text = MenuText(item);
    if (index < table.size() && table[index].level > level) {
      HMENU submenu = CreatePopupMenu();
      index = AppendLevel(submenu, table, index, level + 1);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
      // Popups carry no id of their own; give them the row's so they can be found.
      MENUITEMINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_ID;
      info.wID = static_cast<UINT>(item.id);
      SetMenuItemInfoW(menu, GetMenuItemCount(menu) - 1, TRUE, &info);
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), text.c_str());
    }
  }
  return index;
}

}  // namespace

std::wstring MenuText(const MenuItemSpec& item) {
  std::wstring text = item.caption;
  if (item.shortcut) text += L'\t' + KeyName(item.shortcut);
  return text;
}

HMENU BuildMenuBar(std::span<const MenuItemSpec> table) {
  HMENU bar = CreateMenu();
  AppendLevel(bar, table, 0, 0);
  return bar;
}

HACCEL BuildAccelerators(std::span<const MenuItemSpec> table, std::span<const ACCEL> unshown) {
  std::vector<ACCEL> accelerators(unshown.begin(), unshown.end());
  for (const MenuItemSpec& item : table) {
    if (item.shortcut) {
      accelerators.push_back(ACCEL{FVIRTKEY, item.shortcut, static_cast<WORD>(item.id)});
    }
  }
  if (accelerators.empty()) return nullptr;
  return CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerators.size()));
}

}  // namespace tessaro
