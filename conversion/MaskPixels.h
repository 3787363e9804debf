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

// Opaque black or white for each of `width` pixels from their bytes, every `stride`th
// byte of `bytes`, whole 16-byte blocks with streaming stores: the row is not read again
// soon, and the stores need not read the memory first. `fromDots`: a byte is 0 for white
// and anything else for black (as the model-based diffusion keeps its dots), else 0xFF for
// white and 0 for black. With a stride of 2 the blocks read a byte past the last pixel's.
template <bool fromDots, int stride>
inline void writeBytesAsPixels(const std::uint8_t *bytes, std::uint32_t *dst, int width)
{
    static_assert(stride == 1 || stride == 2);
    auto white = [](std::uint8_t byte) { return fromDots ? std::uint8_t(byte == 0 ? 0xFF : 0) : byte; };
    int x = 0;
#if PLOVAN_SSE2
    while (x < width && reinterpret_cast<std::uintptr_t>(dst + x) % 16 != 0) {
        dst[x] = maskPixel(white(bytes[stride * x]));
        ++x;
    }
    for (; x + 16 <= width; x += 16) {
        const auto *in = reinterpret_cast<const __m128i *>(bytes + stride * x);
        __m128i whites;
        if constexpr (stride == 1) {
            whites = _mm_loadu_si128(in);
        } else {
            const __m128i low = _mm_set1_epi16(0xFF);
            whites = _mm_packus_epi16(_mm_and_si128(_mm_loadu_si128(in), low), _mm_and_si128(_mm_loadu_si128(in + 1), low));
        }
        if constexpr (fromDots)
            whites = _mm_cmpeq_epi8(whites, _mm_setzero_si128());
        const SixteenPixels pixels = maskPixelsSixteen(whites);
        auto *out = reinterpret_cast<__m128i *>(dst + x);
        for (int i = 0; i < 4; ++i)
            _mm_stream_si128(out + i, pixels.quarter[i]);
    }
    // Streaming stores are weakly ordered; the fence makes the row visible in order.
    _mm_sfence();
#endif
    for (; x < width; ++x)
        dst[x] = maskPixel(white(bytes[stride * x]));
}

// From bytes of 0xFF for white and 0 for black.
inline void writeBlackAndWhite(const std::uint8_t *whites, std::uint32_t *dst, int width)
{
    writeBytesAsPixels<false, 1>(whites, dst, width);
}

// From every other byte of `dots`, 0 for white and anything else for black.
inline void writeEveryOtherDot(const std::uint8_t *dots, std::uint32_t *dst, int width)
{
    writeBytesAsPixels<true, 2>(dots, dst, width);
}

} // namespace plovan
