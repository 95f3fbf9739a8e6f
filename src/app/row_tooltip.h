// The tooltip of a list window: one tool covering the whole list, whose text
// the owner changes as the pointer moves from row to row.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tessaro {

class RowTooltip {
 public:
  RowTooltip() = default;
  RowTooltip(const RowTooltip&) = delete;
  RowTooltip& operator=(const RowTooltip&) = delete;
  ~RowTooltip() { Destroy(); }

  void Create(HWND list);
  // The tooltip belongs to the list's top-level window and is gone once that
  // window is destroyed; destroying it here covers every other path.
  void Destroy();

  HWND get() const { return tooltip_; }
  void SetText(const std::wstring& text);
  // Takes the tip off the screen and forgets its text, until SetText.
  void Hide();
  // Lets the tooltip see the list's mouse messages, which time its showing.
  void Relay(UINT message, WPARAM wparam, LPARAM lparam) const;

 private:
  TOOLINFOW Tool(const wchar_t* text) const;

  HWND tooltip_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace tessaro
