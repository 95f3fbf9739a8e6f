// The colours the skin paints with besides its images.
#pragma once

#include <windows.h>

namespace tessaro::skin {

inline constexpr COLORREF kKeyColour = RGB(255, 0, 255);  // transparent pixels of the images
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kBorderEnabled = RGB(84, 165, 213);
inline constexpr COLORREF kBorderDisabled = RGB(164, 207, 233);
inline constexpr COLORREF kPressedCheckFrame = RGB(57, 134, 196);
inline constexpr COLORREF kDisabledCaption = RGB(121, 138, 150);
inline constexpr COLORREF kProgressFill = RGB(76, 214, 246);

}  // namespace tessaro::skin
