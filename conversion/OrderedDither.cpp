#include "conversion/OrderedDither.h"

#include "conversion/HalftoneLevel.h"

#include <array>


namespace plovan {
namespace {

// The 8 x 8 Bayer matrix: each place's rank 0-63 in the order in which the dots of a
// darkening grey appear, as far apart as the grid allows.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

// Rank m is black for levels below 255 (2m + 1) / 128, the middle of its 64th of the
// range. That is never a whole number (odd over a power of two), so level < it is
// level < floor(255 (2m + 1) / 128) + 1, which is 2 for rank 0 and 254 for rank 63.
constexpr std::array<std::array<int, 8>, 8> blackBelowTable()
{
    std::array<std::array<int, 8>, 8> table{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            table[size_t(y)][size_t(x)] = 255 * (2 * kBayer[y][x] + 1) / 128 + 1;
    return table;
}

constexpr auto kBlackBelow = blackBelowTable();

void orderedPixels(const std::uint32_t *src, std::uint32_t *dst, int from, int to, int y, int threshold, bool reverse)
{
    const std::array<int, 8> &blackBelow = kBlackBelow[size_t(y & 7)];
    for (int x = from; x < to; ++x)
        dst[x] = halftoneLevel(src[x], threshold, reverse) < blackBelow[size_t(x & 7)] ? kStoredBlackPixel
                                                                                     : kStoredWhitePixel;
}

#if PLOVAN_SSE2

constexpr int kLinePixels = 16;

// Four stored pixels to four results: white where the level is above the threshold
// minus one (all ones, stored white), else stored black.
template <bool reverse>
inline __m128i orderedFour(__m128i pixels, __m128i shift, __m128i whiteAbove)
{
    return _mm_or_si128(_mm_cmpgt_epi32(halftoneLevelsFour<reverse>(pixels, shift), whiteAbove),
                        _mm_set1_epi32(int(kStoredBlackPixel)));
}

// The same walk over a row as the threshold's vector path: whole 64-byte lines written
// with streaming stores, four parts of the row in step so that page-boundary waits
// overlap, the source prefetched a few lines ahead. Every line starts at the same place in
// the matrix's period of 8, so the thresholds of a line are four fixed vectors.
template <bool reverse>
void orderedRowStreaming(const std::uint32_t *src, std::uint32_t *dst, int width, int y, int threshold)
{
    constexpr int kParts = 4;
    int x = 0;
    while (x < width && reinterpret_cast<std::uintptr_t>(dst + x) % 64 != 0)
        ++x;
    orderedPixels(src, dst, 0, x, y, threshold, reverse);
    const std::array<int, 8> &blackBelow = kBlackBelow[size_t(y & 7)];
    auto whiteAbove = [&](int from) {
        return _mm_setr_epi32(blackBelow[size_t((from + 0) & 7)] - 1, blackBelow[size_t((from + 1) & 7)] - 1,
                              blackBelow[size_t((from + 2) & 7)] - 1, blackBelow[size_t((from + 3) & 7)] - 1);
    };
    const __m128i w0 = whiteAbove(x), w1 = whiteAbove(x + 4);
    const __m128i shift = _mm_set1_epi32(128 - threshold);
    auto line = [&](int at) {
        constexpr std::uintptr_t kPrefetchDistance = 512;
        _mm_prefetch(reinterpret_cast<const char *>(reinterpret_cast<std::uintptr_t>(src + at) + kPrefetchDistance),
                     _MM_HINT_T0);
        const auto *in = reinterpret_cast<const __m128i *>(src + at);
        auto *out = reinterpret_cast<__m128i *>(dst + at);
        const __m128i r0 = orderedFour<reverse>(_mm_loadu_si128(in + 0), shift, w0);
        const __m128i r1 = orderedFour<reverse>(_mm_loadu_si128(in + 1), shift, w1);
        const __m128i r2 = orderedFour<reverse>(_mm_loadu_si128(in + 2), shift, w0);
        const __m128i r3 = orderedFour<reverse>(_mm_loadu_si128(in + 3), shift, w1);
        _mm_stream_si128(out + 0, r0);
        _mm_stream_si128(out + 1, r1);
        _mm_stream_si128(out + 2, r2);
        _mm_stream_si128(out + 3, r3);
    };
    const int lines = (width - x) / kLinePixels;
    const int partLines = lines / kParts;
    for (int i = 0; i < partLines; ++i) {
        for (int part = 0; part < kParts; ++part)
            line(x + (part * partLines + i) * kLinePixels);
    }
    for (int l = kParts * partLines; l < lines; ++l)
        line(x + l * kLinePixels);
    x += lines * kLinePixels;
    orderedPixels(src, dst, x, width, y, threshold, reverse);
    // Streaming stores are weakly ordered; the fence makes the row visible in order.
    _mm_sfence();
}

#endif

} // namespace

void orderedRow(const std::uint32_t *src, std::uint32_t *dst, int width, int y, int threshold, bool reverse)
{
#if PLOVAN_SSE2
    if (reverse)
        orderedRowStreaming<true>(src, dst, width, y, threshold);
    else
        orderedRowStreaming<false>(src, dst, width, y, threshold);
#else
    orderedPixels(src, dst, 0, width, y, threshold, reverse);
#endif
}

} // namespace plovan
