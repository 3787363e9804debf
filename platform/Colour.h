#pragma once

#include <cstdint>

namespace plovan {

// One pixel: red in bits 16-23, green 8-15, blue 0-7. The top byte is transparency,
// where 0 is fully opaque and 255 fully transparent (the reverse of an alpha).
using Colour = std::uint32_t;

inline constexpr Colour kTransparencyMask = 0xFF000000u;
inline constexpr Colour kRgbMask = 0x00FFFFFFu;

constexpr Colour RGB(int red, int green, int blue, int transparency = 0)
{
    return (Colour(transparency & 0xFF) << 24) | (Colour(red & 0xFF) << 16)
        | (Colour(green & 0xFF) << 8) | Colour(blue & 0xFF);
}

constexpr int Red(Colour c) { return int((c >> 16) & 0xFF); }
constexpr int Green(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int Blue(Colour c) { return int(c & 0xFF); }

inline constexpr Colour kBlack = RGB(0, 0, 0, 0);
inline constexpr Colour kWhite = RGB(255, 255, 255, 0);

} // namespace plovan
