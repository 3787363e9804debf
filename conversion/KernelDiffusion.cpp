#include "conversion/KernelDiffusion.h"

#include "conversion/KernelDiffusionParts.h"
#include "conversion/MaskPixels.h"

#include <type_traits>

namespace plovan {
namespace {

using namespace kerneldiffusion;

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

} // namespace

template <DiffusionKernel kernel>
KernelDiffusion<kernel>::KernelDiffusion(int width, bool serpentine)
    : width_(width), serpentine_(serpentine), whites_(size_t(width))
{
    static_assert(weightsFit<kernel>());
    static_assert(Division<kernel.divisor>::exact());
    for (std::vector<std::int16_t> &row : errors_)
        row.assign(size_t(width) + 2 * kPad, 0);
    if (!serpentine)
        makeBandBuffers();
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

template class KernelDiffusion<kJarvisKernel>;
template class KernelDiffusion<kStuckiKernel>;
template class KernelDiffusion<kSierraKernel>;
template class KernelDiffusion<kFloydSteinbergKernel>;
template class KernelDiffusion<kAtkinsonKernel>;

} // namespace plovan
