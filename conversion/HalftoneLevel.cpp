#include "conversion/HalftoneLevel.h"

namespace plovan {
namespace {

#if PLOVAN_SSE2
// Sixteen pixels at a time, scaled in 32-bit lanes and packed to 16 bits (at most
// 255 x 16 + 8, so the pack does not saturate).
template <bool reverse>
int scaledLevelsSixteen(const std::uint32_t *src, std::int16_t *levels, int width, int threshold, int shift)
{
    const __m128i moved = _mm_set1_epi32(128 - threshold);
    const __m128i half = _mm_set1_epi32((1 << shift) >> 1);
    const __m128i count = _mm_cvtsi32_si128(shift);
    auto scaled = [&](__m128i pixels) {
        return _mm_add_epi32(_mm_sll_epi32(halftoneLevelsFour<reverse>(pixels, moved), count), half);
    };
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        // Requested well ahead: in a virtual machine's 4 KiB pages the processor's own
        // prefetcher stops at every page boundary.
        _mm_prefetch(reinterpret_cast<const char *>(src + x) + 2048, _MM_HINT_T0);
        const auto *in = reinterpret_cast<const __m128i *>(src + x);
        auto *out = reinterpret_cast<__m128i *>(levels + x);
        _mm_storeu_si128(out, _mm_packs_epi32(scaled(_mm_loadu_si128(in + 0)), scaled(_mm_loadu_si128(in + 1))));
        _mm_storeu_si128(out + 1, _mm_packs_epi32(scaled(_mm_loadu_si128(in + 2)), scaled(_mm_loadu_si128(in + 3))));
    }
    return x;
}
#endif

} // namespace

void scaledHalftoneLevels(const std::uint32_t *src, std::int16_t *levels, int width, int threshold, bool reverse,
                          int shift)
{
    int x = 0;
#if PLOVAN_SSE2
    x = reverse ? scaledLevelsSixteen<true>(src, levels, width, threshold, shift)
                : scaledLevelsSixteen<false>(src, levels, width, threshold, shift);
#endif
    for (; x < width; ++x)
        levels[x] = std::int16_t((halftoneLevel(src[x], threshold, reverse) << shift) + ((1 << shift) >> 1));
}

} // namespace plovan
