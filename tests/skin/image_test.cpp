#include <gtest/gtest.h>

#include "dib.h"
#include "skin/image_pixels.h"
#include "skin/skin_colors.h"
#include "skin/skin_images.h"

namespace tessaro::skin {
namespace {

int KeyPixels(SkinImage image, const ImagePart& part) {
  int count = 0;
  for (int y = part.top; y < part.top + part.height; ++y)
    for (int x = part.left; x < part.left + part.width; ++x) count += ImagePixel(image, x, y) == kKeyColour;
  return count;
}

// The smallest rectangle around the part's non-key pixels.
RECT Opaque(SkinImage image, const ImagePart& part) {
  RECT bounds{part.left + part.width, part.top + part.height, part.left, part.top};
  for (int y = part.top; y < part.top + part.height; ++y) {
    for (int x = part.left; x < part.left + part.width; ++x) {
      if (ImagePixel(image, x, y) == kKeyColour) continue;
      bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y), std::max<LONG>(bounds.right, x + 1),
                std::max<LONG>(bounds.bottom, y + 1)};
    }
  }
  return bounds;
}

TEST(SkinImageTables, EveryPictureFillsItsPlaceAndKeyColourMarksOnlyTheGaps) {
  int pixels = 0;
  for (const SkinImage image : kSkinImages) pixels += ImageSize(image).cx * ImageSize(image).cy;
  EXPECT_EQ(pixels, 2146);

  for (int state = 0; state < 4; ++state) {
    EXPECT_EQ(KeyPixels(SkinImage::ButtonFaces, parts::ButtonFace(state)), 0) << state;
    EXPECT_EQ(ImagePixel(SkinImage::ButtonFaces, 3, 21 * state), state == 3 ? RGB(135, 195, 232) : RGB(27, 143, 213));
    // Disc corners are transparent, the centre and the edge midpoints are not.
    const ImagePart disc = parts::OptionDisc(state);
    EXPECT_EQ(ImagePixel(SkinImage::OptionDiscs, 0, disc.top), kKeyColour);
    EXPECT_EQ(ImagePixel(SkinImage::OptionDiscs, 12, disc.top + 12), kKeyColour);
    EXPECT_NE(ImagePixel(SkinImage::OptionDiscs, 0, disc.top + 6), kKeyColour);
    EXPECT_EQ(Opaque(SkinImage::OptionDiscs, disc).right - Opaque(SkinImage::OptionDiscs, disc).left, 13);
  }
  // The check-box bands are plain centre colour from end to end.
  for (const ImagePart& band : {parts::kHoverBand, parts::kPressedBand}) {
    for (int x = band.left; x < band.left + band.width; ++x)
      EXPECT_EQ(ImagePixel(SkinImage::OptionDiscs, x, band.top), ImagePixel(SkinImage::OptionDiscs, 6, band.top + 2));
  }
  EXPECT_EQ(ImagePixel(SkinImage::OptionDiscs, 6, 13 + 6), RGB(207, 238, 250));

  for (const ImagePart& glyph : {parts::kCheckMark, parts::kCheckMarkDisabled, parts::kSquare, parts::kSquareDisabled,
                                 parts::kDot, parts::kDotDisabled}) {
    const RECT bounds = Opaque(SkinImage::MarkGlyphs, glyph);
    EXPECT_EQ(bounds.left, glyph.left);
    EXPECT_EQ(bounds.top, glyph.top);
    EXPECT_EQ(bounds.right, glyph.left + glyph.width);
    EXPECT_EQ(bounds.bottom, glyph.top + glyph.height);
  }
  const int glyph_pixels = 9 * 8 * 2 + 7 * 7 * 2 + 5 * 5 * 2;
  EXPECT_GT(KeyPixels(SkinImage::MarkGlyphs, {0, 0, 18, 24}), 18 * 24 - glyph_pixels);

  // Arrows: rows of 7, 5, 3 and 1 pixels; the space below them is transparent.
  for (int row = 0; row < 4; ++row)
    EXPECT_EQ(7 - KeyPixels(SkinImage::DropButtonParts, {8, row, 7, 1}), 7 - 2 * row);
  EXPECT_EQ(KeyPixels(SkinImage::DropButtonParts, {8, 8, 7, 10}), 70);
  EXPECT_EQ(KeyPixels(SkinImage::DropButtonParts, {0, 0, 8, 18}), 0);
  EXPECT_EQ(ImagePixel(SkinImage::DropButtonParts, 9, 0), RGB(25, 85, 95));
  EXPECT_EQ(ImagePixel(SkinImage::DropButtonParts, 9, 4), RGB(132, 165, 172));

  for (int face = 0; face < 3; ++face) EXPECT_EQ(ImagePixel(SkinImage::HeaderFaces, 3 * face + 1, 19), RGB(192, 218, 242));
  EXPECT_EQ(ImagePixel(SkinImage::HeaderFaces, 2, 5), RGB(122, 176, 217));
}

TEST(SkinImages, BuiltSurfacesHoldExactlyTheTableColours) {
  const SkinImages images = SkinImages::Build();
  ASSERT_TRUE(images);
  for (const SkinImage image : kSkinImages) {
    const SIZE size = ImageSize(image);
    testing::Dib copy(size.cx, size.cy, RGB(1, 2, 3));
    BitBlt(copy.dc(), 0, 0, size.cx, size.cy, images.dc(image), 0, 0, SRCCOPY);
    int wrong = 0;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) wrong += copy.At(x, y) != ImagePixel(image, x, y);
    EXPECT_EQ(wrong, 0) << static_cast<int>(image);
  }
}

}  // namespace
}  // namespace tessaro::skin
