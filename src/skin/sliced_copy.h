// Copies from the skin's images: a nine-slice stretch that keeps corners,
// and a colour-keyed copy.
#pragma once

#include <windows.h>

#include <optional>

#include "skin/image_pixels.h"

namespace tessaro::skin {

struct Margins {
  int left, top, right, bottom;
};

// Stretches the source part over the destination rectangle (left, top,
// width, height) in nine pieces: corners keep their size, edges stretch
// along one axis, the centre along both. With a key colour, source pixels
// of that colour leave the destination as it was. Composed off-screen and
// copied once. False, and nothing drawn, when a size is 0.
bool DrawSliced(HDC destination, int left, int top, int width, int height, HDC source, const ImagePart& part,
                const Margins& margins, std::optional<COLORREF> key = std::nullopt);

// Copies a width x height rectangle; source pixels of the key colour leave
// the destination unchanged, all others replace it.
void TransparentCopy(HDC destination, int left, int top, int width, int height, HDC source, int source_left,
                     int source_top, COLORREF key);

}  // namespace tessaro::skin
