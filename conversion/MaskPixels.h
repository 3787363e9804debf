#pragma once

// Black and white pixels from a byte mask: a byte of all ones for white, zero for black,
// to the stored pixel, opaque black or opaque white.

#include "conversion/Sse2.h"
#include "platform/StoredPixel.h"

#include <cstdint>

namespace plovan {

// One pixel from its byte, 0xFF (white) or 0 (black).
inline std::uint32_t maskPixel(std::uint8_t white)
{
    return kStoredBlackPixel | (kRgbMask & white * 0x010101u);
}

#if PLOVAN_SSE2
// Sixteen pixels, four to a vector in order, from sixteen such bytes: each byte is widened
// to the 32 bits of its pixel, and the opaque top byte OR-ed over it.
struct SixteenPixels {
    __m128i quarter[4];
};

inline SixteenPixels maskPixelsSixteen(__m128i whites)
{
    const __m128i black = _mm_set1_epi32(int(kStoredBlackPixel));
    const __m128i low = _mm_unpacklo_epi8(whites, whites);
    const __m128i high = _mm_unpackhi_epi8(whites, whites);
    return {{_mm_or_si128(_mm_unpacklo_epi16(low, low), black), _mm_or_si128(_mm_unpackhi_epi16(low, low), black),
             _mm_or_si128(_mm_unpacklo_epi16(high, high), black), _mm_or_si128(_mm_unpackhi_epi16(high, high), black)}};
}
#endif

} // namespace plovan
