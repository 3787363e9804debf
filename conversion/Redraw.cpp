#include "conversion/Redraw.h"

#include "conversion/BlueNoise.h"
#include "conversion/ClusteredDot.h"
#include "conversion/DotGainScreen.h"
#include "conversion/ErrorDiffusion.h"
#include "conversion/KernelDiffusion.h"
#include "conversion/ModelDiffusion.h"
#include "conversion/OrderedDither.h"
#include "conversion/ScreenDither.h"
// Where the SSE2 loops are not built (Sse2.h), the plain loop does the whole row.
#include "conversion/Sse2.h"
#include "conversion/StreamedRow.h"
#include "platform/StoredPixel.h"

#include <algorithm>
#include <iterator>
#include <vector>
#include <cstdint>
#include <type_traits>

namespace plovan {
namespace {

// Pixels [from, to) of a row, one at a time: the head and tail around the vector blocks,
// or the whole row where there are none.
void thresholdPixels(const std::uint32_t *src, std::uint32_t *dst, int from, int to, int threshold, bool reverse)
{
    if (!reverse) {
        const int blackBelow = 3 * threshold;
        for (int x = from; x < to; ++x)
            dst[x] = channelSum(src[x]) < blackBelow ? kStoredBlackPixel : kStoredWhitePixel;
    } else {
        const int blackAbove = 3 * threshold + 2;
        for (int x = from; x < to; ++x)
            dst[x] = channelSum(src[x]) > blackAbove ? kStoredBlackPixel : kStoredWhitePixel;
    }
}

#if PLOVAN_SSE2

// Four stored pixels in, four stored results out, from their channel sums r + g + b.
// The signed compare gives all ones, which is stored white, where the pixel is white and
// zero elsewhere; OR-ing the opaque top byte turns the zeros into stored black.
// `limit` is 3t - 1 in normal mode (white when the sum is above it, i.e. at least 3t) and
// 3t + 3 in reverse mode (white when the sum is below it, i.e. at most 3t + 2).
template <bool reverse>
inline __m128i thresholdFour(__m128i pixels, __m128i limit)
{
    const __m128i sums = channelSumsFour(pixels);
    const __m128i white = reverse ? _mm_cmplt_epi32(sums, limit) : _mm_cmpgt_epi32(sums, limit);
    return _mm_or_si128(white, _mm_set1_epi32(int(kStoredBlackPixel)));
}

// The row in whole 64-byte lines with streaming stores (streamRow), the head and the
// tail one pixel at a time.
template <bool reverse>
void thresholdRowStreaming(const std::uint32_t *src, std::uint32_t *dst, int width, int threshold)
{
    const __m128i limit = _mm_set1_epi32(reverse ? 3 * threshold + 3 : 3 * threshold - 1);
    streamRow(
        src, dst, width, [&](int from, int to) { thresholdPixels(src, dst, from, to, threshold, reverse); },
        [limit](int) { return [limit](__m128i pixels, int) { return thresholdFour<reverse>(pixels, limit); }; });
}

#endif

} // namespace

void thresholdRow(const std::uint32_t *src, std::uint32_t *dst, int width, int threshold, bool reverse)
{
#if PLOVAN_SSE2
    if (reverse)
        thresholdRowStreaming<true>(src, dst, width, threshold);
    else
        thresholdRowStreaming<false>(src, dst, width, threshold);
#else
    thresholdPixels(src, dst, 0, width, threshold, reverse);
#endif
}

void redraw(const ConversionState &state, ConversionView &view)
{
    if (!state.hasPictures())
        return;
    const int height = state.pix->Height();
    const int width = state.pix->Width();
    const ConstRGBSurface source = std::as_const(*state.pix).rgbSurface();
    RGBSurface dest = state.destPix->rgbSurface();
    const int threshold = state.threshold;
    const bool reverse = state.reverse;
    auto eachRow = [&](auto &&convertRow) {
        for (int y = 0; y < height; ++y) {
            convertRow(y, source.row(y), dest.row(y));
            view.setProgressText(QString::number(y + 1));
        }
    };
    // An error diffusion made for this picture's width, a row at a time from the top.
    auto diffuseEachRow = [&](auto &&diffusion) {
        eachRow([&](int, const std::uint32_t *src, std::uint32_t *dst) { diffusion.row(src, dst, threshold, reverse); });
    };
    // The same two rows at a time (rows()), the last alone when the height is odd.
    auto diffuseInPairs = [&](auto &&diffusion) {
        int y = 0;
        for (; y + 1 < height; y += 2) {
            diffusion.rows(source.row(y), dest.row(y), source.row(y + 1), dest.row(y + 1), threshold, reverse);
            view.setProgressText(QString::number(y + 1));
            view.setProgressText(QString::number(y + 2));
        }
        if (y < height) {
            diffusion.row(source.row(y), dest.row(y), threshold, reverse);
            view.setProgressText(QString::number(y + 1));
        }
    };
    // A kernel's diffusion, a band of rows at a time (band()) unless they run serpentine.
    auto diffuseByKernel = [&](auto &&diffusion) {
        if (state.print.serpentine) {
            diffuseEachRow(diffusion);
            return;
        }
        constexpr int kRows = std::remove_cvref_t<decltype(diffusion)>::kBandRows;
        const std::uint32_t *src[kRows];
        std::uint32_t *dst[kRows];
        for (int y = 0; y < height; y += kRows) {
            const int count = std::min(kRows, height - y);
            for (int i = 0; i < count; ++i) {
                src[i] = source.row(y + i);
                dst[i] = dest.row(y + i);
            }
            diffusion.band(src, dst, count, threshold, reverse);
            for (int i = 0; i < count; ++i)
                view.setProgressText(QString::number(y + i + 1));
        }
    };
    // With a dot gain the error diffusions weigh each dot by what it prints, and the screens
    // go through the tone curve of their own patterns as they print.
    const int dotGain = state.print.dotGainHundredths;
    auto screenEachRow = [&](const auto &tile) {
        eachRow([&](int y, const std::uint32_t *src, std::uint32_t *dst) {
            screenRow(tile, src, dst, width, y, threshold, reverse);
        });
    };
    if (dotGain != 0 && state.print.halftone != Halftone::None) {
        switch (state.print.halftone) {
        case Halftone::Ordered:
            screenEachRow(dotGainTile<8>(orderedRanks(), dotGain));
            break;
        case Halftone::BlueNoise: {
            const BlueNoiseRanks &ranks = blueNoiseRanks();
            screenEachRow(dotGainTile<kBlueNoiseSide>(std::vector<int>(ranks.begin(), ranks.end()), dotGain));
            break;
        }
        case Halftone::Clustered: {
            std::vector<int> ranks;
            for (const auto &row : kClusteredRanks.rank)
                ranks.insert(ranks.end(), std::begin(row), std::end(row));
            screenEachRow(dotGainTile<kClusteredSide>(ranks, dotGain));
            break;
        }
        case Halftone::Atkinson:
            diffuseInPairs(ModelDiffusion<kAtkinsonKernel>(width, height, state.print.serpentine, dotGain));
            break;
        case Halftone::Jarvis:
            diffuseInPairs(ModelDiffusion<kJarvisKernel>(width, height, state.print.serpentine, dotGain));
            break;
        case Halftone::Stucki:
            diffuseInPairs(ModelDiffusion<kStuckiKernel>(width, height, state.print.serpentine, dotGain));
            break;
        case Halftone::Sierra:
            diffuseInPairs(ModelDiffusion<kSierraKernel>(width, height, state.print.serpentine, dotGain));
            break;
        default:
            diffuseInPairs(ModelDiffusion<kFloydSteinbergKernel>(width, height, state.print.serpentine, dotGain));
            break;
        }
        view.setProcessedBackdrop(state.destPix);
        return;
    }
    switch (state.print.halftone) {
    case Halftone::None:
        eachRow([&](int, const std::uint32_t *src, std::uint32_t *dst) {
            thresholdRow(src, dst, width, threshold, reverse);
        });
        break;
    case Halftone::FloydSteinberg:
        if (state.print.serpentine)
            diffuseEachRow(KernelDiffusion<kFloydSteinbergKernel>(width, true));
        else
            diffuseInPairs(FloydSteinberg(width));
        break;
    case Halftone::Atkinson:
        if (state.print.serpentine)
            diffuseEachRow(KernelDiffusion<kAtkinsonKernel>(width, true));
        else
            diffuseEachRow(Atkinson(width));
        break;
    case Halftone::Jarvis:
        diffuseByKernel(JarvisDiffusion(width, state.print.serpentine));
        break;
    case Halftone::Stucki:
        diffuseByKernel(StuckiDiffusion(width, state.print.serpentine));
        break;
    case Halftone::Sierra:
        diffuseByKernel(SierraDiffusion(width, state.print.serpentine));
        break;
    case Halftone::Ordered:
        eachRow([&](int y, const std::uint32_t *src, std::uint32_t *dst) {
            orderedRow(src, dst, width, y, threshold, reverse);
        });
        break;
    case Halftone::BlueNoise: {
        const ScreenTile<kBlueNoiseSide> &tile = blueNoiseTile();
        eachRow([&](int y, const std::uint32_t *src, std::uint32_t *dst) {
            screenRow(tile, src, dst, width, y, threshold, reverse);
        });
        break;
    }
    case Halftone::Clustered:
        eachRow([&](int y, const std::uint32_t *src, std::uint32_t *dst) {
            screenRow(kClusteredTile, src, dst, width, y, threshold, reverse);
        });
        break;
    }
    view.setProcessedBackdrop(state.destPix);
}

} // namespace plovan
