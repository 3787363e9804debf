#pragma once

#include <cstdint>
#include <vector>

namespace plovan::testsupport {

// Black dots drawn as the discs they print as, the plain way: each cell split into n x n
// samples, a sample black when its centre lies within R / sqrt 2 cells of the centre of a
// black cell (a disc of radius at most 1 reaches no further than the cells around its
// own, so those nine are asked). Nothing outside the picture is black. Returns each
// cell's share of black samples, row by row. A reference for the dot model, slow and
// plain.
std::vector<double> renderedDarkness(const std::vector<std::uint8_t> &black, int width, int height, double R, int n);

// Their mean over the whole picture.
double meanRenderedDarkness(const std::vector<std::uint8_t> &black, int width, int height, double R, int n);

} // namespace plovan::testsupport
