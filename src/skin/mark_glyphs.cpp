#include "skin/mark_glyphs.h"

#include "skin/centre.h"
#include "skin/skin_state.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"
#include "skin/sliced_copy.h"

namespace tessaro::skin {
namespace {

// A band of the option discs stretched over the inside of the box.
void StretchPart(HDC dc, int left, int top, int width, int height, const ImagePart& part) {
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, left, top, width, height, ImageDC(SkinImage::OptionDiscs), part.left, part.top, part.width,
             part.height, SRCCOPY);
}

void CopyCentred(HDC dc, int top, int width, int height, const ImagePart& part) {
  TransparentCopy(dc, CentreOffset(width, part.width), top + CentreOffset(height, part.height), part.width,
                  part.height, ImageDC(SkinImage::MarkGlyphs), part.left, part.top, kKeyColour);
}

}  // namespace

SIZE MarkGlyphSize() { return {GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)}; }

void DrawCheckGlyph(HDC dc, int top, int width, int height, const MarkLook& look) {
  FillBox(dc, 0, top, width, height, kWhite);
  if (!look.enabled) {
    FrameBox(dc, 0, top, width, height, kBorderDisabled);
  } else {
    FrameBox(dc, 0, top, width, height, look.state == 2 ? kPressedCheckFrame : kBorderEnabled);
    if (look.state == 1) StretchPart(dc, 1, top + 1, width - 2, height - 2, parts::kHoverBand);
    if (look.state == 2) StretchPart(dc, 1, top + 1, width - 2, height - 2, parts::kPressedBand);
  }
  if (look.check == BST_CHECKED)
    CopyCentred(dc, top, width, height, look.enabled ? parts::kCheckMark : parts::kCheckMarkDisabled);
  if (look.check == BST_INDETERMINATE)
    CopyCentred(dc, top, width, height, look.enabled ? parts::kSquare : parts::kSquareDisabled);
}

void DrawOptionGlyph(HDC dc, int top, int width, int height, const MarkLook& look) {
  const ImagePart disc = parts::OptionDisc(look.enabled ? look.state : 3);
  DrawSliced(dc, 0, top, width, height, ImageDC(SkinImage::OptionDiscs), disc, {5, 5, 5, 5}, kKeyColour);
  if (look.check == BST_CHECKED) CopyCentred(dc, top, width, height, look.enabled ? parts::kDot : parts::kDotDisabled);
}

}  // namespace tessaro::skin
