#pragma once

// Whether the SSE2 row loops are built: wherever the compiler targets SSE2 (every x86-64
// processor has it), unless PLOVAN_PLAIN_LOOPS asks for the plain loops that every other
// processor (an ARM Mac, for one) runs, so that those are built and tested here too.
#if defined(__SSE2__) && !defined(PLOVAN_PLAIN_LOOPS)
#define PLOVAN_SSE2 1
#include <emmintrin.h>
#else
#define PLOVAN_SSE2 0
#endif

#if PLOVAN_SSE2
namespace plovan {

// r + g + b of four stored pixels, one in each 32-bit lane, the top byte left out. As 16-bit
// halves a stored pixel is (b + 256 g, r + 256 top): masking gives (b, r) and a 16-bit shift
// gives (g, top), so a multiply-add with (1, 1) and one with (1, 0) give the sum.
inline __m128i channelSumsFour(__m128i pixels)
{
    const __m128i blueRed = _mm_and_si128(pixels, _mm_set1_epi32(0x00FF00FF));
    const __m128i greenTop = _mm_srli_epi16(pixels, 8);
    return _mm_add_epi32(_mm_madd_epi16(blueRed, _mm_set1_epi32(0x00010001)),
                         _mm_madd_epi16(greenTop, _mm_set1_epi32(0x00000001)));
}

} // namespace plovan
#endif
