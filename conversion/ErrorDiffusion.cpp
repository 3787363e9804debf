#include "conversion/ErrorDiffusion.h"

#include "conversion/HalftoneLevel.h"

namespace plovan {

// The error buffers have a column on either side of the picture for shares that fall off
// its edges; index 1 is column 0.

FloydSteinberg::FloydSteinberg(int width)
    : width_(width), here_(size_t(width) + 2, 0), below_(size_t(width) + 2, 0)
{
}

void FloydSteinberg::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const std::int32_t *here = here_.data() + 1;
    std::int32_t *below = below_.data() + 1;
    // Shares in sixteenths: fromLeft for this pixel, belowLeft and belowHere for the
    // pixels below left and below, still collecting.
    std::int32_t fromLeft = 0, belowLeft = 0, belowHere = 0;
    // value = level + (received sixteenths + 8) >> 4: what a pixel received, rounded to
    // the nearest whole level, halves up; its error (value, or value - 255 when white)
    // goes on exactly as 7, 3, 5 and 1 sixteenths.
    for (int x = 0; x < width_; ++x) {
        const int value = halftoneLevel(src[x], threshold, reverse) + ((here[x] + fromLeft + 8) >> 4);
        const bool black = value < 128;
        dst[x] = black ? kStoredBlackPixel : kStoredWhitePixel;
        const int error = black ? value : value - 255;
        fromLeft = 7 * error;
        below[x - 1] = belowLeft + 3 * error;
        belowLeft = belowHere + 5 * error;
        belowHere = error;
    }
    below[width_ - 1] = belowLeft;
    here_.swap(below_);
}

Atkinson::Atkinson(int width) : width_(width)
{
    for (std::vector<std::int32_t> &row : rows_)
        row.assign(size_t(width) + 2, 0);
}

void Atkinson::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const std::int32_t *here = rows_[first_].data() + 1;
    std::int32_t *below = rows_[(first_ + 1) % 3].data() + 1;
    std::int32_t *twoBelow = rows_[(first_ + 2) % 3].data() + 1;
    // Shares in eighths: toNext and toSecond already sent to the next two pixels of this
    // row; belowLeft and belowHere collecting for the pixels below left and below.
    std::int32_t toNext = 0, toSecond = 0, belowLeft = 0, belowHere = 0;
    // value = level + (received eighths + 4) >> 3: rounded to the nearest whole level,
    // halves up; its error goes on as exactly one eighth to each of six pixels.
    for (int x = 0; x < width_; ++x) {
        const int value = halftoneLevel(src[x], threshold, reverse) + ((here[x] + toNext + 4) >> 3);
        const bool black = value < 128;
        dst[x] = black ? kStoredBlackPixel : kStoredWhitePixel;
        const int error = black ? value : value - 255;
        toNext = toSecond + error;
        toSecond = error;
        below[x - 1] += belowLeft + error;
        belowLeft = belowHere + error;
        belowHere = error;
        twoBelow[x] = error;
    }
    below[width_ - 1] += belowLeft;
    first_ = (first_ + 1) % 3;
}

} // namespace plovan
