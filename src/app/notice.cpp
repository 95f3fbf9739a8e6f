#include "app/notice.h"

namespace tessaro {

void ShowNotice(HWND owner, const wchar_t* text, const wchar_t* title) { MessageBoxW(owner, text, title, MB_OK); }

}  // namespace tessaro
