#include "skin/mem_surface.h"
#include "win32/unique_handle.h"

namespace tessaro::skin {
Surface CreateMemSurface(int width, int height) {
  const OwnedDC display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  if (!display.get()) return {};
  Surface surface(display.get(), width, height);
  if (!surface) return {};
  return surface;
}

}  // namespace tessaro::skin
