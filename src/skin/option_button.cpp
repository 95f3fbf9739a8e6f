#include "skin/option_button.h"

#include "controls/gdi.h"
#include "skin/centre.h"
#include "skin/mark_button.h"
#include "skin/primitives.h"

namespace tessaro::skin {

bool PaintOptionButton(HWND window, int state, bool forced) {
  if (!ChangeMarkState(window, state, forced)) return false;
  const SIZE glyph = MarkGlyphSize();
  const WindowDC window_dc(window);
  DrawOptionGlyph(window_dc.get(), CentreOffset(GetWindowBox(window).height, glyph.cy), glyph.cx, glyph.cy,
                  CurrentMarkLook(window));
  return true;
}

}  // namespace tessaro::skin
