#include "skin/sliced_copy.h"

#include <algorithm>

#include "win32/gdi.h"
#include "skin/mem_surface.h"

namespace tessaro::skin {
namespace {

// One piece of the nine: a plain copy when the sizes agree, else a stretch.
// Pieces that come out empty or inverted (margins wider than the target)
// are skipped: a negative extent would mirror the picture.
void CopyPiece(HDC target, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  if (w == sw && h == sh) {
    BitBlt(target, x, y, w, h, source, sx, sy, SRCCOPY);
  } else {
    StretchBlt(target, x, y, w, h, source, sx, sy, sw, sh, SRCCOPY);
  }
}

}  // namespace

bool DrawSliced(HDC destination, int left, int top, int width, int height, HDC source, const ImagePart& part,
                const Margins& margins, std::optional<COLORREF> key) {
  if (width == 0 || height == 0 || part.width == 0 || part.height == 0) return false;
  const Surface surface = CreateMemSurface(width, height);
  if (!surface) return false;
  HDC canvas = surface.dc();
  // Shrinking with the default mode ANDs neighbouring colour pixels together;
  // dropping them keeps the colours true.
  SetStretchBltMode(canvas, COLORONCOLOR);

  const int l = std::max(margins.left, 0), t = std::max(margins.top, 0);
  const int r = std::max(margins.right, 0), b = std::max(margins.bottom, 0);
  const int sx = part.left, sy = part.top, sw = part.width, sh = part.height;
  const int w = width, h = height;
  CopyPiece(canvas, 0, 0, l, t, source, sx, sy, l, t);
  CopyPiece(canvas, w - r, 0, r, t, source, sx + sw - r, sy, r, t);
  CopyPiece(canvas, 0, h - b, l, b, source, sx, sy + sh - b, l, b);
  CopyPiece(canvas, w - r, h - b, r, b, source, sx + sw - r, sy + sh - b, r, b);
  CopyPiece(canvas, 0, t, l, h - t - b, source, sx, sy + t, l, sh - t - b);
  CopyPiece(canvas, w - r, t, r, h - t - b, source, sx + sw - r, sy + t, r, sh - t - b);
  CopyPiece(canvas, l, 0, w - l - r, t, source, sx + l, sy, sw - l - r, t);
  CopyPiece(canvas, l, h - b, w - l - r, b, source, sx + l, sy + sh - b, sw - l - r, b);
  CopyPiece(canvas, l, t, w - l - r, h - t - b, source, sx + l, sy + t, sw - l - r, sh - t - b);

  if (!key) return BitBlt(destination, left, top, w, h, canvas, 0, 0, SRCCOPY);
  TransparentCopy(destination, left, top, w, h, canvas, 0, 0, *key);
  return true;
}

void TransparentCopy(HDC destination, int left, int top, int width, int height, HDC source, int source_left,
                     int source_top, COLORREF key) {
  // A copy of what lies under the picture, and one of the picture.
  const Surface under = CreateMemSurface(width, height);
  const Surface picture = CreateMemSurface(width, height);
  if (!under || !picture) return;
  BitBlt(under.dc(), 0, 0, width, height, destination, left, top, SRCCOPY);
  BitBlt(picture.dc(), 0, 0, width, height, source, source_left, source_top, SRCCOPY);

  // Mask: 1 where the picture shows the key colour. A colour-to-monochrome
  // copy sets the bits that match the source's background colour.
  OwnedDC mask_dc(CreateCompatibleDC(destination));
  const Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  if (!mask_dc || !mask) return;
  const SelectGuard mask_selected(mask_dc.get(), mask.get());
  SetBkColor(picture.dc(), key & 0xFFFFFF);
  BitBlt(mask_dc.get(), 0, 0, width, height, picture.dc(), 0, 0, SRCCOPY);

  // Monochrome to colour maps 1 to the background colour and 0 to the text
  // colour of the target: blacken the key pixels of the picture, blacken the
  // other pixels of the copy underneath, then OR the two together.
  for (HDC dc : {picture.dc(), under.dc()}) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
  }
  constexpr DWORD kDestinationAndNotSource = 0x220326;
  BitBlt(picture.dc(), 0, 0, width, height, mask_dc.get(), 0, 0, kDestinationAndNotSource);
  BitBlt(under.dc(), 0, 0, width, height, mask_dc.get(), 0, 0, SRCAND);
  BitBlt(under.dc(), 0, 0, width, height, picture.dc(), 0, 0, SRCPAINT);
  BitBlt(destination, left, top, width, height, under.dc(), 0, 0, SRCCOPY);
}

}  // namespace tessaro::skin
