// A 32-bit top-down bitmap with a memory DC, for rendering a button and
// reading back exact pixel colours.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "win32/gdi.h"

namespace tessaro::testing {

class Dib {
 public:
  // Every pixel starts as fill, a colour no button paints.
  Dib(int width, int height, COLORREF fill = RGB(255, 0, 255));
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;
  ~Dib();

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const;
  // Pixels of exactly this colour (in area, or anywhere), and the rectangle
  // around them (empty when none).
  int Count(COLORREF color) const;
  int Count(COLORREF color, const RECT& area) const;
  RECT Bounds(COLORREF color) const;
  // A BMP file to look at.
  bool Save(const std::wstring& path) const;

 private:
  int width_;
  int height_;
  std::uint32_t* bits_ = nullptr;
  OwnedDC dc_;
  Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace tessaro::testing
