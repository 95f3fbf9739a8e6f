// The drawing primitives the button styles are written in: one-pixel lines
// (end point excluded), outlines, fills and pixels in a colour, and the
// caption centred in the full or the pressed rectangle.
#pragma once

#include <windows.h>

#include "controls/button_painter.h"
#include "win32/gdi.h"

namespace tessaro {

enum class Look { kNormal, kPressed, kDisabled };

class ButtonCanvas {
 public:
  // Selects the face's font with transparent text in the caption colour; the
  // DC gets its previous state back when the canvas goes.
  ButtonCanvas(HDC dc, const ButtonFace& face);
  ButtonCanvas(const ButtonCanvas&) = delete;
  ButtonCanvas& operator=(const ButtonCanvas&) = delete;
  ~ButtonCanvas();

  HDC dc() const { return dc_; }
  const ButtonFace& face() const { return face_; }
  const ButtonColors& colors() const { return face_.colors; }
  int W() const { return face_.width; }
  int H() const { return face_.height; }
  Look look() const;
  // ShowFocusRect with the container reporting the button as its default.
  bool IsDefault() const { return face_.show_focus_rect && face_.is_default; }

  void Line(int x1, int y1, int x2, int y2, COLORREF color);
  void Frame(int x, int y, int width, int height, COLORREF color);
  void Fill(int x, int y, int width, int height, COLORREF color);
  void Pixel(int x, int y, COLORREF color);
  // A rounded outline in two parts: the four sides, stopping two pixels
  // short of each corner, and the four pixels one in from the corners.
  void RoundedSides(COLORREF color);
  void RoundedCorners(COLORREF color);

  void SetCaptionColor(COLORREF color);
  // The caption in the full rectangle (0,0,W,H) or, pressed, in (2,2,W,H).
  void Caption(bool pressed);
  // The caption once in highlight, offset, then in shadow over it.
  void EmbossedCaption();
  // The caption's size as drawn, in the font selected now.
  SIZE CaptionSize();
  // The dotted focus rectangle (4,4,W-4,H-4) in the text colour, when focused.
  void FocusRect();

 private:
  HDC dc_;
  const ButtonFace& face_;
  int saved_;
};

// Draws the caption in a bold copy of the current font while it lives.
class BoldCaption {
 public:
  explicit BoldCaption(HDC dc);

 private:
  Font font_;
  SelectGuard select_;
};

}  // namespace tessaro
