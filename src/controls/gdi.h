// Owners for GDI and window-manager handles. Each is move-only: a copy would
// release the same handle twice.
#pragma once

#include <windows.h>

#include <utility>

namespace tessaro {

// Any GDI object released with DeleteObject: brushes, pens, fonts, bitmaps, regions.
template <typename H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  // Hands the handle to a new owner (SetWindowRgn takes the region, for one).
  H release() { return std::exchange(handle_, nullptr); }

 private:
  H handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// A menu, with its submenus, released with DestroyMenu unless a window has taken it.
class Menu {
 public:
  Menu() = default;
  explicit Menu(HMENU menu) : menu_(menu) {}
  Menu(Menu&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
  Menu& operator=(Menu&& other) noexcept {
    if (this != &other) {
      if (menu_) DestroyMenu(menu_);
      menu_ = std::exchange(other.menu_, nullptr);
    }
    return *this;
  }
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  ~Menu() {
    if (menu_) DestroyMenu(menu_);
  }
  HMENU get() const { return menu_; }
  explicit operator bool() const { return menu_ != nullptr; }

 private:
  HMENU menu_ = nullptr;
};

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

// GetDC / ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
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

// GetWindowDC / ReleaseDC: the whole window, frame included.
class WindowFrameDC {
 public:
  explicit WindowFrameDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  WindowFrameDC(const WindowFrameDC&) = delete;
  WindowFrameDC& operator=(const WindowFrameDC&) = delete;
  ~WindowFrameDC() {
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

// A memory device context, deleted with DeleteDC.
class MemoryDC {
 public:
  MemoryDC() = default;
  explicit MemoryDC(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {}
  MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDC& operator=(MemoryDC&& other) noexcept {
    if (this != &other) {
      if (dc_) DeleteDC(dc_);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  // Hands the context to a new owner (a window property, for one).
  HDC release() { return std::exchange(dc_, nullptr); }

 private:
  HDC dc_ = nullptr;
};

// An off-screen surface: a memory DC with a bitmap of its own selected into it.
// The bitmap is selected out again before either is deleted.
class Surface {
 public:
  Surface() = default;
  Surface(HDC compatible_with, int width, int height)
      : dc_(compatible_with), bitmap_(CreateCompatibleBitmap(compatible_with, width, height)),
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

  MemoryDC dc_;
  Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tessaro
