// Column headers, painted whole by the skin item by item, with the item
// under the cursor ("HMINDEX") and the one pressed ("HDINDEX") shown in
// their own faces.
#pragma once

#include <windows.h>

#include "skin/skin_message.h"

namespace tessaro::skin {

// Item faces.
inline constexpr int kItemNormal = 0, kItemHover = 1, kItemPressed = 2;

// Repaints one item into dc, or onto the window when dc is null; nothing
// for a negative index.
void PaintHeaderItem(HWND header, HDC dc, int index, int state);
// The first item whose left <= x <= right; -1 when none.
int HeaderItemAt(HWND header, int x);

LRESULT HeaderMessage(const SkinMessage& message);

}  // namespace tessaro::skin
