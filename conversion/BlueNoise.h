#pragma once

#include "conversion/ScreenDither.h"

#include <array>
#include <cstdint>

namespace plovan {

// The blue-noise screen: a 64 x 64 tile whose ranks come from Ulichney's void-and-cluster
// method (1993), made by makeBlueNoiseRanks below, so that the black dots of every flat
// grey lie as evenly apart as the tile allows, without the grid of an ordered dither or
// the worms of an error diffusion.
inline constexpr int kBlueNoiseSide = 64;
inline constexpr int kBlueNoisePlaces = kBlueNoiseSide * kBlueNoiseSide;

// rank[y x 64 + x]: place (x, y)'s rank, 0-4095, in the order in which the places turn
// black as a flat grey darkens.
using BlueNoiseRanks = std::array<std::uint16_t, kBlueNoisePlaces>;

// The ranks, worked out afresh, the same on every run and every machine: integer filter
// weights and a fixed first pattern, ties going to the first place in row order.
//
// - The filter: a Gaussian of sigma 1.5 places on the torus of the tile (distances wrap
//   around its edges), weight round(2^20 exp(-d^2 / 4.5)) for squared distance d^2,
//   exp(-1/4.5) taken as a constant and raised to the power by multiplication; weights
//   that round to 0 (d^2 above 65) are left out. A place's energy is the sum of the
//   weights from every black place; the tightest cluster is the black place of most
//   energy, the largest void the white place of least.
// - The first pattern: 409 places (a tenth) black, picked by a fixed xorshift sequence,
//   then, until it settles, the tightest cluster moved into the largest void (it has
//   settled when the largest void is where the cluster was).
// - Phase 1: from that pattern, the tightest cluster is made white again and ranked,
//   408 down to 0. Phase 2: from the pattern again, the largest void is made black and
//   ranked, 409 up to 2047, until half the places are black. Phase 3: the tightest
//   cluster of the white places is made black and ranked, up to 4095. The white places'
//   energy by the same filter over the whole torus is the filter's total less the black
//   places' energy, so that cluster is the white place of least black energy, and phase 3
//   goes on exactly as phase 2.
//
// It takes about 20 ms; blueNoiseTile() does it once.
BlueNoiseRanks makeBlueNoiseRanks();

// Those ranks, made on first use, safely from any thread.
const BlueNoiseRanks &blueNoiseRanks();

// The screen of those ranks (screenBlackBelow), made on first use, safely from any thread.
const ScreenTile<kBlueNoiseSide> &blueNoiseTile();

} // namespace plovan
