#include "conversion/OrderedDither.h"

#include "conversion/HalftoneLevel.h"
#include "conversion/StreamedRow.h"

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

// Four stored pixels to four results: white where the level is above the threshold
// minus one (all ones, stored white), else stored black.
template <bool reverse>
inline __m128i orderedFour(__m128i pixels, __m128i shift, __m128i whiteAbove)
{
    return _mm_or_si128(_mm_cmpgt_epi32(halftoneLevelsFour<reverse>(pixels, shift), whiteAbove),
                        _mm_set1_epi32(int(kStoredBlackPixel)));
}

// The same walk over a row as the threshold's vector path (streamRow). Every line starts
// at the same place in the matrix's period of 8, so the thresholds of a line are four
// fixed vectors, two of them alike.
template <bool reverse>
void orderedRowStreaming(const std::uint32_t *src, std::uint32_t *dst, int width, int y, int threshold)
{
    const std::array<int, 8> &blackBelow = kBlackBelow[size_t(y & 7)];
    auto whiteAbove = [&](int from) {
        return _mm_setr_epi32(blackBelow[size_t((from + 0) & 7)] - 1, blackBelow[size_t((from + 1) & 7)] - 1,
                              blackBelow[size_t((from + 2) & 7)] - 1, blackBelow[size_t((from + 3) & 7)] - 1);
    };
    const __m128i shift = _mm_set1_epi32(128 - threshold);
    streamRow(
        src, dst, width, [&](int from, int to) { orderedPixels(src, dst, from, to, y, threshold, reverse); },
        [&](int start) {
            const __m128i w0 = whiteAbove(start), w1 = whiteAbove(start + 4);
            return [shift, w0, w1](__m128i pixels, int quarter) {
                return orderedFour<reverse>(pixels, shift, quarter % 2 ? w1 : w0);
            };
        });
}

#endif

} // namespace

std::vector<int> orderedRanks()
{
    std::vector<int> ranks;
    for (const auto &row : kBayer)
        for (const int entry : row)
            ranks.push_back(63 - entry);
    return ranks;
}

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
