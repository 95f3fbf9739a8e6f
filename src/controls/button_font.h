// Conversions between the stored font of a button and a GDI font at the
// screen's real DPI.
#pragma once

#include <windows.h>

#include "win32/gdi.h"
#include "controls/property_bag.h"

namespace tessaro {

// Logical pixels per inch of the screen, vertically.
int ScreenDpi();

Font CreateFontFromSpec(const FontSpec& spec, int dpi);

// The stored form of font; an empty spec when font is not a font.
FontSpec FontSpecOf(HFONT font, int dpi);

}  // namespace tessaro
