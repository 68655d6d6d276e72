#pragma once
// The colours the skinned windows share.
#include <windows.h>

namespace vantero::palette {

// Pure blue: the colour key that the skinned windows are see-through in.
inline constexpr COLORREF kSeeThrough = RGB(0, 0, 255);
inline constexpr COLORREF kDark = RGB(18, 10, 2);  // rows, the editor's title and lists
inline constexpr COLORREF kOrange = RGB(255, 128, 0);
inline constexpr COLORREF kLightOrange = RGB(255, 192, 128);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace vantero::palette
