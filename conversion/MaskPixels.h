#pragma once

// Black and white pixels from a byte mask: a byte of all ones for white, zero for black,
// to the stored pixel, opaque black or opaque white. The error diffusions decide a row into
// such bytes and write it out whole at the end (writeBlackAndWhite).

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

// Opaque black or white for each of `width` pixels from their bytes (0xFF white, 0 black),
// whole 16-byte blocks with streaming stores: the row is not read again soon, and the
// stores need not read the memory first.
inline void writeBlackAndWhite(const std::uint8_t *whites, std::uint32_t *dst, int width)
{
    int x = 0;
#if PLOVAN_SSE2
    while (x < width && reinterpret_cast<std::uintptr_t>(dst + x) % 16 != 0) {
        dst[x] = maskPixel(whites[x]);
        ++x;
    }
    for (; x + 16 <= width; x += 16) {
        const SixteenPixels pixels = maskPixelsSixteen(_mm_loadu_si128(reinterpret_cast<const __m128i *>(whites + x)));
        auto *out = reinterpret_cast<__m128i *>(dst + x);
        for (int i = 0; i < 4; ++i)
            _mm_stream_si128(out + i, pixels.quarter[i]);
    }
    // Streaming stores are weakly ordered; the fence makes the row visible in order.
    _mm_sfence();
#endif
    for (; x < width; ++x)
        dst[x] = maskPixel(whites[x]);
}

} // namespace plovan
