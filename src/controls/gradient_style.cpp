// Style 3: a vertical gradient inside a dark blue border with clipped
// corners, shaded edges, and a light blue ring on the focused or default
// button.
#include "controls/button_styles.h"

namespace tessaro {

namespace {

constexpr COLORREF kBorderBlue = RGB(0, 60, 115);
constexpr COLORREF kCornerBlue = RGB(16, 77, 123);

COLORREF B(COLORREF color, int n) { return ShiftColor(color, n, true); }

// Coordinates below zero count from the far edge: -2 is W-2 or H-2.
struct Edge {
  int x1, y1, x2, y2;
  int shift;  // of the base colour, scaled
};

constexpr Edge kNormalShading[] = {
    {2, -2, -2, -2, -48}, {1, -3, -2, -3, -32}, {-2, 2, -2, -2, -36}, {-3, 3, -3, -3, -24},
    {2, 1, -2, 1, 16},    {1, 2, -2, 2, 10},    {1, 2, 1, -2, -5},    {2, 3, 2, -3, -10},
};

constexpr Edge kPressedShading[] = {
    {2, -2, -2, -2, 16}, {1, -3, -2, -3, 10}, {-2, 2, -2, -2, 5},  {-3, 3, -3, -3, 0},
    {2, 1, -2, 1, -32},  {1, 2, -2, 2, -24},  {1, 2, 1, -2, -32},  {2, 2, 2, -2, -22},
};

int At(int coordinate, int size) { return coordinate < 0 ? size + coordinate : coordinate; }

template <size_t N>
void Shade(ButtonCanvas& c, COLORREF base, const Edge (&edges)[N]) {
  for (const Edge& e : edges) {
    c.Line(At(e.x1, c.W()), At(e.y1, c.H()), At(e.x2, c.W()), At(e.y2, c.H()), B(base, e.shift));
  }
}

// Row colours step by (total / H) per row in single precision, rounded ties
// to even: the rows darken evenly whatever the height.
COLORREF GradientRow(COLORREF base, int total, int height, int i) {
  const float step = static_cast<float>(total) / static_cast<float>(height);
  return B(base, RoundHalfEven(-static_cast<double>(step) * i));
}

void Border(ButtonCanvas& c, COLORREF line, COLORREF corner) {
  c.RoundedSides(line);
  c.RoundedCorners(corner);
}

void Ring(ButtonCanvas& c) {
  const int W = c.W(), H = c.H();
  constexpr COLORREF kSide = RGB(181, 209, 240);
  c.Frame(1, 2, W - 2, H - 4, RGB(140, 174, 231));
  c.Line(2, H - 2, W - 2, H - 2, RGB(107, 130, 239));
  c.Line(2, 1, W - 2, 1, RGB(206, 231, 255));
  c.Line(1, 2, W - 1, 2, RGB(189, 215, 247));
  c.Line(2, 3, 2, H - 3, kSide);
  c.Line(W - 3, 3, W - 3, H - 3, kSide);
}

void Normal(ButtonCanvas& c) {
  const COLORREF g = B(c.colors().face, 48);
  for (int i = 1; i <= c.H(); ++i) c.Line(0, i, c.W(), i, GradientRow(g, 25, c.H(), i));
  c.SetCaptionColor(c.colors().text);
  c.Caption(false);
  Border(c, kBorderBlue, kCornerBlue);
  if (c.IsDefault() || c.face().focused) {
    Ring(c);
  } else {
    Shade(c, g, kNormalShading);
  }
}

void Pressed(ButtonCanvas& c) {
  const COLORREF z = B(B(c.colors().face, 48), -32);
  const int H = c.H();
  for (int i = 1; i <= H; ++i) c.Line(0, H - i, c.W(), H - i, GradientRow(z, 15, H, i));
  c.SetCaptionColor(c.colors().text);
  c.Caption(true);
  Border(c, kBorderBlue, kCornerBlue);
  Shade(c, z, kPressedShading);
}

void Disabled(ButtonCanvas& c) {
  const COLORREF base = B(c.colors().face, 48);
  c.Fill(0, 0, c.W(), c.H(), B(base, -24));
  c.SetCaptionColor(B(base, -104));
  c.Caption(false);
  Border(c, B(base, -84), B(base, -72));
}

}  // namespace

void PaintGradientStyle(ButtonCanvas& c) {
  switch (c.look()) {
    case Look::kNormal:
      Normal(c);
      break;
    case Look::kPressed:
      Pressed(c);
      break;
    case Look::kDisabled:
      Disabled(c);
      break;
  }
}

}  // namespace tessaro
