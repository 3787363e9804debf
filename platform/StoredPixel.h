#pragma once

#include "platform/Colour.h"

#include <cstdint>

namespace plovan {

// A pixel as pictures store it: 0xFFRRGGBB, red, green and blue under a top byte of all
// ones, which is what opaque is in the storage format (see RGBSurface.h).
inline constexpr std::uint32_t kStoredOpaque = 0xFF000000u;
inline constexpr std::uint32_t kStoredBlackPixel = kStoredOpaque | kBlack;
inline constexpr std::uint32_t kStoredWhitePixel = kStoredOpaque | kWhite;

// Red + green + blue of a stored pixel (or of a colour), 0-765: the top byte is left out.
constexpr int channelSum(std::uint32_t pixel)
{
    return Red(pixel) + Green(pixel) + Blue(pixel);
}

} // namespace plovan
