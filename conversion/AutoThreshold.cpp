#include "conversion/AutoThreshold.h"

#include "platform/StoredPixel.h"

#include <cstdint>

namespace plovan {

MeanHistogram meanHistogram(const Picture &picture)
{
    // Counted by channel sum (no division per pixel), in four tables taken in turn so that
    // runs of one colour do not wait on the same counter.
    std::array<std::array<quint64, 766>, 4> sums{};
    const ConstRGBSurface surface = picture.rgbSurface();
    const int width = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint32_t *row = surface.row(y);
        for (int x = 0; x < width; ++x) {
            ++sums[size_t(x & 3)][size_t(channelSum(row[x]))];
        }
    }
    MeanHistogram histogram{};
    for (const auto &table : sums)
        for (size_t sum = 0; sum < table.size(); ++sum)
            histogram[sum / 3] += table[sum];
    return histogram;
}

int otsuThreshold(const MeanHistogram &histogram, bool reverse)
{
    double total = 0, totalSum = 0;
    for (int level = 0; level < 256; ++level) {
        total += double(histogram[size_t(level)]);
        totalSum += double(level) * double(histogram[size_t(level)]);
    }
    // Between-class variance times total^2: (total S0 - n0 S)^2 / (n0 n1), with n0 pixels
    // below t whose means add up to S0. Thresholds inside a gap of the histogram have the
    // same classes, add nothing to n0 and S0, and so get exactly the same value.
    double best = -1;
    int first = 0, last = 0;
    double below = 0, belowSum = 0;
    for (int t = 1; t < 256; ++t) {
        below += double(histogram[size_t(t - 1)]);
        belowSum += double(t - 1) * double(histogram[size_t(t - 1)]);
        const double above = total - below;
        if (below == 0 || above == 0)
            continue;
        const double difference = total * belowSum - below * totalSum;
        const double variance = difference * difference / (below * above);
        if (variance > best) {
            best = variance;
            first = last = t;
        } else if (variance == best && last == t - 1) {
            last = t;
        }
    }
    if (best < 0)
        return 128;
    const int split = (first + last + 1) / 2;
    return reverse ? split - 1 : split;
}

int automaticThreshold(const Picture &picture, bool reverse)
{
    return otsuThreshold(meanHistogram(picture), reverse);
}

} // namespace plovan
