#include "conversion/KernelDiffusion.h"

#include "conversion/HalftoneLevel.h"
#include "conversion/MaskPixels.h"

namespace plovan {
namespace {

// The error rows have two columns on either side of the picture, always 0: a pixel near
// an edge gathers from them what would have come from outside, which is nothing.
constexpr int kPad = 2;

// Every error lies within -127-127: what a pixel receives is a weighted mean of such
// errors (the weights add up to at most 1), rounded, so its value lies within -127-382,
// and a black value (below 128) or a white one less 255 lies within -127-127 again. The
// total below, level x divisor + divisor / 2 + received, is therefore above -128 divisor,
// and moved up by 256 divisor it is never negative, where C++'s division rounds down.
constexpr int kOffset = 256;

// The weights hand on at most the whole error, and a base (gatherBases) fits in 16 bits.
template <DiffusionKernel kernel>
constexpr bool weightsFit()
{
    int fromAbove = 0;
    for (int i = 0; i < 5; ++i)
        fromAbove += kernel.below[i] + kernel.twoBelow[i];
    const int d = kernel.divisor;
    return kernel.ahead[0] + kernel.ahead[1] + fromAbove <= d
        && (255 + kOffset) * d + d / 2 + 127 * fromAbove <= 32767;
}

// What each pixel of a row receives from the two rows above, with its level x d + d / 2
// (the half that rounds) and kOffset x d, into `bases`: the part of each pixel's total
// that does not wait on the pixels before it in its own row, gathered for the whole row
// first, eight pixels at a time where SSE2 is built. Each pixel gathers what the pixels
// above sent it rather than each pixel scattering its shares: the sums are the same
// integers. A pixel of a row that ran in direction r (1 left to right, -1 right to left)
// sent weight k (0-4) to the pixel k - 2 places along r, so pixel x receives it from
// x - r (k - 2). Every sum stays within 16 bits (weightsFit): at most
// (255 + 256) x 48 + 24 + 127 x 36.
template <DiffusionKernel kernel, int dirAbove, int dirTwoAbove>
void gatherBases(const std::int16_t *levels, const std::int16_t *above, const std::int16_t *twoAbove,
                 std::int16_t *bases, int width)
{
    constexpr int d = kernel.divisor;
    int x = 0;
#if PLOVAN_SSE2
    auto load = [](const std::int16_t *at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)); };
    for (; x + 8 <= width; x += 8) {
        __m128i sum = _mm_add_epi16(_mm_mullo_epi16(load(levels + x), _mm_set1_epi16(d)),
                                    _mm_set1_epi16(std::int16_t(d / 2 + kOffset * d)));
        for (int k = 0; k < 5; ++k) {
            if (kernel.below[k] != 0)
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(load(above + x - dirAbove * (k - 2)),
                                                         _mm_set1_epi16(std::int16_t(kernel.below[k]))));
            if (kernel.twoBelow[k] != 0)
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(load(twoAbove + x - dirTwoAbove * (k - 2)),
                                                         _mm_set1_epi16(std::int16_t(kernel.twoBelow[k]))));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bases + x), sum);
    }
#endif
    for (; x < width; ++x) {
        int sum = levels[x] * d + d / 2 + kOffset * d;
        for (int k = 0; k < 5; ++k)
            sum += kernel.below[k] * above[x - dirAbove * (k - 2)] + kernel.twoBelow[k] * twoAbove[x - dirTwoAbove * (k - 2)];
        bases[x] = std::int16_t(sum);
    }
}

// The chain of one row from pixel to pixel: what the pixels just done hand on along the
// row. pass() takes a pixel's base (gatherBases) and gives its error; only the shares of
// the two pixels just before it wait on them.
//
// The chain is kept short: the next pixel takes ahead[0] x the quotient straight from the
// division, and the rest of ahead[0] x error, which the white mask decides before the
// quotient is ready, comes by its own path.
template <DiffusionKernel kernel>
struct RowChain {
    static constexpr int d = kernel.divisor;
    static constexpr int a = kernel.ahead[0], b = kernel.ahead[1];
    int toNext = 0;     // ahead[0] x the previous pixel's quotient
    int toNextRest = 0; // the rest of ahead[0] x its error: -ahead[0] (kOffset + 255 if white)
    int fromSecond = 0; // ahead[1] x the error of the pixel before that, for this pixel
    int toSecond = 0;   // ahead[1] x the previous pixel's error, for the next one

    int pass(int base, std::uint8_t &white)
    {
        // The total plus kOffset x d (in the base), in 1/d of a level: its quotient by d is
        // the rounded value plus kOffset, and the pixel is white when the value is 128 or more.
        const int moved = base + fromSecond + toNextRest + toNext;
        const int whiteMask = ((128 + kOffset) * d - 1 - moved) >> 31; // all ones when white
        white = std::uint8_t(whiteMask);
        const int quotient = int(unsigned(moved) / unsigned(d));
        const int error = quotient - kOffset - (whiteMask & 255);
        fromSecond = toSecond;
        toSecond = b * error;
        toNextRest = -a * kOffset - (whiteMask & (a * 255));
        toNext = a * quotient;
        return error;
    }
};

// One row in direction `dir` from its bases. Writes the pixels' errors and their bytes,
// all ones for white.
template <DiffusionKernel kernel, int dir>
void diffuseRow(const std::int16_t *bases, std::int16_t *errors, std::uint8_t *whites, int width)
{
    RowChain<kernel> chain;
    for (int i = 0; i < width; ++i) {
        const int x = dir > 0 ? i : width - 1 - i;
        errors[x] = std::int16_t(chain.pass(bases[x], whites[x]));
    }
}

} // namespace

template <DiffusionKernel kernel>
KernelDiffusion<kernel>::KernelDiffusion(int width, bool serpentine)
    : width_(width), serpentine_(serpentine), levels_(size_t(width)), bases_(size_t(width)), whites_(size_t(width))
{
    static_assert(weightsFit<kernel>());
    for (std::vector<std::int16_t> &row : errors_)
        row.assign(size_t(width) + 2 * kPad, 0);
}

template <DiffusionKernel kernel>
void KernelDiffusion<kernel>::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const int width = width_;
    std::int16_t *errors = errors_[y_ % 3].data() + kPad;
    const std::int16_t *above = errors_[(y_ + 2) % 3].data() + kPad;
    const std::int16_t *twoAbove = errors_[(y_ + 1) % 3].data() + kPad;
    std::int16_t *levels = levels_.data();
    std::int16_t *bases = bases_.data();
    std::uint8_t *whites = whites_.data();
    scaledHalftoneLevels(src, levels, width, threshold, reverse, 0);
    if (!serpentine_) {
        gatherBases<kernel, 1, 1>(levels, above, twoAbove, bases, width);
        diffuseRow<kernel, 1>(bases, errors, whites, width);
    } else if (y_ % 2 == 0) {
        gatherBases<kernel, -1, 1>(levels, above, twoAbove, bases, width);
        diffuseRow<kernel, 1>(bases, errors, whites, width);
    } else {
        gatherBases<kernel, 1, -1>(levels, above, twoAbove, bases, width);
        diffuseRow<kernel, -1>(bases, errors, whites, width);
    }
    writeBlackAndWhite(whites, dst, width);
    y_ = (y_ + 1) % 6; // the rows' place among the three buffers and their direction
}

template class KernelDiffusion<kJarvisKernel>;
template class KernelDiffusion<kStuckiKernel>;
template class KernelDiffusion<kSierraKernel>;
template class KernelDiffusion<kFloydSteinbergKernel>;
template class KernelDiffusion<kAtkinsonKernel>;

} // namespace plovan
