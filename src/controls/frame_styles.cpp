// Styles 1, 2, 6 and 7: a flat face framed by lighter top-left and darker
// bottom-right lines.
#include "controls/button_styles.h"

namespace tessaro {

namespace {

// Two outlines from (1,1) and (2,2) in the lit colours, then the right and
// bottom edges of both in the shade colours.
void InsetBevel(ButtonCanvas& c, COLORREF outer_lit, COLORREF inner_lit, COLORREF outer_shade,
                COLORREF inner_shade) {
  const int W = c.W(), H = c.H();
  c.Frame(1, 1, W - 2, H - 2, outer_lit);
  c.Frame(2, 2, W - 4, H - 4, inner_lit);
  c.Line(W - 2, 1, W - 2, H - 1, outer_shade);
  c.Line(W - 3, 2, W - 3, H - 1, inner_shade);
  c.Line(1, H - 2, W - 1, H - 2, outer_shade);
  c.Line(2, H - 3, W - 2, H - 3, inner_shade);
}

// The standard two-pixel bevel at the window's edge.
void EdgeBevel(ButtonCanvas& c, COLORREF outer_lit, COLORREF inner_lit, COLORREF outer_shade,
               COLORREF inner_shade) {
  const int W = c.W(), H = c.H();
  c.Frame(0, 0, W - 1, H - 1, outer_lit);
  c.Frame(1, 1, W - 2, H - 2, inner_lit);
  c.Line(W - 1, 0, W - 1, H, outer_shade);
  c.Line(W - 2, 1, W - 2, H - 1, inner_shade);
  c.Line(0, H - 1, W - 1, H - 1, outer_shade);
  c.Line(1, H - 2, W - 2, H - 2, inner_shade);
}

void ThickFrame(ButtonCanvas& c, COLORREF lit, COLORREF shade) {
  const int W = c.W(), H = c.H();
  const COLORREF dark = c.colors().dark_shadow;
  c.Line(1, 0, W - 1, 0, dark);
  c.Line(1, H - 1, W - 1, H - 1, dark);
  c.Line(0, 1, 0, H - 1, dark);
  c.Line(W - 1, 1, W - 1, H - 1, dark);
  InsetBevel(c, lit, lit, shade, shade);
}

void SoftFrame(ButtonCanvas& c, COLORREF lit, COLORREF shade) {
  const int W = c.W(), H = c.H();
  c.Frame(0, 0, W, H, lit);
  c.Frame(1, 1, W - 2, H - 2, lit);
  c.Line(W - 1, 0, W - 1, H, shade);
  c.Line(W - 2, 1, W - 2, H - 1, shade);
  c.Line(0, H - 1, W, H - 1, shade);
  c.Line(1, H - 2, W - 1, H - 2, shade);
}

void ThinFrame(ButtonCanvas& c, COLORREF lit, COLORREF shade) {
  const int W = c.W(), H = c.H();
  c.Frame(0, 0, W, H, lit);
  c.Line(W - 1, 0, W - 1, H, shade);
  c.Line(0, H - 1, W, H - 1, shade);
}

}  // namespace

void PaintThickFrameStyle(ButtonCanvas& c) {
  const ButtonColors& k = c.colors();
  switch (c.look()) {
    case Look::kNormal:
      c.Caption(false);
      ThickFrame(c, k.highlight, k.shadow);
      c.FocusRect();
      break;
    case Look::kPressed:
      c.Caption(true);
      ThickFrame(c, k.shadow, k.highlight);
      c.FocusRect();
      break;
    case Look::kDisabled:
      c.EmbossedCaption();
      ThickFrame(c, k.highlight, k.shadow);
      break;
  }
}

void PaintStandardStyle(ButtonCanvas& c) {
  const ButtonColors& k = c.colors();
  switch (c.look()) {
    case Look::kNormal:
      c.Caption(false);
      if (c.IsDefault()) {
        InsetBevel(c, k.highlight, k.light, k.dark_shadow, k.shadow);
        c.FocusRect();
        c.Frame(0, 0, c.W(), c.H(), k.dark_shadow);
      } else {
        EdgeBevel(c, k.highlight, k.light, k.dark_shadow, k.shadow);
      }
      break;
    case Look::kPressed:
      c.Caption(true);
      if (c.face().show_focus_rect) {
        c.Frame(0, 0, c.W(), c.H(), k.dark_shadow);
        c.Frame(1, 1, c.W() - 2, c.H() - 2, k.shadow);
        c.FocusRect();
      } else {
        EdgeBevel(c, k.dark_shadow, k.shadow, k.highlight, k.light);
      }
      break;
    case Look::kDisabled:
      c.EmbossedCaption();
      EdgeBevel(c, k.highlight, k.light, k.dark_shadow, k.shadow);
      break;
  }
}

void PaintSoftFrameStyle(ButtonCanvas& c) {
  const ButtonColors& k = c.colors();
  const COLORREF lit = ShiftColor(k.light, 8, false);
  switch (c.look()) {
    case Look::kNormal:
      c.Caption(false);
      SoftFrame(c, lit, k.shadow);
      c.FocusRect();
      break;
    case Look::kPressed:
      c.Caption(true);
      SoftFrame(c, k.shadow, lit);
      c.FocusRect();
      break;
    case Look::kDisabled:
      c.SetCaptionColor(k.shadow);
      c.Caption(false);
      SoftFrame(c, lit, k.shadow);
      break;
  }
}

void PaintThinFrameStyle(ButtonCanvas& c) {
  const ButtonColors& k = c.colors();
  switch (c.look()) {
    case Look::kNormal:
      c.Caption(false);
      ThinFrame(c, k.highlight, k.shadow);
      c.FocusRect();
      break;
    case Look::kPressed:
      c.Caption(true);
      ThinFrame(c, k.shadow, k.highlight);
      c.FocusRect();
      break;
    case Look::kDisabled:
      c.EmbossedCaption();
      ThinFrame(c, k.highlight, k.shadow);
      break;
  }
}

}  // namespace tessaro
