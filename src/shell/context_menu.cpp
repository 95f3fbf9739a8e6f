#include "shell/context_menu.h"

#include "win32/com_ptr.h"
#include "win32/unique_handle.h"

namespace tessaro::shell {
namespace {

// Set only while the menu of ShowShellContextMenu is open.
IContextMenu2* g_active_menu = nullptr;

class ActiveMenuScope {
 public:
  explicit ActiveMenuScope(IContextMenu2* menu) : previous_(std::exchange(g_active_menu, menu)) {}
  ActiveMenuScope(const ActiveMenuScope&) = delete;
  ActiveMenuScope& operator=(const ActiveMenuScope&) = delete;
  ~ActiveMenuScope() { g_active_menu = previous_; }

 private:
  IContextMenu2* previous_;
};

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

}  // namespace

bool ShowShellContextMenu(HWND owner, IShellFolder* folder, std::span<const PCUITEMID_CHILD> items, POINT screen) {
  if (!folder || items.empty()) return false;
  ComPtr<IContextMenu> menu;
  if (FAILED(folder->GetUIObjectOf(owner, static_cast<UINT>(items.size()), items.data(), IID_IContextMenu, nullptr,
                                   menu.put_void())) ||
      !menu) {
    return false;
  }
  const ComPtr<IContextMenu2> menu2 = menu.As<IContextMenu2>(IID_IContextMenu2);
  IContextMenu* handler = menu2 ? menu2.get() : menu.get();
  ActiveMenuScope active(menu2.get());

  const Menu popup(CreatePopupMenu());
  if (!popup.get()) return false;
  if (FAILED(handler->QueryContextMenu(popup.get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE))) return false;
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr));
  if (command < kFirstCommand) return false;

  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof(invoke);
  invoke.hwnd = owner;
  invoke.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
  invoke.nShow = SW_SHOWNORMAL;
  handler->InvokeCommand(&invoke);
  return true;
}

void ForwardToActiveContextMenu(UINT message, WPARAM wparam, LPARAM lparam) {
  if (g_active_menu) g_active_menu->HandleMenuMsg(message, wparam, lparam);
}

}  // namespace tessaro::shell
