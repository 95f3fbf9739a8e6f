#include "controls/subclass.h"

#include <map>
#include <string>

namespace tessaro {
namespace {

constexpr const wchar_t* kOldWndProc = L"OldWndProc";
constexpr const wchar_t* kObjectPtr = L"ObjectPtr";

// Every subclassed window with the procedure installed over it. While it is
// not empty, the property name is held as an atom, so the procedures look
// the property up without a string per message.
std::map<HWND, WNDPROC> g_windows;  // one UI thread: no locking
ATOM g_old_proc_atom = 0;

void TrackSubclassedWindow(HWND window, WNDPROC installed) {
  g_windows[window] = installed;
  if (!g_old_proc_atom) g_old_proc_atom = GlobalAddAtomW(kOldWndProc);
}

void ForgetSubclassedWindow(HWND window) {
  g_windows.erase(window);
  if (g_windows.empty() && g_old_proc_atom) {
    GlobalDeleteAtom(g_old_proc_atom);
    g_old_proc_atom = 0;
  }
}

WNDPROC PreviousProc(HWND window) {
  HANDLE value = g_old_proc_atom ? GetPropW(window, MAKEINTATOM(g_old_proc_atom)) : GetPropW(window, kOldWndProc);
  return reinterpret_cast<WNDPROC>(value);
}

void ReportFailure(HWND window, DWORD error) {
  wchar_t handle[32] = {};
  wsprintfW(handle, L"%IX", reinterpret_cast<UINT_PTR>(window));
  wchar_t description[256] = {};
  if (error) {
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK, nullptr,
                   error, LANG_USER_DEFAULT, description, 256, nullptr);
  }
  const std::wstring text = std::wstring(L"Error subclassing window &H") + handle + L"\r\n\r\nErr# " +
                            std::to_wstring(error) + L": " + description;
  MessageBoxW(nullptr, text.c_str(), L"Tessaro", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

bool SubclassWindow(HWND window, WNDPROC procedure, void* owner) {
  if (PreviousProc(window)) return true;
  SetLastError(0);
  const auto previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  bool stored = previous && SetPropW(window, kOldWndProc, reinterpret_cast<HANDLE>(previous));
  if (stored && owner) stored = SetPropW(window, kObjectPtr, owner);
  if (stored) {
    TrackSubclassedWindow(window, procedure);
    return true;
  }
  const DWORD error = GetLastError();
  // Nothing of the attempt stays behind, so a later try starts afresh.
  if (previous) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  RemovePropW(window, kOldWndProc);
  RemovePropW(window, kObjectPtr);
  ReportFailure(window, error);
  return false;
}

bool UnsubclassWindow(HWND window) {
  const WNDPROC previous = PreviousProc(window);
  if (!previous) return false;
  const auto entry = g_windows.find(window);
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (entry != g_windows.end() && current != entry->second) return false;
  if (!SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous))) return false;
  RemovePropW(window, kOldWndProc);
  RemovePropW(window, kObjectPtr);
  ForgetSubclassedWindow(window);
  return true;
}

LRESULT CallPreviousWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC previous = PreviousProc(window);
  return previous ? CallWindowProcW(previous, window, message, wparam, lparam)
                  : DefWindowProcW(window, message, wparam, lparam);
}

std::size_t SubclassedWindowCount() { return g_windows.size(); }

}  // namespace tessaro
