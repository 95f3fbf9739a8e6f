#include "skin/check_box.h"

#include "controls/gdi.h"
#include "skin/centre.h"
#include "skin/mark_button.h"
#include "skin/mem_surface.h"
#include "skin/primitives.h"

namespace tessaro::skin {

bool PaintCheckBox(HWND window, int state, bool forced) {
  if (!ChangeMarkState(window, state, forced)) return false;
  const SIZE glyph = MarkGlyphSize();
  const Surface surface = CreateMemSurface(glyph.cx, glyph.cy);
  if (!surface) return true;
  DrawCheckGlyph(surface.dc(), 0, glyph.cx, glyph.cy, CurrentMarkLook(window));
  const WindowDC window_dc(window);
  BitBlt(window_dc.get(), 0, CentreOffset(GetWindowBox(window).height, glyph.cy), glyph.cx, glyph.cy, surface.dc(), 0,
         0, SRCCOPY);
  return true;
}

}  // namespace tessaro::skin
