#include "controls/button_font.h"

#include <cmath>
#include <cwchar>

namespace tessaro {

int ScreenDpi() {
  WindowDC screen(nullptr);
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

Font CreateFontFromSpec(const FontSpec& spec, int dpi) {
  LOGFONTW font{};
  // Tenths of a point, so that 7.5 and 10.5 pt keep their half point.
  font.lfHeight = -MulDiv(static_cast<int>(std::lround(spec.points * 10)), dpi, 720);
  font.lfWeight = spec.weight;
  font.lfItalic = spec.italic;
  font.lfUnderline = spec.underline;
  font.lfStrikeOut = spec.strikeout;
  font.lfCharSet = spec.charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  wcsncpy_s(font.lfFaceName, spec.face.c_str(), _TRUNCATE);
  return Font(CreateFontIndirectW(&font));
}

FontSpec FontSpecOf(HFONT font, int dpi) {
  LOGFONTW logical{};
  if (!font || !GetObjectW(font, sizeof(logical), &logical)) return FontSpec();
  FontSpec spec;
  spec.face = logical.lfFaceName;
  // A positive height is the cell height; the character height is close
  // enough to it for a caption.
  spec.points = std::abs(logical.lfHeight) * 72.0 / dpi;
  spec.weight = logical.lfWeight == FW_DONTCARE ? FW_NORMAL : static_cast<int>(logical.lfWeight);
  spec.italic = logical.lfItalic != 0;
  spec.underline = logical.lfUnderline != 0;
  spec.strikeout = logical.lfStrikeOut != 0;
  spec.charset = logical.lfCharSet;
  return spec;
}

}  // namespace tessaro
