#include "DiscRendering.h"

#include <cstddef>

using std::size_t;

namespace plovan::testsupport {

std::vector<double> renderedDarkness(const std::vector<std::uint8_t> &black, int width, int height, double R, int n)
{
    const double radius2 = R * R / 2;
    auto isBlack = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && black[size_t(y) * size_t(width) + size_t(x)] != 0;
    };
    std::vector<double> darkness(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int covered = 0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    // The sample's place from the cell's centre, in cells.
                    const double sx = (i + 0.5) / n - 0.5, sy = (j + 0.5) / n - 0.5;
                    bool hit = false;
                    for (int dy = -1; dy <= 1 && !hit; ++dy)
                        for (int dx = -1; dx <= 1 && !hit; ++dx)
                            hit = isBlack(x + dx, y + dy) && (sx - dx) * (sx - dx) + (sy - dy) * (sy - dy) <= radius2;
                    covered += int(hit);
                }
            }
            darkness[size_t(y) * size_t(width) + size_t(x)] = double(covered) / (double(n) * n);
        }
    }
    return darkness;
}

double meanRenderedDarkness(const std::vector<std::uint8_t> &black, int width, int height, double R, int n)
{
    const std::vector<double> darkness = renderedDarkness(black, width, height, R, n);
    double sum = 0;
    for (const double d : darkness)
        sum += d;
    return sum / double(darkness.size());
}

} // namespace plovan::testsupport
