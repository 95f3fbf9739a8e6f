// The colour of every pixel of the skin's five built-in images. Kept apart
// from any drawing so the looks can be checked without a display.
#pragma once

#include <windows.h>

namespace tessaro::skin {

enum class SkinImage { ButtonFaces, DropButtonParts, MarkGlyphs, OptionDiscs, HeaderFaces };

inline constexpr SkinImage kSkinImages[] = {SkinImage::ButtonFaces, SkinImage::DropButtonParts,
                                            SkinImage::MarkGlyphs, SkinImage::OptionDiscs,
                                            SkinImage::HeaderFaces};

SIZE ImageSize(SkinImage image);
// Colour at (x, y), inside ImageSize; the key colour marks transparency.
COLORREF ImagePixel(SkinImage image, int x, int y);

// Where each picture lies in its image (left, top, width, height).
struct ImagePart {
  int left, top, width, height;
};
namespace parts {
inline constexpr int kButtonFaceWidth = 7, kButtonFaceHeight = 21;
inline constexpr ImagePart ButtonFace(int state) { return {0, kButtonFaceHeight * state, 7, 21}; }
inline constexpr ImagePart kDropHover{0, 0, 4, 18};
inline constexpr ImagePart kDropPressed{4, 0, 4, 18};
inline constexpr ImagePart kDropArrow{8, 0, 7, 4};
inline constexpr ImagePart kDropArrowDisabled{8, 4, 7, 4};
inline constexpr ImagePart kCheckMark{0, 0, 9, 8};
inline constexpr ImagePart kCheckMarkDisabled{9, 0, 9, 8};
inline constexpr ImagePart kSquare{1, 9, 7, 7};
inline constexpr ImagePart kSquareDisabled{10, 9, 7, 7};
inline constexpr ImagePart kDot{2, 18, 5, 5};
inline constexpr ImagePart kDotDisabled{11, 18, 5, 5};
inline constexpr ImagePart OptionDisc(int state) { return {0, 13 * state, 13, 13}; }
inline constexpr ImagePart kHoverBand{1, 17, 11, 5};
inline constexpr ImagePart kPressedBand{1, 30, 11, 5};
inline constexpr ImagePart HeaderFace(int state) { return {3 * state, 0, 3, 20}; }
}  // namespace parts

}  // namespace tessaro::skin
