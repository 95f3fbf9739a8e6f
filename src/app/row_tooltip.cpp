#include "app/row_tooltip.h"

#include <commctrl.h>

namespace tessaro {

void RowTooltip::Create(HWND list) {
  Destroy();
  list_ = list;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(list),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  TOOLINFOW tool = Tool(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RowTooltip::Destroy() {
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  list_ = nullptr;
}

void RowTooltip::SetText(const std::wstring& text) {
  if (!tooltip_) return;
  TOOLINFOW tool = Tool(text.c_str());
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RowTooltip::Hide() {
  if (!tooltip_) return;
  SendMessageW(tooltip_, TTM_POP, 0, 0);
  // A tool without text shows nothing.
  SetText(L"");
}

void RowTooltip::Relay(UINT message, WPARAM wparam, LPARAM lparam) const {
  if (!tooltip_) return;
  MSG msg{list_, message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
  SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

TOOLINFOW RowTooltip::Tool(const wchar_t* text) const {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(list_);
  tool.uId = reinterpret_cast<UINT_PTR>(list_);
  tool.lpszText = const_cast<wchar_t*>(text);
  return tool;
}

}  // namespace tessaro
