#pragma once

#include "platform/RGBSurface.h"

#include <algorithm>
#include <cstdint>

namespace plovan {

// The level a halftone spreads over black dots, 0 (black) to 255 (white), for one stored
// pixel: the floored mean of red, green and blue moved by 128 - threshold and held within
// 0-255; in reverse mode its negative, 255 - level, so that light areas print. At
// threshold 128 it is the mean itself, and black below level 128 is exactly the plain
// threshold rule: the slider keeps its meaning in every mode.
inline int halftoneLevel(std::uint32_t stored, int threshold, bool reverse)
{
    const int sum = int((stored >> 16) & 0xFF) + int((stored >> 8) & 0xFF) + int(stored & 0xFF);
    // sum * 21846 >> 16 is sum / 3 rounded down for every sum below 32768.
    const int level = std::clamp(((sum * 21846) >> 16) + 128 - threshold, 0, 255);
    return reverse ? 255 - level : level;
}

inline constexpr std::uint32_t kStoredBlackPixel = RGBSurface::storedColour(kBlack);
inline constexpr std::uint32_t kStoredWhitePixel = RGBSurface::storedColour(kWhite);

} // namespace plovan
