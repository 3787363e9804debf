#pragma once

#include "platform/RGBSurface.h"
#include "platform/StoredPixel.h"

#include <algorithm>
#include <cstdint>

#include "conversion/Sse2.h"

namespace plovan {

// The level a halftone spreads over black dots, 0 (black) to 255 (white), for one stored
// pixel: the floored mean of red, green and blue moved by 128 - threshold and held within
// 0-255; in reverse mode its negative, 255 - level, so that light areas print. At
// threshold 128 it is the mean itself, and black below level 128 is exactly the plain
// threshold rule: the slider keeps its meaning in every mode.
inline int halftoneLevel(std::uint32_t stored, int threshold, bool reverse)
{
    const int sum = channelSum(stored);
    // sum * 21846 >> 16 is sum / 3 rounded down for every sum below 32768.
    const int level = std::clamp(((sum * 21846) >> 16) + 128 - threshold, 0, 255);
    return reverse ? 255 - level : level;
}

#if PLOVAN_SSE2
// halftoneLevel of four stored pixels, one in each 32-bit lane, `shift` holding
// 128 - threshold in every lane. The channel sum, sum / 3 as the high half of
// sum x 21846, then the shift, held within 0-255 by 16-bit min and max (the lanes' high
// halves stay 0).
template <bool reverse>
inline __m128i halftoneLevelsFour(__m128i pixels, __m128i shift)
{
    const __m128i sums = channelSumsFour(pixels);
    const __m128i means = _mm_mulhi_epu16(sums, _mm_set1_epi32(21846));
    const __m128i levels = _mm_min_epi16(_mm_max_epi16(_mm_add_epi32(means, shift), _mm_setzero_si128()),
                                         _mm_set1_epi32(255));
    return reverse ? _mm_sub_epi32(_mm_set1_epi32(255), levels) : levels;
}
#endif

// halftoneLevel x 2^shift + 2^(shift - 1) of `width` stored pixels of src: each level in the
// units an error diffusion keeps its errors in (sixteenths for shift 4, eighths for 3),
// with the half that rounds to the nearest level already added. Taken for a whole row
// before the pixel-by-pixel loop starts, which then need not spend its time on it.
void scaledHalftoneLevels(const std::uint32_t *src, std::int16_t *levels, int width, int threshold, bool reverse,
                          int shift);

} // namespace plovan
