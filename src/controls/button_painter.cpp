#include "controls/button_painter.h"

#include <iterator>

#include "controls/button_styles.h"

namespace tessaro {

namespace {

using StylePainter = void (*)(ButtonCanvas&);

constexpr StylePainter kStyles[] = {
    PaintThickFrameStyle, PaintStandardStyle,  PaintGradientStyle,  PaintOutlineStyle,
    PaintFlatStyle,       PaintSoftFrameStyle, PaintThinFrameStyle,
};

}  // namespace

void PaintButton(HDC dc, const ButtonFace& face) {
  ButtonCanvas canvas(dc, face);
  canvas.Fill(0, 0, face.width, face.height, face.colors.face);
  if (face.type < 1 || face.type > static_cast<int>(std::size(kStyles))) return;
  kStyles[face.type - 1](canvas);
}

}  // namespace tessaro
