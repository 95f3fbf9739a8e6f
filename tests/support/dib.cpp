#include "dib.h"

#include <algorithm>
#include <cstdio>

namespace tessaro::testing {

namespace {

BITMAPINFO Header(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

Dib::Dib(int width, int height, COLORREF fill) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
  const BITMAPINFO info = Header(width, height);
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<std::uint32_t*>(bits);
  previous_ = SelectObject(dc_.get(), bitmap_.get());
  const std::uint32_t pixel = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
  for (int i = 0; i < width * height; ++i) bits_[i] = pixel;
}

Dib::~Dib() { SelectObject(dc_.get(), previous_); }

COLORREF Dib::At(int x, int y) const {
  GdiFlush();
  const std::uint32_t pixel = bits_[y * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Dib::Count(COLORREF color) const { return Count(color, RECT{0, 0, width_, height_}); }

int Dib::Count(COLORREF color, const RECT& area) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += At(x, y) == color;
  return count;
}

RECT Dib::Bounds(COLORREF color) const {
  RECT bounds{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (At(x, y) != color) continue;
      bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1)};
    }
  }
  if (bounds.left >= bounds.right) return RECT{};
  return bounds;
}

bool Dib::Save(const std::wstring& path) const {
  GdiFlush();
  const BITMAPINFO info = Header(width_, height_);
  const DWORD image = static_cast<DWORD>(width_ * height_ * 4);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + image;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  const bool written = fwrite(&file, sizeof(file), 1, out) == 1 &&
                       fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                       fwrite(bits_, image, 1, out) == 1;
  return fclose(out) == 0 && written;
}

}  // namespace tessaro::testing
