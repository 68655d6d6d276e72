#pragma once
// The colours the skinned windows share, as the system stores them: 0x00BBGGRR.
#include <cstdint>

namespace vantero {

using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
           static_cast<Colour>(blue) << 16;
}

// A colour as stored in layouts: with the top bit set, the system colour of that index (which
// system_colour gives); else the colour itself, whose top byte is no part of it.
template <typename SystemColour>
Colour resolve_colour(Colour stored, const SystemColour& system_colour) {
    if (stored & 0x80000000u) return system_colour(static_cast<int>(stored & 0xFFu));
    return stored & 0x00FFFFFFu;
}

}  // namespace vantero

namespace vantero::palette {

// Pure blue: the colour key that the skinned windows are see-through in.
inline constexpr Colour kSeeThrough = rgb(0, 0, 255);
inline constexpr Colour kDark = rgb(18, 10, 2);  // rows, the editor's title and lists
inline constexpr Colour kOrange = rgb(255, 128, 0);
inline constexpr Colour kLightOrange = rgb(255, 192, 128);
inline constexpr Colour kYellow = rgb(255, 255, 0);
inline constexpr Colour kGreen = rgb(0, 255, 0);
inline constexpr Colour kWhite = rgb(255, 255, 255);
inline constexpr Colour kBlack = rgb(0, 0, 0);

}  // namespace vantero::palette
