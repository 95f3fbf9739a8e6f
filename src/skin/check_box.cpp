#include "skin/check_box.h"

#include "skin/mark_button.h"

namespace tessaro::skin {

bool PaintCheckBox(HWND window, int state, bool forced) {
  if (!ChangeMarkState(window, state, forced)) return false;
  PaintMarkGlyph(window, nullptr, &DrawCheckGlyph);
  return true;
}

}  // namespace tessaro::skin
