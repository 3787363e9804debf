#include "conversion/DotGainScreen.h"

#include "conversion/DotModel.h"

#include <algorithm>
#include <cmath>

namespace plovan {

std::vector<int> dotGainThresholds(const std::vector<int> &ranks, int side, int dotGainHundredths)
{
    const int count = side * side;
    const DotOverlap overlap = dotOverlap(dotGainHundredths / 100.0);
    // The tile three times over in each direction, so that the middle one's cells see
    // their neighbours across its edges; only the middle one's darkness is counted.
    DotGrid dots{3 * side, 3 * side, std::vector<std::uint8_t>(std::size_t(9 * count), 0)};
    std::vector<int> place(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        place[std::size_t(ranks[std::size_t(i)])] = i;
    std::vector<double> cell(std::size_t(count), 0.0);
    std::vector<double> darkness(std::size_t(count) + 1, 0.0); // D_k
    double sum = 0;
    for (int k = 1; k <= count; ++k) {
        const int x = place[std::size_t(k - 1)] % side, y = place[std::size_t(k - 1)] / side;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                dots.black[std::size_t((y + j * side) * 3 * side + x + i * side)] = 1;
        // Only the dot's own cell and its eight neighbours change.
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int cx = (x + dx + side) % side, cy = (y + dy + side) % side;
                double &d = cell[std::size_t(cy * side + cx)];
                sum -= d;
                d = cellDarkness(dots, cx + side, cy + side, overlap);
                sum += d;
            }
        }
        darkness[std::size_t(k)] = sum / count;
    }
    // k(g): the nearest D_k, the smaller k at a tie, never more than for the level below.
    std::vector<int> patternOf(256);
    int previous = count;
    for (int g = 0; g < 256; ++g) {
        const double target = (255 - g) / 255.0;
        const auto above = std::lower_bound(darkness.begin(), darkness.end(), target);
        int k = int(above - darkness.begin());
        if (k > count || (k > 0 && target - darkness[std::size_t(k - 1)] <= darkness[std::size_t(k)] - target))
            k -= 1;
        previous = std::min(previous, k);
        patternOf[std::size_t(g)] = previous;
    }
    std::vector<int> thresholds(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        int g = 0;
        while (g < 256 && patternOf[std::size_t(g)] > ranks[std::size_t(i)])
            ++g;
        thresholds[std::size_t(i)] = g;
    }
    return thresholds;
}

} // namespace plovan
