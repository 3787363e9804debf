#include "conversion/DotModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plovan {

DotOverlap dotOverlap(double R)
{
    const double gain = std::clamp(R, 1.0, std::numbers::sqrt2);
    const double r2 = gain * gain / 2;
    const double r = std::sqrt(r2);
    // The roots are of values that reach 0 at R = 1 and may come out a rounding below it.
    const double c = std::sqrt(std::max(0.0, r2 - 0.25));
    const double x0 = (1 - std::sqrt(std::max(0.0, 2 * r2 - 1))) / 2;
    auto S = [&](double u) { return (u * std::sqrt(std::max(0.0, r2 - u * u)) + r2 * std::asin(std::min(1.0, u / r))) / 2; };
    DotOverlap overlap;
    // A side neighbour at distance 1: its disc's chord at u from its centre is
    // 2 sqrt(r^2 - u^2), held to the cell's height of 1 where u < c.
    overlap.alpha = c - 0.5 + 2 * (S(r) - S(c));
    // A diagonal neighbour: u, v >= 1/2 with u^2 + v^2 <= r^2.
    overlap.beta = std::max(0.0, S(c) - S(0.5) - (c - 0.5) / 2);
    // The right and top neighbours: within the cell's top right quarter, from where the two
    // circles cross on the diagonal (x0) to the cell's side, the right disc's upper edge
    // (held to the cell's top from 1 - c on) above the top disc's lower edge.
    overlap.gamma = std::max(0.0, S(1 - x0) - S(c) + (c - 0.5) / 2 - (0.5 - x0) + S(0.5) - S(x0));
    return overlap;
}

double cellDarkness(const DotGrid &dots, int x, int y, const DotOverlap &overlap)
{
    if (dots.at(x, y))
        return 1;
    const bool right = dots.at(x + 1, y), left = dots.at(x - 1, y);
    const bool up = dots.at(x, y - 1), down = dots.at(x, y + 1);
    const int sides = int(right) + int(left) + int(up) + int(down);
    const int corners = int(up && right) + int(right && down) + int(down && left) + int(left && up);
    const int diagonals = int(dots.at(x + 1, y - 1) && !up && !right) + int(dots.at(x + 1, y + 1) && !down && !right)
        + int(dots.at(x - 1, y + 1) && !down && !left) + int(dots.at(x - 1, y - 1) && !up && !left);
    return sides * overlap.alpha + diagonals * overlap.beta - corners * overlap.gamma;
}

std::vector<double> printedDarkness(const DotGrid &dots, double R)
{
    const DotOverlap overlap = dotOverlap(R);
    std::vector<double> darkness(size_t(dots.width) * size_t(dots.height));
    for (int y = 0; y < dots.height; ++y)
        for (int x = 0; x < dots.width; ++x)
            darkness[size_t(y) * size_t(dots.width) + size_t(x)] = cellDarkness(dots, x, y, overlap);
    return darkness;
}

double meanPrintedDarkness(const DotGrid &dots, double R)
{
    const std::vector<double> darkness = printedDarkness(dots, R);
    if (darkness.empty())
        return 0;
    double sum = 0;
    for (const double d : darkness)
        sum += d;
    return sum / double(darkness.size());
}

} // namespace plovan
