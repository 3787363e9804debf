#pragma once

#include "platform/Picture.h"

#include <optional>

namespace plovan {

// How many pixels a side of a dot takes in the simulated print.
inline constexpr int kSimulatedDotPixels = 8;
// The widest and highest picture it can be made of: its pixels' sides stay within a
// picture's own limit.
inline constexpr int kMaxSimulatedDots = Picture::kMaxSide / kSimulatedDotPixels;

// The black-and-white picture `dots` (its black pixels the dots) as it prints, black on
// white paper, kSimulatedDotPixels pixels a side for each dot: with dotGainHundredths 0 the
// square cells themselves, else each black dot a disc of diameter 8 sqrt 2 R pixels for
// R = dotGainHundredths / 100 (DotModel.h), anti-aliased: a pixel's grey is the share of it
// under the discs, 255 - round(255 x share), taken over 16 x 16 points of the pixel. A
// black cell is wholly black (its disc covers it), so only the white cells' pixels are
// worked out, once for each pattern of black neighbours a picture has.
// None when a side of `dots` is above kMaxSimulatedDots. Throws std::bad_alloc.
std::optional<PictureRef> simulatePrint(const Picture &dots, int dotGainHundredths);

} // namespace plovan
