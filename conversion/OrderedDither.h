#pragma once

#include <cstdint>
#include <vector>

namespace plovan {

// Ordered dither with the 8 x 8 Bayer matrix: a pixel is black when its level
// (halftoneLevel) is below the matrix's threshold for its place, (x mod 8, y mod 8). The
// 64 thresholds split 0-255 evenly, so a flat grey g prints a share of black dots as close
// to (255 - g) / 255 as 64 places allow (within 1/128), with g = 0 all black and g = 255
// all white. No pixel depends on another, so a row runs at the speed of memory.
// Reads `width` stored pixels of src (row y of the picture), writes opaque black or white.
void orderedRow(const std::uint32_t *src, std::uint32_t *dst, int width, int y, int threshold, bool reverse);

// The matrix as a screen's ranks (ScreenDither.h), row by row: rank 0 is the place that
// turns black first, 63 - the matrix's entry.
std::vector<int> orderedRanks();

} // namespace plovan
