#pragma once

#include "conversion/ScreenDither.h"

namespace plovan {

// The clustered-dot screen, for thermal heads, which print a lone dot poorly and a
// cluster of dots well: at 203 dots per inch, round dots on a 45-degree lattice whose
// neighbours lie (3, 3) dots apart, 3 sqrt 2 = 4.24 dots, that is 47.9 lines per inch
// (the nearest to 50 that a whole-dot lattice at exactly 45 degrees allows; (4, 4) would
// be 35.9). The lattice repeats in a 6 x 6 tile holding two dots, A centred on place
// (1, 1) and B on (4, 4), each with a cell of 18 places.
//
// Each dot grows from its centre outward: its places in order of distance from the centre
// (a round spot), the places at one distance clockwise from the right (x to the right, y
// down). A place as near to A as to B goes to the dot it lies clockwise of, seen from
// that dot towards the other, which gives each dot the same four-fold pinwheel; the two
// places furthest from both, half a period along x from a dot, go one to each. A's k-th
// place is rank 2k and B's rank 2k + 1, so the two dots grow in turn and the tile has 36
// steps of grey. The order of a dot's places, as offsets (dx, dy) from its centre:
//
//   (0, 0); (1, 0) (0, 1) (-1, 0) (0, -1); (1, 1) (-1, 1) (-1, -1) (1, -1);
//   (2, 0) (0, 2) (-2, 0) (0, -2); (2, 1) (-1, 2) (-2, -1) (1, -2); (3, 0)
//
// and the ranks of the tile, row by row (kClusteredRanks):
//
//   14  8 16 29 21 30
//    6  0  2 18 34 22
//   12  4 10 26 25 33
//   28 20 31 15  9 17
//   19 35 23  7  1  3
//   27 24 32 13  5 11
//
// Past half the places black the white places left are the gaps between the dots, which
// shrink towards the places furthest from both.
inline constexpr int kClusteredSide = 6;
inline constexpr int kClusteredPlaces = kClusteredSide * kClusteredSide;

struct ClusteredRanks {
    int rank[kClusteredSide][kClusteredSide]; // [y][x]
};

constexpr ClusteredRanks clusteredRanks()
{
    constexpr int kGrowth[kClusteredPlaces / 2][2] = {
        {0, 0},  {1, 0},  {0, 1},   {-1, 0}, {0, -1}, {1, 1},  {-1, 1},  {-1, -1}, {1, -1},
        {2, 0},  {0, 2},  {-2, 0},  {0, -2}, {2, 1},  {-1, 2}, {-2, -1}, {1, -2},  {3, 0},
    };
    constexpr int kCentres[2][2] = {{1, 1}, {4, 4}};
    ClusteredRanks ranks{};
    for (int k = 0; k < kClusteredPlaces / 2; ++k) {
        for (int dot = 0; dot < 2; ++dot) {
            const int x = (kCentres[dot][0] + kGrowth[k][0] + kClusteredSide) % kClusteredSide;
            const int y = (kCentres[dot][1] + kGrowth[k][1] + kClusteredSide) % kClusteredSide;
            ranks.rank[y][x] = 2 * k + dot;
        }
    }
    return ranks;
}

inline constexpr ClusteredRanks kClusteredRanks = clusteredRanks();

// The screen of those ranks (screenBlackBelow).
constexpr ScreenTile<kClusteredSide> clusteredTile()
{
    ScreenTile<kClusteredSide> tile{};
    for (int y = 0; y < kClusteredSide; ++y)
        for (int x = 0; x < kClusteredSide; ++x)
            tile.blackBelow[y][x] = screenBlackBelow(kClusteredRanks.rank[y][x], kClusteredPlaces);
    return tile;
}

inline constexpr ScreenTile<kClusteredSide> kClusteredTile = clusteredTile();

} // namespace plovan
