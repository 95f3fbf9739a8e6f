#include "dialog_watcher.h"

#include <gtest/gtest.h>

namespace tessaro::testing {
namespace {

struct Search {
  const std::wstring* title;
  HWND found;
};

bool IsOurDialog(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  return process == GetCurrentProcessId() && wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window);
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  if (!IsOurDialog(window)) return TRUE;
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (*search.title != title) return TRUE;
  search.found = window;
  return FALSE;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

BOOL CALLBACK CountParts(HWND child, LPARAM context) {
  auto& seen = *reinterpret_cast<MessageBoxSeen*>(context);
  if (!IsWindowVisible(child)) return TRUE;
  wchar_t cls[16] = {};
  GetClassNameW(child, cls, 16);
  const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
  if (_wcsicmp(cls, L"Button") == 0) ++seen.buttons;
  // A message box without an icon may still hold an empty icon control.
  if (_wcsicmp(cls, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && SendMessageW(child, STM_GETICON, 0, 0)) {
    seen.icon = true;
  }
  return TRUE;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  if (IsOurDialog(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

}  // namespace

DialogWatcher::DialogWatcher(std::wstring title, std::function<void(HWND)> act, DWORD timeout_ms)
    : title_(std::move(title)), act_(std::move(act)), thread_([this, timeout_ms] { Watch(timeout_ms); }) {}

DialogWatcher::~DialogWatcher() { Finish(); }

bool DialogWatcher::Finish() {
  if (thread_.joinable()) thread_.join();
  EXPECT_FALSE(left_open_) << "the dialog did not close when answered";
  return seen_;
}

void DialogWatcher::Watch(DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (GetTickCount64() < deadline) {
    Search search{&title_, nullptr};
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      // Give the dialog a moment to finish its initialisation.
      Sleep(100);
      seen_ = true;
      act_(search.found);
      // A dialog that stays open (it answered with a message box of its
      // own) would leave the test thread waiting for ever: cancel them all.
      const ULONGLONG closing = GetTickCount64() + 5000;
      while (IsWindow(search.found) && GetTickCount64() < closing) Sleep(20);
      if (IsWindow(search.found)) {
        left_open_ = true;
        while (IsWindow(search.found) && GetTickCount64() < closing + 5000) {
          EnumWindows(&CancelDialog, 0);
          Sleep(100);
        }
      }
      return;
    }
    Sleep(20);
  }
}

MessageBoxSeen ReadAndPressOk(HWND box) {
  MessageBoxSeen seen;
  seen.text = TextOf(GetDlgItem(box, 0xFFFF));
  EnumChildWindows(box, &CountParts, reinterpret_cast<LPARAM>(&seen));
  PressButton(box, IDOK);
  return seen;
}

void PressButton(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

}  // namespace tessaro::testing
