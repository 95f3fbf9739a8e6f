#include "skin/mem_surface.h"

namespace tessaro::skin {
namespace {

class DisplayDC {
 public:
  DisplayDC() : dc_(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {}
  DisplayDC(const DisplayDC&) = delete;
  DisplayDC& operator=(const DisplayDC&) = delete;
  ~DisplayDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

Surface CreateMemSurface(int width, int height) {
  const DisplayDC display;
  if (!display.get()) return {};
  Surface surface(display.get(), width, height);
  if (!surface) return {};
  return surface;
}

}  // namespace tessaro::skin
