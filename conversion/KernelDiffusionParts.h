#pragma once

// What the kernel diffusions' row loops (KernelDiffusion.cpp) and band loop
// (KernelDiffusionBand.cpp) share. Not for use elsewhere.

#include "conversion/HalftoneLevel.h"
#include "conversion/KernelDiffusion.h"

#include <bit>
#include <cstdint>

namespace plovan::kerneldiffusion {

// The error rows have columns on either side of the picture, always 0: a pixel near an
// edge gathers from them what would have come from outside, which is nothing. Two would
// do for that; the band loop writes zeros up to 28 places past either end.
constexpr int kPad = 32;

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
// `from` says which rows above are gathered: the band loop leaves out those of the band
// itself.
enum class From { BothRows, TwoAboveOnly, LevelOnly };

template <DiffusionKernel kernel, bool reverse, int dirAbove, int dirTwoAbove, From from = From::BothRows>
inline void gatherBases(const std::uint32_t *src, int threshold, const std::int16_t *above,
                        const std::int16_t *twoAbove, std::int16_t *bases, int width)
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
            if (from == From::BothRows && kernel.below[k] != 0)
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(load(above + x - dirAbove * (k - 2)),
                                                         _mm_set1_epi16(std::int16_t(kernel.below[k]))));
            if (from != From::LevelOnly && kernel.twoBelow[k] != 0)
                sum = _mm_add_epi16(sum, _mm_mullo_epi16(load(twoAbove + x - dirTwoAbove * (k - 2)),
                                                         _mm_set1_epi16(std::int16_t(kernel.twoBelow[k]))));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bases + x), sum);
    }
#endif
    for (; x < width; ++x) {
        int sum = halftoneLevel(src[x], threshold, reverse) * d + d / 2 + kOffset * d;
        for (int k = 0; k < 5; ++k) {
            if (from == From::BothRows)
                sum += kernel.below[k] * above[x - dirAbove * (k - 2)];
            if (from != From::LevelOnly)
                sum += kernel.twoBelow[k] * twoAbove[x - dirTwoAbove * (k - 2)];
        }
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

} // namespace plovan::kerneldiffusion
