// The program tells the user things in modal message boxes with an OK button
// and no icon, titled "提示" unless a message says otherwise, and asks in the
// same boxes.
#pragma once

#include <windows.h>

namespace tessaro {

inline void ShowNotice(HWND owner, const wchar_t* text, const wchar_t* title = L"提示") {
  MessageBoxW(owner, text, title, MB_OK);
}

// A question with 是 and 否; true for 是.
inline bool AskYesNo(HWND owner, const wchar_t* text, const wchar_t* title = L"提示") {
  return MessageBoxW(owner, text, title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tessaro
