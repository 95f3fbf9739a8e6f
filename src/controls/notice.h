// The program tells the user things in modal message boxes with an OK button
// and no icon, titled "提示" unless a message says otherwise, and asks in the
// same boxes.
#pragma once

#include <windows.h>

namespace tessaro {

inline void ShowNotice(HWND owner, const wchar_t* text, const wchar_t* title = L"提示") {
  MessageBoxW(owner, text, title, MB_OK);
}

// The same, kept above every other window: for a message that must not hide
// behind a window another program opens meanwhile.
void ShowNoticeInFront(HWND owner, const wchar_t* text);

enum class DefaultAnswer { kYes, kNo };

// A question with 是 and 否; true for 是. Enter gives the default answer: 否
// where 是 cannot be undone.
inline bool AskYesNo(HWND owner, const wchar_t* text, DefaultAnswer answer = DefaultAnswer::kYes) {
  const UINT default_button = answer == DefaultAnswer::kNo ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
  return MessageBoxW(owner, text, L"提示", MB_YESNO | MB_ICONQUESTION | default_button) == IDYES;
}

}  // namespace tessaro
