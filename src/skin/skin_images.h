// The five images the skin draws from, built in memory once per engine
// lifetime.
#pragma once

#include <iterator>

#include "win32/gdi.h"
#include "skin/image_pixels.h"

namespace tessaro::skin {

class SkinImages {
 public:
  // Builds every image; false (bool) when one could not be made.
  static SkinImages Build();

  HDC dc(SkinImage image) const { return surfaces_[static_cast<int>(image)].dc(); }
  explicit operator bool() const;

 private:
  Surface surfaces_[std::size(kSkinImages)];
};

}  // namespace tessaro::skin
