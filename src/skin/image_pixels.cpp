#include "skin/image_pixels.h"

#include <initializer_list>

#include "skin/skin_colors.h"

namespace tessaro::skin {
namespace {

struct Gradient {
  COLORREF top, bottom;
};

// Linear blend from top (at 0) to bottom (at span - 1).
COLORREF Blend(const Gradient& g, int at, int span) {
  const auto mix = [&](int a, int b) { return a + (b - a) * at / (span > 1 ? span - 1 : 1); };
  return RGB(mix(GetRValue(g.top), GetRValue(g.bottom)), mix(GetGValue(g.top), GetGValue(g.bottom)),
             mix(GetBValue(g.top), GetBValue(g.bottom)));
}

// --- ButtonFaces: four 7 x 21 rounded faces, normal, hover, pressed, disabled.
struct FaceLook {
  COLORREF edge, corner, ring;  // ring == key colour: no inner ring
  Gradient fill;
};
constexpr FaceLook kFaces[] = {
    {RGB(27, 143, 213), RGB(191, 225, 249), kKeyColour, {kWhite, RGB(177, 208, 234)}},
    {RGB(27, 143, 213), RGB(191, 225, 249), RGB(74, 194, 251), {RGB(198, 237, 255), RGB(167, 212, 242)}},
    {RGB(27, 143, 213), RGB(191, 225, 249), kKeyColour, {RGB(134, 204, 243), RGB(195, 234, 253)}},
    {RGB(135, 195, 232), RGB(222, 238, 249), kKeyColour, {RGB(248, 251, 253), RGB(210, 227, 243)}},
};

COLORREF ButtonFacePixel(int x, int y) {
  const int w = parts::kButtonFaceWidth, h = parts::kButtonFaceHeight;
  const FaceLook& look = kFaces[y / h];
  y %= h;
  const bool edge_x = x == 0 || x == w - 1, edge_y = y == 0 || y == h - 1;
  if (edge_x && edge_y) return look.corner;
  if (edge_x || edge_y) return look.edge;
  const bool ring = x == 1 || x == w - 2 || y == 1 || y == h - 2;
  if (ring && look.ring != kKeyColour) return look.ring;
  return Blend(look.fill, y - 1, h - 2);
}

// --- DropButtonParts: two 4 x 18 background strips, then the two arrows.
COLORREF DropButtonPixel(int x, int y) {
  constexpr COLORREF kStripEdge = RGB(78, 160, 209);
  constexpr Gradient kHover{RGB(232, 249, 255), RGB(192, 225, 243)};
  constexpr Gradient kPressed{kHover.bottom, kHover.top};
  if (x < 8) {
    if (x % 4 == 0) return kStripEdge;
    return Blend(x < 4 ? kHover : kPressed, y, 18);
  }
  if (y >= 8) return kKeyColour;
  // Arrow rows are 7, 5, 3 and 1 pixels wide, centred in 7 columns.
  const int row = y % 4, column = x - 8;
  if (column < row || column > 6 - row) return kKeyColour;
  return y < 4 ? RGB(25, 85, 95) : RGB(132, 165, 172);
}

// --- MarkGlyphs: check mark, indeterminate square and option dot, each
// enabled (left) and disabled (right).
constexpr const char* kCheckMarkRows[] = {
    "........#",
    ".......##",
    "#.....###",
    "##...###.",
    "###.###..",
    ".#####...",
    "..###....",
    "...#.....",
};
constexpr const char* kDotRows[] = {".###.", "#####", "#####", "#####", ".###."};
constexpr Gradient kGreen{RGB(84, 183, 29), RGB(72, 169, 19)};
constexpr COLORREF kPaleGreen = RGB(166, 217, 139);

COLORREF Mark(bool disabled, int row, int rows) { return disabled ? kPaleGreen : Blend(kGreen, row, rows); }

bool Inside(const ImagePart& part, int x, int y) {
  return x >= part.left && x < part.left + part.width && y >= part.top && y < part.top + part.height;
}

COLORREF MarkGlyphPixel(int x, int y) {
  for (const bool disabled : {false, true}) {
    const ImagePart check = disabled ? parts::kCheckMarkDisabled : parts::kCheckMark;
    const ImagePart square = disabled ? parts::kSquareDisabled : parts::kSquare;
    const ImagePart dot = disabled ? parts::kDotDisabled : parts::kDot;
    if (Inside(check, x, y) && kCheckMarkRows[y - check.top][x - check.left] == '#')
      return Mark(disabled, y - check.top, check.height);
    if (Inside(square, x, y)) return Mark(disabled, y - square.top, square.height);
    if (Inside(dot, x, y) && kDotRows[y - dot.top][x - dot.left] == '#') return Mark(disabled, y - dot.top, dot.height);
  }
  return kKeyColour;
}

// --- OptionDiscs: four 13 x 13 discs. Squared distances from the centre
// pixel decide: beyond 42 lies outside the disc, beyond 30 the rim. The rim
// stays clear of rows 4 to 8 at columns 1 to 11, the bands check boxes use.
struct DiscLook {
  COLORREF rim, centre;
};
constexpr DiscLook kDiscs[] = {
    {RGB(131, 166, 210), kWhite},
    {RGB(131, 166, 210), RGB(207, 238, 250)},
    {RGB(100, 137, 193), RGB(188, 231, 248)},
    {RGB(193, 210, 232), kWhite},
};

COLORREF OptionDiscPixel(int x, int y) {
  const DiscLook& look = kDiscs[y / 13];
  const int dx = x - 6, dy = y % 13 - 6, distance = dx * dx + dy * dy;
  if (distance > 42) return kKeyColour;
  return distance > 30 ? look.rim : look.centre;
}

// --- HeaderFaces: three 3 x 20 faces; light column, fill, separator.
constexpr COLORREF kHeaderColumns[3][3] = {
    {RGB(237, 245, 251), RGB(211, 229, 246), RGB(122, 176, 217)},
    {RGB(94, 194, 250), RGB(175, 225, 253), RGB(75, 162, 219)},
    {RGB(118, 178, 224), RGB(150, 202, 238), RGB(75, 162, 219)},
};

COLORREF HeaderPixel(int x, int y) {
  if (y == 19) return RGB(192, 218, 242);
  return kHeaderColumns[x / 3][x % 3];
}

}  // namespace

SIZE ImageSize(SkinImage image) {
  switch (image) {
    case SkinImage::ButtonFaces: return {7, 84};
    case SkinImage::DropButtonParts: return {15, 18};
    case SkinImage::MarkGlyphs: return {18, 24};
    case SkinImage::OptionDiscs: return {13, 52};
    case SkinImage::HeaderFaces: return {9, 20};
  }
  return {0, 0};
}

COLORREF ImagePixel(SkinImage image, int x, int y) {
  switch (image) {
    case SkinImage::ButtonFaces: return ButtonFacePixel(x, y);
    case SkinImage::DropButtonParts: return DropButtonPixel(x, y);
    case SkinImage::MarkGlyphs: return MarkGlyphPixel(x, y);
    case SkinImage::OptionDiscs: return OptionDiscPixel(x, y);
    case SkinImage::HeaderFaces: return HeaderPixel(x, y);
  }
  return kKeyColour;
}

}  // namespace tessaro::skin
