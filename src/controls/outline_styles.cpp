// Styles 4 and 5: a face of its own colour inside a dark outline; style 4
// with rounded corners, style 5 flat with a bold caption.
#include "controls/button_styles.h"

namespace tessaro {

namespace {

COLORREF S(COLORREF color, int n) { return ShiftColor(color, n, false); }

// Everything of the raised style 4 look after its face and caption.
void RaisedOutline(ButtonCanvas& c) {
  const int W = c.W(), H = c.H();
  const ButtonColors& k = c.colors();
  c.RoundedSides(k.dark_shadow);
  c.RoundedCorners(k.dark_shadow);
  c.Pixel(1, 2, k.face);
  c.Pixel(2, 1, k.face);
  c.Line(3, 2, W - 3, 2, k.highlight);
  c.Line(2, 2, 2, H - 3, k.highlight);
  c.Pixel(3, 3, k.highlight);
  c.Line(W - 3, 1, W - 3, H - 3, k.face);
  c.Line(1, H - 3, W - 3, H - 3, k.face);
  c.Pixel(W - 4, H - 4, k.face);
  c.Line(W - 2, 3, W - 2, H - 2, k.shadow);
  c.Line(3, H - 2, W - 2, H - 2, k.shadow);
  c.Pixel(W - 3, H - 3, k.shadow);
  c.Pixel(2, H - 2, k.face);
  c.Pixel(2, H - 3, k.light);
  c.Pixel(W - 2, 2, k.face);
  c.Pixel(W - 3, 2, k.light);
}

void SunkenOutline(ButtonCanvas& c) {
  const int W = c.W(), H = c.H();
  const COLORREF shadow = c.colors().shadow;
  const COLORREF darker = S(shadow, -16), darkest = S(shadow, -32), deepest = S(shadow, -64);
  c.RoundedSides(c.colors().dark_shadow);
  c.Frame(1, 1, W - 2, H - 2, deepest);
  c.Frame(2, 2, W - 4, H - 4, darkest);
  c.Pixel(2, 2, deepest);
  c.Pixel(3, 3, darkest);
  c.RoundedCorners(c.colors().dark_shadow);
  c.Line(W - 3, 1, W - 3, H - 3, shadow);
  c.Line(1, H - 3, W - 2, H - 3, shadow);
  c.Pixel(W - 4, H - 4, shadow);
  c.Line(W - 2, 3, W - 2, H - 2, darker);
  c.Line(3, H - 2, W - 2, H - 2, darker);
  c.Pixel(W - 2, H - 3, darkest);
  c.Pixel(W - 3, H - 2, darkest);
  c.Pixel(2, H - 2, darkest);
  c.Pixel(2, H - 3, darker);
  c.Pixel(1, H - 3, darker);
  c.Pixel(W - 2, 2, darkest);
  c.Pixel(W - 3, 2, darker);
  c.Pixel(W - 3, 1, darker);
}

// A frame around the caption itself, where style 5 shows the focus.
void CaptionFrame(ButtonCanvas& c) {
  if (!c.face().focused) return;
  const SIZE text = c.CaptionSize();
  c.Frame((c.W() - text.cx) / 2 - 3, (c.H() - text.cy) / 2 - 1, text.cx + 6, text.cy + 2,
          RGB(153, 153, 204));
}

}  // namespace

void PaintOutlineStyle(ButtonCanvas& c) {
  const ButtonColors& k = c.colors();
  switch (c.look()) {
    case Look::kNormal:
      c.Fill(1, 1, c.W() - 2, c.H() - 2, k.light);
      c.Caption(false);
      RaisedOutline(c);
      break;
    case Look::kPressed:
      c.Fill(1, 1, c.W() - 2, c.H() - 2, S(k.shadow, -16));
      c.SetCaptionColor(k.light);
      c.Caption(true);
      SunkenOutline(c);
      break;
    case Look::kDisabled:
      c.Fill(1, 1, c.W() - 2, c.H() - 2, k.light);
      c.EmbossedCaption();
      RaisedOutline(c);
      break;
  }
}

void PaintFlatStyle(ButtonCanvas& c) {
  const int W = c.W(), H = c.H();
  const ButtonColors& k = c.colors();
  // The bold copy goes with this scope, leaving the font's own weight.
  BoldCaption bold(c.dc());
  switch (c.look()) {
    case Look::kNormal:
      c.Fill(1, 1, W - 1, H - 1, S(k.face, 12));
      c.Caption(false);
      c.Frame(1, 1, W - 1, H - 1, k.highlight);
      c.Frame(0, 0, W - 1, H - 1, S(k.shadow, -26));
      c.Pixel(1, H - 2, S(k.shadow, 26));
      c.Pixel(W - 2, 1, S(k.shadow, 26));
      CaptionFrame(c);
      break;
    case Look::kPressed:
      c.Fill(1, 1, W - 2, H - 2, S(k.shadow, 16));
      c.Frame(0, 0, W - 1, H - 1, S(k.shadow, -26));
      c.Line(W - 1, 1, W - 1, H, k.highlight);
      c.Line(1, H - 1, W - 1, H - 1, k.highlight);
      c.Caption(false);  // the caption stays where it was
      CaptionFrame(c);
      break;
    case Look::kDisabled:
      c.SetCaptionColor(k.shadow);
      c.Caption(false);
      c.Frame(0, 0, W, H, k.shadow);
      break;
  }
}

}  // namespace tessaro
