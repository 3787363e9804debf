#include "conversion/ErrorDiffusion.h"

#include "conversion/HalftoneLevel.h"

namespace plovan {

// The error buffers have a column on either side of the picture for shares that fall off
// its edges; index 1 is column 0.

FloydSteinberg::FloydSteinberg(int width)
    : width_(width), errors_(size_t(width) + 2, 0), levels_(2 * size_t(width))
{
}

namespace {

// One pixel of error diffusion, without a branch (black and white come in no order a
// processor could predict): total is 16 x level plus the sixteenths received plus 8, so
// total >> 4 is the value rounded to the nearest whole level, halves up, and the pixel is
// black when that is below 128, i.e. when total < 2048. Writes the pixel, returns its error
// in whole levels: the value, less 255 when white.
inline int diffusePixel(int total, std::uint32_t &out)
{
    const int white = (2047 - total) >> 31; // all ones when total >= 2048
    out = kStoredBlackPixel | (std::uint32_t(white) & 0x00FFFFFFu);
    return (total >> 4) - (white & 255);
}

// Floyd-Steinberg's bookkeeping for one row: the share from the left and the two pixels
// below still collecting, in sixteenths.
struct FsRow {
    std::int32_t fromLeft = 0, belowLeft = 0, belowHere = 0;

    // After a pixel with `error`: returns the finished share of the pixel below left.
    std::int32_t pass(int error)
    {
        fromLeft = 7 * error;
        const std::int32_t finished = belowLeft + 3 * error;
        belowLeft = belowHere + 5 * error;
        belowHere = error;
        return finished;
    }
};

} // namespace

// Two rows at once, the lower one a pixel behind: a pixel of the lower row has all it
// receives from above as soon as the upper row has passed the pixel to its right, and the
// two chains of errors, each waiting on its own previous pixel, then overlap in the
// processor instead of running one after the other. The lower row takes the upper row's
// shares straight from registers; only the lower row's shares go through memory.
void FloydSteinberg::rows(const std::uint32_t *upperSrc, std::uint32_t *upperDst, const std::uint32_t *lowerSrc,
                          std::uint32_t *lowerDst, int threshold, bool reverse)
{
    const int width = width_;
    // errors[x] holds what pixel x of the upper row receives from above; the lower row
    // writes what the row after it receives into the same places once they are read.
    std::int32_t *errors = errors_.data() + 1;
    std::uint8_t *upperLevels = levels_.data();
    std::uint8_t *lowerLevels = upperLevels + width;
    halftoneLevels(upperSrc, upperLevels, width, threshold, reverse);
    halftoneLevels(lowerSrc, lowerLevels, width, threshold, reverse);
    FsRow upper, lower;
    upper.pass(diffusePixel(16 * upperLevels[0] + 8 + errors[0], upperDst[0]));
    for (int x = 1; x < width; ++x) {
        const int upperError = diffusePixel(16 * upperLevels[x] + 8 + errors[x] + upper.fromLeft, upperDst[x]);
        const std::int32_t received = upper.pass(upperError);
        const int lowerError = diffusePixel(16 * lowerLevels[x - 1] + 8 + received + lower.fromLeft, lowerDst[x - 1]);
        errors[x - 2] = lower.pass(lowerError);
    }
    const int lowerError =
        diffusePixel(16 * lowerLevels[width - 1] + 8 + upper.belowLeft + lower.fromLeft, lowerDst[width - 1]);
    errors[width - 2] = lower.pass(lowerError);
    errors[width - 1] = lower.belowLeft;
}

void FloydSteinberg::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const int width = width_;
    std::int32_t *errors = errors_.data() + 1;
    std::uint8_t *levels = levels_.data();
    halftoneLevels(src, levels, width, threshold, reverse);
    FsRow here;
    // Each pixel's value: 16 x level plus what it received, rounded (diffusePixel); its
    // error goes on exactly as 7, 3, 5 and 1 sixteenths.
    for (int x = 0; x < width; ++x) {
        const int error = diffusePixel(16 * levels[x] + 8 + errors[x] + here.fromLeft, dst[x]);
        errors[x - 1] = here.pass(error);
    }
    errors[width - 1] = here.belowLeft;
}

Atkinson::Atkinson(int width) : width_(width), levels_(size_t(width))
{
    for (std::vector<std::int32_t> &row : rows_)
        row.assign(size_t(width) + 2, 0);
}

void Atkinson::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const int width = width_;
    const std::int32_t *here = rows_[first_].data() + 1;
    std::int32_t *below = rows_[(first_ + 1) % 3].data() + 1;
    std::int32_t *twoBelow = rows_[(first_ + 2) % 3].data() + 1;
    std::uint8_t *levels = levels_.data();
    halftoneLevels(src, levels, width, threshold, reverse);
    // Shares in eighths: toNext and toSecond already sent to the next two pixels of this
    // row; belowLeft and belowHere collecting for the pixels below left and below.
    std::int32_t toNext = 0, toSecond = 0, belowLeft = 0, belowHere = 0;
    // total = 8 x level + 4 + received eighths: total >> 3 is the value rounded to the
    // nearest whole level, halves up, black below 128 (total < 1024); its error goes on as
    // exactly one eighth to each of six pixels. No branch, as in diffusePixel.
    for (int x = 0; x < width; ++x) {
        const int total = 8 * levels[x] + 4 + here[x] + toNext;
        const int white = (1023 - total) >> 31; // all ones when total >= 1024
        dst[x] = kStoredBlackPixel | (std::uint32_t(white) & 0x00FFFFFFu);
        const int error = (total >> 3) - (white & 255);
        toNext = toSecond + error;
        toSecond = error;
        below[x - 1] += belowLeft + error;
        belowLeft = belowHere + error;
        belowHere = error;
        twoBelow[x] = error;
    }
    below[width - 1] += belowLeft;
    first_ = (first_ + 1) % 3;
}

} // namespace plovan
