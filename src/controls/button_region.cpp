#include "controls/button_region.h"

namespace tessaro {

std::vector<POINT> RemovedPixels(int type, int width, int height) {
  const LONG right = width - 1, bottom = height - 1;
  switch (type) {
    case 1:
      return {{0, 0}, {0, bottom}, {right, 0}, {right, bottom}};
    case 3:
    case 4:
      // The corner and its neighbours along both edges: a rounded corner.
      return {{0, 0},          {1, 0},          {0, 1},          {right, 0},         {right - 1, 0},
              {right, 1},      {0, bottom},     {1, bottom},     {0, bottom - 1},    {right, bottom},
              {right - 1, bottom}, {right, bottom - 1}};
    case 5:
      return {{0, bottom}, {right, 0}};
    default:
      return {};
  }
}

Region MakeRegion(int type, int width, int height) {
  Region shape(CreateRectRgn(0, 0, width, height));
  if (!shape) return shape;
  for (const POINT& pixel : RemovedPixels(type, width, height)) {
    Region cut(CreateRectRgn(pixel.x, pixel.y, pixel.x + 1, pixel.y + 1));
    if (cut) CombineRgn(shape.get(), shape.get(), cut.get(), RGN_DIFF);
  }
  return shape;
}

}  // namespace tessaro
