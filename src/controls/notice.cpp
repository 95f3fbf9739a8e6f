#include "controls/notice.h"

namespace tessaro {
namespace {

// Set while a box that must stay in front is being made, on this thread.
thread_local HHOOK t_raise_hook = nullptr;

// Some systems (Wine among them) make nothing of MB_TOPMOST: the box is
// raised above every window as it is activated, the first time only.
LRESULT CALLBACK RaiseBox(int code, WPARAM wparam, LPARAM lparam) {
  const HHOOK hook = t_raise_hook;
  if (code == HCBT_ACTIVATE) {
    SetWindowPos(reinterpret_cast<HWND>(wparam), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UnhookWindowsHookEx(hook);
    t_raise_hook = nullptr;
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

void ShowNoticeInFront(HWND owner, const wchar_t* text) {
  t_raise_hook = SetWindowsHookExW(WH_CBT, &RaiseBox, nullptr, GetCurrentThreadId());
  MessageBoxW(owner, text, L"提示", MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
  // A box that never became active leaves the hook in place.
  if (t_raise_hook) UnhookWindowsHookEx(t_raise_hook);
  t_raise_hook = nullptr;
}

}  // namespace tessaro
