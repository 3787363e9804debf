#include "conversion/HalftoneLevel.h"

namespace plovan {
namespace {

#if PLOVAN_SSE2
// Sixteen pixels at a time, packed down to bytes (the levels are 0-255, so neither pack
// saturates).
template <bool reverse>
int halftoneLevelsSixteen(const std::uint32_t *src, std::uint8_t *levels, int width, int threshold)
{
    const __m128i shift = _mm_set1_epi32(128 - threshold);
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        // Requested well ahead: in a virtual machine's 4 KiB pages the processor's own
        // prefetcher stops at every page boundary.
        _mm_prefetch(reinterpret_cast<const char *>(src + x) + 2048, _MM_HINT_T0);
        const auto *in = reinterpret_cast<const __m128i *>(src + x);
        const __m128i l0 = halftoneLevelsFour<reverse>(_mm_loadu_si128(in + 0), shift);
        const __m128i l1 = halftoneLevelsFour<reverse>(_mm_loadu_si128(in + 1), shift);
        const __m128i l2 = halftoneLevelsFour<reverse>(_mm_loadu_si128(in + 2), shift);
        const __m128i l3 = halftoneLevelsFour<reverse>(_mm_loadu_si128(in + 3), shift);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(levels + x),
                         _mm_packus_epi16(_mm_packs_epi32(l0, l1), _mm_packs_epi32(l2, l3)));
    }
    return x;
}
#endif

} // namespace

void halftoneLevels(const std::uint32_t *src, std::uint8_t *levels, int width, int threshold, bool reverse)
{
    int x = 0;
#if PLOVAN_SSE2
    x = reverse ? halftoneLevelsSixteen<true>(src, levels, width, threshold)
                : halftoneLevelsSixteen<false>(src, levels, width, threshold);
#endif
    for (; x < width; ++x)
        levels[x] = std::uint8_t(halftoneLevel(src[x], threshold, reverse));
}

} // namespace plovan
