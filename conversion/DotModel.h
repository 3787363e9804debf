#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plovan {

// How a thermal head's dots print: the circular-dot overlap model of Pappas and Neuhoff
// (IEEE Transactions on Image Processing 4(1), 1995). Each black dot prints as a disc
// centred on its cell, of diameter R x the cell's diagonal: radius r = R / sqrt 2 in cell
// units. R = 1 is the smallest round dot that covers its whole square cell; real heads lie
// between about 1.0 and 1.4, and the model holds for 1 <= R <= sqrt 2 (r <= 1).
//
// A black cell prints wholly black (darkness 1). A white cell is darkened by the parts of
// its black neighbours' discs that reach into it:
//   alpha: the share of the cell under a side neighbour's disc (all of that disc's
//          segment that lies within the cell, also the parts of it that lie beside the
//          cell's diagonal neighbours' corners once R > 1);
//   beta:  the share under a diagonal neighbour's disc, the lens at the corner (0 for
//          R = 1);
//   gamma: the share under both of two side neighbours that meet at a corner, the right
//          and the top say (0 for R = 1), counted twice by alpha.
// The darkness of a white cell is
//   f1 alpha + f2 beta - f3 gamma
// with f1 its black side neighbours, f2 its black diagonal neighbours neither of whose two
// side neighbours next to them (the cells they share with the white cell) is black, and f3
// the pairs of black side neighbours at right angles (right and top, top and left, ...).
// For r <= 1 this is the covered area exactly, not an approximation: a diagonal's lens
// lies inside both of its side neighbours' discs, so it counts only without them; two
// opposite side discs meet at most in a line through the centre, and so do a diagonal's
// lens and any disc but its two side ones; three discs never share an area within the
// cell. Cells outside the picture are paper.
//
// With c = sqrt(r^2 - 1/4), x0 = (1 - sqrt(2 r^2 - 1)) / 2 and
// S(u) = (u sqrt(r^2 - u^2) + r^2 asin(u / r)) / 2, the integral of sqrt(r^2 - u^2):
//   alpha = c - 1/2 + 2 (S(r) - S(c))
//   beta  = S(c) - S(1/2) - (c - 1/2) / 2
//   gamma = S(1 - x0) - S(c) + (c - 1/2) / 2 - (1/2 - x0) + S(1/2) - S(x0)
// For R = 1: alpha = pi/8 - 1/4 = 0.1427, beta = gamma = 0; R = 1.2: 0.2965, 0.0190,
// 0.0710; R = 1.4: 0.4461, 0.0736, 0.1962.
struct DotOverlap {
    double alpha = 0;
    double beta = 0;
    double gamma = 0;
};

// The dot gain R as PrintSettings keeps it, in hundredths: 0 for the square cells of no
// model, else kMinDotGain-kMaxDotGain.
inline constexpr int kMinDotGain = 100;
inline constexpr int kMaxDotGain = 141;

// alpha, beta and gamma for R (1 to sqrt 2; held within that range).
DotOverlap dotOverlap(double R);

// A black-and-white picture, cell by cell, row by row: true for a black dot.
struct DotGrid {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> black; // width x height, 1 for black

    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && black[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0;
    }
};

// The darkness of cell (x, y) as printed with these overlaps: 1 when it is black, else the
// sum above.
double cellDarkness(const DotGrid &dots, int x, int y, const DotOverlap &overlap);

// Every cell's printed darkness, row by row, and their mean.
std::vector<double> printedDarkness(const DotGrid &dots, double R);
double meanPrintedDarkness(const DotGrid &dots, double R);

} // namespace plovan
