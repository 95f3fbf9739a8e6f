// Device contexts and drawing surfaces: the owners whose release needs more
// than the handle (the window a DC came from, the object to select back).
#pragma once

#include <windows.h>

#include <utility>

#include "win32/unique_handle.h"

namespace tessaro {

// Selects an object into a device context and puts the previous one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// GetDC or GetWindowDC (the whole window, frame included), released with ReleaseDC.
class WindowDC {
 public:
  enum class Area { kClient, kFrame };
  explicit WindowDC(HWND window, Area area = Area::kClient)
      : window_(window), dc_(area == Area::kFrame ? GetWindowDC(window) : GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An off-screen surface: a memory DC with a bitmap of its own selected into it.
// The bitmap is selected out again before either is deleted.
class Surface {
 public:
  Surface() = default;
  Surface(HDC compatible_with, int width, int height)
      : dc_(CreateCompatibleDC(compatible_with)), bitmap_(CreateCompatibleBitmap(compatible_with, width, height)),
        width_(width), height_(height) {
    if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  Surface(Surface&& other) noexcept { *this = std::move(other); }
  Surface& operator=(Surface&& other) noexcept {
    if (this != &other) {
      Deselect();
      dc_ = std::move(other.dc_);
      bitmap_ = std::move(other.bitmap_);
      previous_ = std::exchange(other.previous_, nullptr);
      width_ = std::exchange(other.width_, 0);
      height_ = std::exchange(other.height_, 0);
    }
    return *this;
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() { Deselect(); }

  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  explicit operator bool() const { return dc_ && bitmap_; }

 private:
  void Deselect() {
    if (dc_ && previous_) SelectObject(dc_.get(), previous_);
    previous_ = nullptr;
  }

  OwnedDC dc_;
  Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tessaro
