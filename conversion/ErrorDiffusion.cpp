#include "conversion/ErrorDiffusion.h"

#include "conversion/HalftoneLevel.h"
#include "conversion/MaskPixels.h"

namespace plovan {

// The error buffers have a column on either side of the picture for shares that fall off
// its edges; index 1 is column 0. The loops below write one byte per pixel, all ones for
// white, and writeBlackAndWhite turns a finished row into pixels.

namespace {

// One pixel of error diffusion, without a branch (black and white come in no order a
// processor could predict). `total` is in 1/2^shift of a level: the pixel's scaled level
// (with the half that rounds already in it) plus what it received, so total >> shift is
// its value rounded to the nearest whole level, halves up, and the pixel is black when
// that is below 128. Sets `white`, returns the error in whole levels: the value, less 255
// when white.
template <int shift>
inline int diffusePixel(int total, std::uint8_t &white)
{
    const int whiteMask = ((128 << shift) - 1 - total) >> 31; // all ones when the value is 128 or more
    white = std::uint8_t(whiteMask);
    return (total >> shift) - (whiteMask & 255);
}

// The same for Floyd-Steinberg, also giving its share for the next pixel, 7 x the error.
// That share is the chain from one pixel to the next, so it is taken from the value and
// the mask side by side (7 x value, less 7 x 255 when white) rather than after the error.
inline int diffuseFsPixel(int total, std::uint8_t &white, std::int32_t &toRight)
{
    const int whiteMask = (2047 - total) >> 31; // all ones when the value is 128 or more
    white = std::uint8_t(whiteMask);
    const int value = total >> 4;
    toRight = 7 * value - (whiteMask & (7 * 255));
    return value - (whiteMask & 255);
}

// Floyd-Steinberg's bookkeeping for one row: the share from the left and the two pixels
// below still collecting, in sixteenths.
struct FsRow {
    std::int32_t fromLeft = 0, belowLeft = 0, belowHere = 0;

    // One pixel: its value from `total` (diffuseFsPixel), then its shares. Returns the
    // finished share of the pixel below left.
    std::int32_t pass(int total, std::uint8_t &white)
    {
        const int error = diffuseFsPixel(total, white, fromLeft);
        const std::int32_t finished = belowLeft + 3 * error;
        belowLeft = belowHere + 5 * error;
        belowHere = error;
        return finished;
    }
};

} // namespace

FloydSteinberg::FloydSteinberg(int width)
    : width_(width), errors_(size_t(width) + 2, 0), levels_(2 * size_t(width)), whites_(2 * size_t(width))
{
}

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
    std::int16_t *upperLevels = levels_.data();
    std::int16_t *lowerLevels = upperLevels + width;
    std::uint8_t *upperWhites = whites_.data();
    std::uint8_t *lowerWhites = upperWhites + width;
    scaledHalftoneLevels(upperSrc, upperLevels, width, threshold, reverse, 4);
    scaledHalftoneLevels(lowerSrc, lowerLevels, width, threshold, reverse, 4);
    FsRow upper, lower;
    // Each pixel's value: its level plus what it received, in sixteenths, rounded to the
    // nearest whole level, halves up (diffuseFsPixel); its error goes on exactly as 7, 3, 5
    // and 1 sixteenths. Upper pixel x, then lower pixel x - 1.
    upper.pass(upperLevels[0] + errors[0], upperWhites[0]);
    for (int x = 1; x < width; ++x) {
        const std::int32_t received = upper.pass(upperLevels[x] + errors[x] + upper.fromLeft, upperWhites[x]);
        errors[x - 2] = lower.pass(lowerLevels[x - 1] + received + lower.fromLeft, lowerWhites[x - 1]);
    }
    errors[width - 2] = lower.pass(lowerLevels[width - 1] + upper.belowLeft + lower.fromLeft, lowerWhites[width - 1]);
    errors[width - 1] = lower.belowLeft;
    writeBlackAndWhite(upperWhites, upperDst, width);
    writeBlackAndWhite(lowerWhites, lowerDst, width);
}

void FloydSteinberg::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const int width = width_;
    std::int32_t *errors = errors_.data() + 1;
    std::int16_t *levels = levels_.data();
    std::uint8_t *whites = whites_.data();
    scaledHalftoneLevels(src, levels, width, threshold, reverse, 4);
    FsRow here;
    // Each pixel's value: its level plus what it received, in sixteenths, rounded to the
    // nearest whole level, halves up (diffuseFsPixel); its error goes on exactly as 7, 3, 5
    // and 1 sixteenths.
    for (int x = 0; x < width; ++x)
        errors[x - 1] = here.pass(levels[x] + errors[x] + here.fromLeft, whites[x]);
    errors[width - 1] = here.belowLeft;
    writeBlackAndWhite(whites, dst, width);
}

Atkinson::Atkinson(int width) : width_(width), levels_(size_t(width)), whites_(size_t(width))
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
    std::int16_t *levels = levels_.data();
    std::uint8_t *whites = whites_.data();
    scaledHalftoneLevels(src, levels, width, threshold, reverse, 3);
    // Shares in eighths: toNext and toSecond already sent to the next two pixels of this
    // row; belowLeft and belowHere collecting for the pixels below left and below.
    std::int32_t toNext = 0, toSecond = 0, belowLeft = 0, belowHere = 0;
    // Each pixel's value: its level plus what it received, in eighths, rounded to the
    // nearest whole level, halves up (diffusePixel); its error goes on as exactly one
    // eighth to each of six pixels.
    for (int x = 0; x < width; ++x) {
        const int error = diffusePixel<3>(levels[x] + here[x] + toNext, whites[x]);
        toNext = toSecond + error;
        toSecond = error;
        below[x - 1] += belowLeft + error;
        belowLeft = belowHere + error;
        belowHere = error;
        twoBelow[x] = error;
    }
    below[width - 1] += belowLeft;
    first_ = (first_ + 1) % 3;
    writeBlackAndWhite(whites, dst, width);
}

} // namespace plovan
