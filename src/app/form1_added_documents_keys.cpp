// The keys and the right-click menu of the added-documents list: Delete
// removes the picked row as "删除" does, Ctrl+Up and Ctrl+Down move it as the
// order bar does, and the menu offers both and "删除全部".
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/form1_menu.h"
#include "win32/unique_handle.h"

namespace tessaro {

using namespace form1;

bool Form1::OnAddedDocumentsKey(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_DELETE && !control) {
    DeleteCurrentDocument();
    return true;
  }
  if ((key == VK_UP || key == VK_DOWN) && control) {
    MoveCurrentDocument(key == VK_UP ? -1 : 1);
    return true;
  }
  return false;
}

void Form1::MoveCurrentDocument(int step) {
  // Only the row the user sees picked moves, as only it is deleted.
  if (!added_documents_.highlighted()) return;
  const std::size_t current = *added_documents_.current();
  if (step < 0 ? current == 0 : current + 1 >= added_documents_.size()) return;
  const std::size_t target = step < 0 ? current - 1 : current + 1;
  added_documents_.MoveCurrentTo(target);
  ShowOrderOf(target);
}

void Form1::ShowAddedMenu(LPARAM where) {
  HWND list = Control(ListView2);
  POINT screen{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  // Shift+F10 or the menu key: below the picked row, or at the list's corner.
  if (where == -1) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    const std::optional<std::size_t> current = added_documents_.current();
    if (!current || !SendMessageW(list, LVM_GETITEMRECT, *current, reinterpret_cast<LPARAM>(&row))) row = RECT{};
    screen = POINT{row.left + 8, row.bottom};
    ClientToScreen(list, &screen);
  }
  const Menu bar(BuildMenuBar(kAddedMenu));
  HMENU popup = bar ? GetSubMenu(bar.get(), 0) : nullptr;
  if (!popup) return;
  const bool picked = added_documents_.highlighted();
  const std::size_t at = picked ? *added_documents_.current() : 0;
  const auto enable = [popup](int id, bool enabled) {
    EnableMenuItem(popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(mnuAddedUp, picked && at > 0);
  enable(mnuAddedDown, picked && at + 1 < added_documents_.size());
  enable(mnuAddedDelete, picked);
  enable(mnuAddedDeleteAll, !added_documents_.empty());
  // The choice arrives as a WM_COMMAND once the menu has closed.
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
}

}  // namespace tessaro
