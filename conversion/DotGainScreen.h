#pragma once

#include "conversion/ScreenDither.h"

#include <cstddef>
#include <vector>

namespace plovan {

// A screen's thresholds through a tone curve made from the dot model (DotModel.h), so
// that a flat grey prints at its own tone when the dots print larger than their cells.
// `ranks` gives each place of the side x side tile, row by row, its rank in the order in
// which the places turn black as a grey darkens (0 first). The tile's k-th pattern, its
// first k places black, prints on a plane of such tiles at the darkness D_k of the model
// (measured on the tile with its edges wrapped around); a level g, which should print at
// (255 - g) / 255, is given the pattern k(g) whose D_k is nearest, the fewer black at a
// tie, which as g rises never gains a black place. Place of rank i is then black for the
// levels below the first g with k(g) <= i (256 when there is none: black at every level),
// row by row as ScreenTile keeps them.
std::vector<int> dotGainThresholds(const std::vector<int> &ranks, int side, int dotGainHundredths);

template <int side>
ScreenTile<side> dotGainTile(const std::vector<int> &ranks, int dotGainHundredths)
{
    const std::vector<int> thresholds = dotGainThresholds(ranks, side, dotGainHundredths);
    ScreenTile<side> tile{};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            tile.blackBelow[y][x] = thresholds[std::size_t(y * side + x)];
    return tile;
}

} // namespace plovan
