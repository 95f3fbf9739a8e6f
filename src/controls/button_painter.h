// Paints a button face, in any of its seven styles and three looks, into a
// device context. Everything it needs comes in one plain struct, so the same
// routine serves the control's surface and tests that render into a bitmap.
#pragma once

#include <windows.h>

#include <string_view>

#include "controls/color_shift.h"

namespace tessaro {

enum class ButtonState { kNormal = 0, kPressed = 2 };

struct ButtonFace {
  int type = 0;  // drawing style 1..7; other values paint only the face colour
  int width = 0;
  int height = 0;
  ButtonColors colors;
  std::wstring_view caption;
  HFONT font = nullptr;  // nullptr: the font selected into the DC
  bool enabled = true;
  ButtonState state = ButtonState::kNormal;
  bool focused = false;  // has the focus and may show it (ShowFocusRect)
  bool show_focus_rect = true;
  bool is_default = false;  // the container reports it as its default button
};

void PaintButton(HDC dc, const ButtonFace& face);

}  // namespace tessaro
