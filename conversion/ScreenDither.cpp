#include "conversion/ScreenDither.h"

#include "conversion/BlueNoise.h"
#include "conversion/ClusteredDot.h"
#include "conversion/HalftoneLevel.h"
#include "conversion/StreamedRow.h"

namespace plovan {
namespace {

template <int side>
void screenPixels(const int (&blackBelow)[side], const std::uint32_t *src, std::uint32_t *dst, int from, int to,
                  int threshold, bool reverse)
{
    int place = from % side;
    for (int x = from; x < to; ++x) {
        dst[x] = halftoneLevel(src[x], threshold, reverse) < blackBelow[place] ? kStoredBlackPixel : kStoredWhitePixel;
        place = place + 1 == side ? 0 : place + 1;
    }
}

#if PLOVAN_SSE2

// The same walk over a row as the threshold's and the ordered dither's vector path, but a
// tile's period need not divide a line's 16 pixels: each line reads its thresholds from
// where it starts in the period, out of the row's thresholds laid out once and then again
// for 16 more places, so that four of them are always side by side.
template <int side, bool reverse>
void screenRowStreaming(const int (&blackBelow)[side], const std::uint32_t *src, std::uint32_t *dst, int width,
                        int threshold)
{
    alignas(16) int whiteAbove[side + kLinePixels];
    for (int i = 0; i < side + kLinePixels; ++i)
        whiteAbove[i] = blackBelow[i % side] - 1;
    const __m128i shift = _mm_set1_epi32(128 - threshold);
    const __m128i black = _mm_set1_epi32(int(kStoredBlackPixel));
    streamLines(
        dst, width, [&](int from, int to) { screenPixels<side>(blackBelow, src, dst, from, to, threshold, reverse); },
        [&](int) {
            return [&](int at) {
                const int *thresholds = whiteAbove + at % side;
                streamLine(src, dst, at, [&](__m128i pixels, int quarter) {
                    const __m128i limit = _mm_loadu_si128(reinterpret_cast<const __m128i *>(thresholds + 4 * quarter));
                    // White (all ones, stored white) where the level is above the threshold
                    // less one, else stored black.
                    return _mm_or_si128(_mm_cmpgt_epi32(halftoneLevelsFour<reverse>(pixels, shift), limit), black);
                });
            };
        });
}

#endif

} // namespace

template <int side>
void screenRow(const ScreenTile<side> &tile, const std::uint32_t *src, std::uint32_t *dst, int width, int y,
               int threshold, bool reverse)
{
    const int(&blackBelow)[side] = tile.blackBelow[y % side];
#if PLOVAN_SSE2
    if (reverse)
        screenRowStreaming<side, true>(blackBelow, src, dst, width, threshold);
    else
        screenRowStreaming<side, false>(blackBelow, src, dst, width, threshold);
#else
    screenPixels<side>(blackBelow, src, dst, 0, width, threshold, reverse);
#endif
}

template void screenRow<kBlueNoiseSide>(const ScreenTile<kBlueNoiseSide> &, const std::uint32_t *, std::uint32_t *,
                                        int, int, int, bool);
template void screenRow<8>(const ScreenTile<8> &, const std::uint32_t *, std::uint32_t *, int, int, int, bool);
template void screenRow<kClusteredSide>(const ScreenTile<kClusteredSide> &, const std::uint32_t *, std::uint32_t *,
                                        int, int, int, bool);

} // namespace plovan
