#include "conversion/KernelDiffusion.h"

#include "conversion/HalftoneLevel.h"
#include "conversion/MaskPixels.h"

#include <algorithm>
#include <bit>
#include <type_traits>

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

// What each pixel of a row receives from the two rows above, with its level
// (halftoneLevel of its stored pixel in src) x d + d / 2 (the half that rounds) and
// kOffset x d, into `bases` (which may be where its errors will be, but neither of the
// rows above): the part of each pixel's total that does not wait on the pixels before it
// in its own row, gathered for the whole row first, eight pixels at a time where SSE2 is
// built. Each pixel gathers what the pixels above sent it rather than each pixel
// scattering its shares: the sums are the same integers. A pixel of a row that ran in
// direction r (1 left to right, -1 right to left) sent weight k (0-4) to the pixel k - 2
// places along r, so pixel x receives it from x - r (k - 2). Every sum stays within 16
// bits (weightsFit): at most (255 + 256) x 48 + 24 + 127 x 36.
//
// Without `withAbove` the row above is left out (and not read): the two-row pass adds its
// shares (addFromAbove) as that row is being done.
template <DiffusionKernel kernel, bool reverse, int dirAbove, int dirTwoAbove, bool withAbove = true>
void gatherBases(const std::uint32_t *src, int threshold, const std::int16_t *above, const std::int16_t *twoAbove,
                 std::int16_t *bases, int width)
{
    constexpr int d = kernel.divisor;
    int x = 0;
#if PLOVAN_SSE2
    auto load = [](const std::int16_t *at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)); };
    const __m128i moved = _mm_set1_epi32(128 - threshold);
    for (; x + 8 <= width; x += 8) {
        // Requested well ahead, as scaledHalftoneLevels does: in a virtual machine's 4 KiB
        // pages the processor's own prefetcher stops at every page boundary.
        _mm_prefetch(reinterpret_cast<const char *>(src + x) + 2048, _MM_HINT_T0);
        const auto *in = reinterpret_cast<const __m128i *>(src + x);
        const __m128i levels = _mm_packs_epi32(halftoneLevelsFour<reverse>(_mm_loadu_si128(in), moved),
                                               halftoneLevelsFour<reverse>(_mm_loadu_si128(in + 1), moved));
        __m128i sum = _mm_add_epi16(_mm_mullo_epi16(levels, _mm_set1_epi16(d)),
                                    _mm_set1_epi16(std::int16_t(d / 2 + kOffset * d)));
        for (int k = 0; k < 5; ++k) {
            if (withAbove && kernel.below[k] != 0)
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
        int sum = halftoneLevel(src[x], threshold, reverse) * d + d / 2 + kOffset * d;
        for (int k = 0; k < 5; ++k) {
            if (withAbove)
                sum += kernel.below[k] * above[x - dirAbove * (k - 2)];
            sum += kernel.twoBelow[k] * twoAbove[x - dirTwoAbove * (k - 2)];
        }
        bases[x] = std::int16_t(sum);
    }
}

// The shares of the row above, which ran left to right, added to `count` bases.
template <DiffusionKernel kernel>
void addFromAbove(std::int16_t *bases, const std::int16_t *above, int count)
{
    int x = 0;
#if PLOVAN_SSE2
    auto load = [](const std::int16_t *at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)); };
    for (; x + 8 <= count; x += 8) {
        __m128i sum = load(bases + x);
        for (int k = 0; k < 5; ++k) {
            if (kernel.below[k] != 0)
                sum = _mm_add_epi16(
                    sum, _mm_mullo_epi16(load(above + x - (k - 2)), _mm_set1_epi16(std::int16_t(kernel.below[k]))));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bases + x), sum);
    }
#endif
    for (; x < count; ++x) {
        int sum = bases[x];
        for (int k = 0; k < 5; ++k)
            sum += kernel.below[k] * above[x - (k - 2)];
        bases[x] = std::int16_t(sum);
    }
}

// floor(n / d) for n within 0-32767 as (n x factor) >> shift in 32 bits: for d a power
// of two a factor of 1, else ceil(2^s / d) with s = 15 + the bits of d, which is exact over
// that range (checked below).
template <int d>
struct Division {
    static constexpr bool kPowerOfTwo = (d & (d - 1)) == 0;
    static constexpr int kShift = kPowerOfTwo ? std::countr_zero(unsigned(d)) : 15 + std::bit_width(unsigned(d));
    static constexpr std::uint32_t kFactor =
        kPowerOfTwo ? 1 : std::uint32_t(((std::uint64_t(1) << kShift) + d - 1) / d);

    static constexpr bool exact()
    {
        for (std::uint32_t n = 0; n < 32768; ++n)
            if ((n * kFactor) >> kShift != n / d)
                return false;
        return true;
    }
};

// The chain of one row from pixel to pixel: what the pixels just done hand on along the
// row. pass() takes a pixel's base (gatherBases) and gives its quotient, its rounded value
// plus kOffset, which settle() turns into its error and its byte afterwards; only the
// shares of the two pixels just before it wait on them.
//
// The chain is kept short. A pixel's total plus kOffset x d, in 1/d of a level, is
//   base + ahead[1] x error(x - 2) + ahead[0] x error(x - 1), with
//   ahead[0] x error(x - 1) = ahead[0] (quotient(x - 1) - kOffset - 255) + 255 ahead[0] if black,
// and the division's multiply (Division) is spread over those terms: the part known early
// is multiplied ahead of time, the previous pixel's quotient goes in times
// ahead[0] x factor, and its black mask picks 255 ahead[0] x factor. The sum is the same
// 32-bit product, so the quotient is the same, and from one quotient to the next there
// are only a multiply, an add and the shift.
template <DiffusionKernel kernel>
struct RowChain {
    static constexpr int d = kernel.divisor;
    static constexpr int a = kernel.ahead[0], b = kernel.ahead[1];
    using Div = Division<d>;
    int previous = kOffset + 255; // the previous pixel's quotient; before the row, white
                                  // with no error
    std::uint32_t previousBlack = 0; // 255 ahead[0] x factor if it was black, else 0
    int toSecond = 0;                // ahead[1] x the previous pixel's error
    int fromSecond = 0;              // ahead[1] x the error of the one before

    int pass(int base)
    {
        // The total plus kOffset x d lies within 0-32767 (weightsFit), so the product
        // stays within 32 bits; the parts may wrap, their sum does not.
        const std::uint32_t early = std::uint32_t(base + fromSecond - a * (kOffset + 255)) * Div::kFactor;
        const std::uint32_t product = early + previousBlack + std::uint32_t(previous) * (a * Div::kFactor);
        const int quotient = int(product >> Div::kShift);
        const int blackMask = (quotient - (128 + kOffset)) >> 31; // all ones when black
        previousBlack = std::uint32_t(blackMask) & (255 * a * Div::kFactor);
        fromSecond = toSecond;
        toSecond = b * (quotient - kOffset - 255) + (blackMask & (255 * b));
        previous = quotient;
        return quotient;
    }
};

// `count` quotients (RowChain::pass) to the pixels' errors, in place, and their bytes, all
// ones for white.
void settle(std::int16_t *row, std::uint8_t *whites, int count)
{
    int x = 0;
#if PLOVAN_SSE2
    for (; x + 8 <= count; x += 8) {
        const __m128i quotients = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x));
        const __m128i white = _mm_cmpgt_epi16(quotients, _mm_set1_epi16(127 + kOffset));
        const __m128i errors = _mm_sub_epi16(_mm_sub_epi16(quotients, _mm_set1_epi16(kOffset)),
                                             _mm_and_si128(white, _mm_set1_epi16(255)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(row + x), errors);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(whites + x), _mm_packs_epi16(white, white));
    }
#endif
    for (; x < count; ++x) {
        const bool white = row[x] >= 128 + kOffset;
        whites[x] = white ? 0xFF : 0;
        row[x] = std::int16_t(row[x] - kOffset - (white ? 255 : 0));
    }
}

// One row in direction `dir`: each pixel's base, read from `row`, is replaced by its
// error; the pixels' bytes, all ones for white, go to `whites`.
template <DiffusionKernel kernel, int dir>
void diffuseRow(std::int16_t *row, std::uint8_t *whites, int width)
{
    RowChain<kernel> chain;
    for (int i = 0; i < width; ++i) {
        const int x = dir > 0 ? i : width - 1 - i;
        row[x] = std::int16_t(chain.pass(row[x]));
    }
    settle(row, whites, width);
}

// Two rows left to right at once, in blocks of eight pixels, the lower row three blocks
// behind: a pixel of the lower row has all it receives from the upper one once the upper
// row has passed the pixel two to its right, so a whole block of the lower row gathers the
// upper row's shares in one go, and then its pixels go in step with the upper row's next
// block. The two chains, each waiting on its own previous pixel, overlap in the processor
// instead of running one after the other. Each row's bases are replaced by its errors as
// in diffuseRow; the lower row's have its level and the shares of the row above the upper
// one only, and get the upper row's here (addFromAbove).
//
// A block is settled one block after it is done, and the lower row reads the upper row's
// errors one block after they are settled: a vector load of what was stored a moment ago
// in smaller pieces waits until those stores have left the core, which took a quarter of
// the time when each block was settled and read at once.
template <DiffusionKernel kernel>
void diffuseTwoRows(std::int16_t *upperRow, std::uint8_t *upperWhites, std::int16_t *lowerRow,
                    std::uint8_t *lowerWhites, int width)
{
    constexpr int kBlock = 8, kLag = 3 * kBlock;
    RowChain<kernel> upper, lower;
    int x = 0;
    for (; x < width && x < kLag; ++x)
        upperRow[x] = std::int16_t(upper.pass(upperRow[x]));
    int upperSettled = std::max(0, x - kBlock), lowerSettled = 0;
    settle(upperRow, upperWhites, upperSettled);
    // Here the upper row is done up to x - 1 and settled up to x - kBlock - 1, the lower
    // one done up to x - kLag - 1 and settled up to x - kLag - kBlock - 1.
    for (; x + kBlock <= width; x += kBlock) {
        std::int16_t *lowerBlock = lowerRow + (x - kLag);
        addFromAbove<kernel>(lowerBlock, upperRow + (x - kLag), kBlock);
        for (int i = 0; i < kBlock; ++i) {
            upperRow[x + i] = std::int16_t(upper.pass(upperRow[x + i]));
            lowerBlock[i] = std::int16_t(lower.pass(lowerBlock[i]));
        }
        settle(upperRow + upperSettled, upperWhites + upperSettled, x - upperSettled);
        upperSettled = x;
        settle(lowerRow + lowerSettled, lowerWhites + lowerSettled, x - kLag - lowerSettled);
        lowerSettled = x - kLag;
    }
    const int lowerDone = std::max(0, x - kLag);
    for (; x < width; ++x)
        upperRow[x] = std::int16_t(upper.pass(upperRow[x]));
    settle(upperRow + upperSettled, upperWhites + upperSettled, width - upperSettled);
    settle(lowerRow + lowerSettled, lowerWhites + lowerSettled, lowerDone - lowerSettled);
    addFromAbove<kernel>(lowerRow + lowerDone, upperRow + lowerDone, width - lowerDone);
    for (x = lowerDone; x < width; ++x)
        lowerRow[x] = std::int16_t(lower.pass(lowerRow[x]));
    settle(lowerRow + lowerDone, lowerWhites + lowerDone, width - lowerDone);
}

} // namespace

template <DiffusionKernel kernel>
KernelDiffusion<kernel>::KernelDiffusion(int width, bool serpentine)
    : width_(width), serpentine_(serpentine), whites_(2 * size_t(width))
{
    static_assert(weightsFit<kernel>());
    static_assert(Division<kernel.divisor>::exact());
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
    std::uint8_t *whites = whites_.data();
    // The row's bases go where its errors will be, over those of row y - 3.
    auto gather = [&](auto dirAbove, auto dirTwoAbove) {
        if (reverse)
            gatherBases<kernel, true, dirAbove(), dirTwoAbove()>(src, threshold, above, twoAbove, errors, width);
        else
            gatherBases<kernel, false, dirAbove(), dirTwoAbove()>(src, threshold, above, twoAbove, errors, width);
    };
    using Right = std::integral_constant<int, 1>;
    using Left = std::integral_constant<int, -1>;
    if (!serpentine_) {
        gather(Right(), Right());
        diffuseRow<kernel, 1>(errors, whites, width);
    } else if (y_ % 2 == 0) {
        gather(Left(), Right());
        diffuseRow<kernel, 1>(errors, whites, width);
    } else {
        gather(Right(), Left());
        diffuseRow<kernel, -1>(errors, whites, width);
    }
    writeBlackAndWhite(whites, dst, width);
    y_ = (y_ + 1) % 6; // the rows' place among the three buffers and their direction
}

template <DiffusionKernel kernel>
void KernelDiffusion<kernel>::rows(const std::uint32_t *upperSrc, std::uint32_t *upperDst,
                                   const std::uint32_t *lowerSrc, std::uint32_t *lowerDst, int threshold,
                                   bool reverse)
{
    const int width = width_;
    // The upper row's bases and errors go where row y - 3 had its errors, the lower row's
    // where y - 2 had them, which only the upper row's bases read, before.
    std::int16_t *upperRow = errors_[y_ % 3].data() + kPad;
    std::int16_t *lowerRow = errors_[(y_ + 1) % 3].data() + kPad;
    const std::int16_t *above = errors_[(y_ + 2) % 3].data() + kPad;
    std::uint8_t *upperWhites = whites_.data();
    std::uint8_t *lowerWhites = upperWhites + width;
    if (reverse) {
        gatherBases<kernel, true, 1, 1>(upperSrc, threshold, above, lowerRow, upperRow, width);
        gatherBases<kernel, true, 1, 1, false>(lowerSrc, threshold, nullptr, above, lowerRow, width);
    } else {
        gatherBases<kernel, false, 1, 1>(upperSrc, threshold, above, lowerRow, upperRow, width);
        gatherBases<kernel, false, 1, 1, false>(lowerSrc, threshold, nullptr, above, lowerRow, width);
    }
    diffuseTwoRows<kernel>(upperRow, upperWhites, lowerRow, lowerWhites, width);
    writeBlackAndWhite(upperWhites, upperDst, width);
    writeBlackAndWhite(lowerWhites, lowerDst, width);
    y_ = (y_ + 2) % 6;
}

template class KernelDiffusion<kJarvisKernel>;
template class KernelDiffusion<kStuckiKernel>;
template class KernelDiffusion<kSierraKernel>;
template class KernelDiffusion<kFloydSteinbergKernel>;
template class KernelDiffusion<kAtkinsonKernel>;

} // namespace plovan
