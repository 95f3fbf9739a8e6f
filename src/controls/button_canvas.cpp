#include "controls/button_canvas.h"

namespace tessaro {

namespace {

constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;

Font BoldCopy(HDC dc) {
  LOGFONTW font{};
  if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font)) return Font();
  font.lfWeight = FW_BOLD;
  return Font(CreateFontIndirectW(&font));
}

}  // namespace

ButtonCanvas::ButtonCanvas(HDC dc, const ButtonFace& face) : dc_(dc), face_(face), saved_(SaveDC(dc)) {
  if (face.font) SelectObject(dc, face.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, face.colors.text);
}

ButtonCanvas::~ButtonCanvas() { RestoreDC(dc_, saved_); }

Look ButtonCanvas::look() const {
  if (!face_.enabled) return Look::kDisabled;
  return face_.state == ButtonState::kPressed ? Look::kPressed : Look::kNormal;
}

void ButtonCanvas::Line(int x1, int y1, int x2, int y2, COLORREF color) {
  Pen pen(CreatePen(PS_SOLID, 1, color));
  SelectGuard select(dc_, pen.get());
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void ButtonCanvas::Frame(int x, int y, int width, int height, COLORREF color) {
  if (width <= 0 || height <= 0) return;
  const RECT rect{x, y, x + width, y + height};
  Brush brush(CreateSolidBrush(color));
  FrameRect(dc_, &rect, brush.get());
}

void ButtonCanvas::Fill(int x, int y, int width, int height, COLORREF color) {
  if (width <= 0 || height <= 0) return;
  const RECT rect{x, y, x + width, y + height};
  Brush brush(CreateSolidBrush(color));
  FillRect(dc_, &rect, brush.get());
}

void ButtonCanvas::Pixel(int x, int y, COLORREF color) { SetPixelV(dc_, x, y, color); }

void ButtonCanvas::RoundedSides(COLORREF color) {
  Line(2, 0, W() - 2, 0, color);
  Line(2, H() - 1, W() - 2, H() - 1, color);
  Line(0, 2, 0, H() - 2, color);
  Line(W() - 1, 2, W() - 1, H() - 2, color);
}

void ButtonCanvas::RoundedCorners(COLORREF color) {
  Pixel(1, 1, color);
  Pixel(1, H() - 2, color);
  Pixel(W() - 2, 1, color);
  Pixel(W() - 2, H() - 2, color);
}

void ButtonCanvas::SetCaptionColor(COLORREF color) { SetTextColor(dc_, color); }

void ButtonCanvas::Caption(bool pressed) {
  const int offset = pressed ? 2 : 0;
  RECT rect{offset, offset, W(), H()};
  DrawTextW(dc_, face_.caption.data(), static_cast<int>(face_.caption.size()), &rect, kCaptionFormat);
}

void ButtonCanvas::EmbossedCaption() {
  SetCaptionColor(colors().highlight);
  Caption(true);
  SetCaptionColor(colors().shadow);
  Caption(false);
}

SIZE ButtonCanvas::CaptionSize() {
  // Measured from the origin: centring would move the rectangle, not size it.
  RECT rect{0, 0, W(), H()};
  DrawTextW(dc_, face_.caption.data(), static_cast<int>(face_.caption.size()), &rect,
            DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void ButtonCanvas::FocusRect() {
  if (!face_.focused) return;
  // Not DrawFocusRect: Wine XORs it with the window-text colour, which on a
  // black-text system leaves every pixel as it was. The surface is painted
  // afresh each time, so the dots need no XOR to be taken away again.
  const int left = 4, top = 4, right = W() - 5, bottom = H() - 5;
  if (right < left || bottom < top) return;
  const auto dot = [this](int x, int y) {
    if ((x + y) % 2 == 0) SetPixelV(dc_, x, y, colors().text);
  };
  for (int x = left; x <= right; ++x) {
    dot(x, top);
    dot(x, bottom);
  }
  for (int y = top; y <= bottom; ++y) {
    dot(left, y);
    dot(right, y);
  }
}

BoldCaption::BoldCaption(HDC dc) : font_(BoldCopy(dc)), select_(dc, font_.get()) {}

}  // namespace tessaro
