#include "conversion/Redraw.h"

#include "conversion/ErrorDiffusion.h"
#include "conversion/OrderedDither.h"
// Where the SSE2 loops are not built (Sse2.h), the plain loop does the whole row.
#include "conversion/Sse2.h"

#include <cstdint>

namespace plovan {
namespace {

constexpr std::uint32_t kStoredBlack = RGBSurface::storedColour(kBlack);
constexpr std::uint32_t kStoredWhite = RGBSurface::storedColour(kWhite);

inline int channelSum(std::uint32_t p)
{
    return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
}

// Pixels [from, to) of a row, one at a time: the head and tail around the vector blocks,
// or the whole row where there are none.
void thresholdPixels(const std::uint32_t *src, std::uint32_t *dst, int from, int to, int threshold, bool reverse)
{
    if (!reverse) {
        const int blackBelow = 3 * threshold;
        for (int x = from; x < to; ++x)
            dst[x] = channelSum(src[x]) < blackBelow ? kStoredBlack : kStoredWhite;
    } else {
        const int blackAbove = 3 * threshold + 2;
        for (int x = from; x < to; ++x)
            dst[x] = channelSum(src[x]) > blackAbove ? kStoredBlack : kStoredWhite;
    }
}

#if PLOVAN_SSE2

// One destination line: 64 bytes, 16 pixels.
constexpr int kLinePixels = 16;

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
    return _mm_or_si128(white, _mm_set1_epi32(int(kStoredBlack)));
}

// One destination line from src + x to dst + x, written with streaming stores: the result
// is not read again soon and a big picture does not fit in the caches anyway, so the
// stores skip reading the line first and cost no more than a copy. The source a few lines
// ahead is requested too: the processor's own prefetchers follow a row only while its
// loads come in ascending order, and the compiler orders the four loads as it likes.
template <bool reverse>
inline void thresholdLine(const std::uint32_t *src, std::uint32_t *dst, int x, __m128i limit)
{
    constexpr std::uintptr_t kPrefetchDistance = 512;
    _mm_prefetch(reinterpret_cast<const char *>(reinterpret_cast<std::uintptr_t>(src + x) + kPrefetchDistance),
                 _MM_HINT_T0);
    const auto *in = reinterpret_cast<const __m128i *>(src + x);
    auto *out = reinterpret_cast<__m128i *>(dst + x);
    const __m128i r0 = thresholdFour<reverse>(_mm_loadu_si128(in + 0), limit);
    const __m128i r1 = thresholdFour<reverse>(_mm_loadu_si128(in + 1), limit);
    const __m128i r2 = thresholdFour<reverse>(_mm_loadu_si128(in + 2), limit);
    const __m128i r3 = thresholdFour<reverse>(_mm_loadu_si128(in + 3), limit);
    // The four stores of a line back to back, so that it leaves the core whole.
    _mm_stream_si128(out + 0, r0);
    _mm_stream_si128(out + 1, r1);
    _mm_stream_si128(out + 2, r2);
    _mm_stream_si128(out + 3, r3);
}

// The whole lines of the row go as four parts in step, a line of each in turn, and the
// few lines left over one after another. In 4 KiB pages a single stream stalls at every
// page boundary, where the processor's prefetchers stop and the next page's address has
// to be translated, which is slow in a virtual machine; with four streams those waits
// overlap. Measured against a copy of the same pictures in 4 KiB pages, one stream took
// 1.15 to 1.5 times as long as the copy, two 0.95 to 1.4, four 0.8 to 1.2; in huge pages
// all of them stay between 1.0 and 1.2.
template <bool reverse>
void thresholdRowStreaming(const std::uint32_t *src, std::uint32_t *dst, int width, int threshold)
{
    constexpr int kParts = 4;
    int x = 0;
    while (x < width && reinterpret_cast<std::uintptr_t>(dst + x) % 64 != 0)
        ++x;
    thresholdPixels(src, dst, 0, x, threshold, reverse);
    const __m128i limit = _mm_set1_epi32(reverse ? 3 * threshold + 3 : 3 * threshold - 1);
    const int lines = (width - x) / kLinePixels;
    const int partLines = lines / kParts;
    for (int i = 0; i < partLines; ++i) {
        for (int part = 0; part < kParts; ++part)
            thresholdLine<reverse>(src, dst, x + (part * partLines + i) * kLinePixels, limit);
    }
    for (int line = kParts * partLines; line < lines; ++line)
        thresholdLine<reverse>(src, dst, x + line * kLinePixels, limit);
    x += lines * kLinePixels;
    thresholdPixels(src, dst, x, width, threshold, reverse);
    // Streaming stores are weakly ordered against ordinary ones; the fence completes the
    // row's stores before anything stored after it, as non-temporal loops must end.
    _mm_sfence();
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

void redraw(const WindowState &state, ConversionView &view)
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
    switch (state.print.halftone) {
    case Halftone::None:
        eachRow([&](int, const std::uint32_t *src, std::uint32_t *dst) {
            thresholdRow(src, dst, width, threshold, reverse);
        });
        break;
    case Halftone::FloydSteinberg: {
        FloydSteinberg diffusion(width);
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
        break;
    }
    case Halftone::Atkinson: {
        Atkinson diffusion(width);
        eachRow([&](int, const std::uint32_t *src, std::uint32_t *dst) { diffusion.row(src, dst, threshold, reverse); });
        break;
    }
    case Halftone::Ordered:
        eachRow([&](int y, const std::uint32_t *src, std::uint32_t *dst) {
            orderedRow(src, dst, width, y, threshold, reverse);
        });
        break;
    }
    view.setProcessedBackdrop(state.destPix);
}

} // namespace plovan
