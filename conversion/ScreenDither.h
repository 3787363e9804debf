#pragma once

#include <cstdint>

namespace plovan {

// A screen: a square tile of places repeated over the picture, each place with its rank
// 0 to side x side - 1 in the order in which the places turn black as a flat grey darkens.
// A pixel is black when its level (halftoneLevel) is below its place's threshold; no pixel
// depends on another. Rank r of n is black for levels below 255 (2 (n - r) - 1) / (2 n),
// the middle of its 1/n of the range, which is never a whole number (odd over even), so
// the thresholds split 0-255 evenly: a flat grey g on whole tiles prints a share of black
// within 1/(2n) of (255 - g) / 255, with 0 all black and 255 all white.
constexpr int screenBlackBelow(int rank, int count)
{
    // level < x for x not whole is level < floor(x) + 1.
    return 255 * (2 * (count - rank) - 1) / (2 * count) + 1;
}

// A tile's thresholds as screenRow reads them: blackBelow[y][x] for place (x, y).
template <int side>
struct ScreenTile {
    static_assert(side >= 1 && side <= 64);
    int blackBelow[side][side];
};

// Row y of the picture through the tile: reads `width` stored pixels of src, writes opaque
// black or white to dst. Built for the tiles of BlueNoise.h and ClusteredDot.h, and for
// 8 x 8 tiles (the ordered dither's matrix through a tone curve, DotGainScreen.h).
template <int side>
void screenRow(const ScreenTile<side> &tile, const std::uint32_t *src, std::uint32_t *dst, int width, int y,
               int threshold, bool reverse);

} // namespace plovan
