#include "skin/option_button.h"

#include "skin/mark_button.h"

namespace tessaro::skin {

bool PaintOptionButton(HWND window, int state, bool forced) {
  if (!ChangeMarkState(window, state, forced)) return false;
  PaintMarkGlyph(window, nullptr, &DrawOptionGlyph);
  return true;
}

}  // namespace tessaro::skin
