#include "skin/skin_images.h"

#include <algorithm>

#include "skin/mem_surface.h"

namespace tessaro::skin {

SkinImages SkinImages::Build() {
  SkinImages images;
  for (const SkinImage image : kSkinImages) {
    const SIZE size = ImageSize(image);
    Surface surface = CreateMemSurface(size.cx, size.cy);
    if (!surface) return {};
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) SetPixelV(surface.dc(), x, y, ImagePixel(image, x, y));
    images.surfaces_[static_cast<int>(image)] = std::move(surface);
  }
  return images;
}

SkinImages::operator bool() const {
  return std::all_of(std::begin(surfaces_), std::end(surfaces_), [](const Surface& s) { return bool(s); });
}

}  // namespace tessaro::skin
