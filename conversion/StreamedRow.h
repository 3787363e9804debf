#pragma once

// The walk over a row that the threshold and the ordered dither share on their vector
// path: the pixels up to the first 64-byte line of the destination one at a time, then
// whole lines of 16 pixels with streaming stores, then the pixels left over one at a time.

#include "conversion/Sse2.h"

#include <cstdint>

#if PLOVAN_SSE2
namespace plovan {

// One destination line: 64 bytes, 16 pixels.
inline constexpr int kLinePixels = 16;

// One destination line from src + at to dst + at, `four(pixels, quarter)` making the
// stored results of four stored pixels, quarter 0-3 of the line. Written with streaming
// stores: the result is not read again soon and a big picture does not fit in the caches
// anyway, so the stores skip reading the line first and cost no more than a copy. The
// source a few lines ahead is requested too: the processor's own prefetchers follow a row
// only while its loads come in ascending order, and the compiler orders the four loads as
// it likes.
template <typename Four>
inline void streamLine(const std::uint32_t *src, std::uint32_t *dst, int at, const Four &four)
{
    constexpr std::uintptr_t kPrefetchDistance = 512;
    _mm_prefetch(reinterpret_cast<const char *>(reinterpret_cast<std::uintptr_t>(src + at) + kPrefetchDistance),
                 _MM_HINT_T0);
    const auto *in = reinterpret_cast<const __m128i *>(src + at);
    auto *out = reinterpret_cast<__m128i *>(dst + at);
    const __m128i r0 = four(_mm_loadu_si128(in + 0), 0);
    const __m128i r1 = four(_mm_loadu_si128(in + 1), 1);
    const __m128i r2 = four(_mm_loadu_si128(in + 2), 2);
    const __m128i r3 = four(_mm_loadu_si128(in + 3), 3);
    // The four stores of a line back to back, so that it leaves the core whole.
    _mm_stream_si128(out + 0, r0);
    _mm_stream_si128(out + 1, r1);
    _mm_stream_si128(out + 2, r2);
    _mm_stream_si128(out + 3, r3);
}

// `width` pixels from src to dst: `pixels(from, to)` does pixels [from, to) one at a time
// (the head before the first whole line and the tail after the last), and
// `makeFour(start)` gives the `four` of streamLine for the lines, which all start at
// `start` plus a multiple of 16. streamLines is the same walk for a `line(at)` made by
// `makeLine(start)`, doing the line from pixel `at` itself: for thresholds that depend on
// where in the row a line lies.
//
// The whole lines of the row go as four parts in step, a line of each in turn, and the
// few lines left over one after another. In 4 KiB pages a single stream stalls at every
// page boundary, where the processor's prefetchers stop and the next page's address has
// to be translated, which is slow in a virtual machine; with four streams those waits
// overlap. Measured against a copy of the same pictures in 4 KiB pages, one stream took
// 1.15 to 1.5 times as long as the copy, two 0.95 to 1.4, four 0.8 to 1.2; in huge pages
// all of them stay between 1.0 and 1.2.
template <typename Pixels, typename MakeLine>
inline void streamLines(std::uint32_t *dst, int width, const Pixels &pixels, const MakeLine &makeLine)
{
    constexpr int kParts = 4;
    int x = 0;
    while (x < width && reinterpret_cast<std::uintptr_t>(dst + x) % 64 != 0)
        ++x;
    pixels(0, x);
    const auto line = makeLine(x);
    const int lines = (width - x) / kLinePixels;
    const int partLines = lines / kParts;
    for (int i = 0; i < partLines; ++i) {
        for (int part = 0; part < kParts; ++part)
            line(x + (part * partLines + i) * kLinePixels);
    }
    for (int index = kParts * partLines; index < lines; ++index)
        line(x + index * kLinePixels);
    x += lines * kLinePixels;
    pixels(x, width);
    // Streaming stores are weakly ordered against ordinary ones; the fence completes the
    // row's stores before anything stored after it, as non-temporal loops must end.
    _mm_sfence();
}

template <typename Pixels, typename MakeFour>
inline void streamRow(const std::uint32_t *src, std::uint32_t *dst, int width, const Pixels &pixels,
                      const MakeFour &makeFour)
{
    streamLines(dst, width, pixels, [&](int start) {
        return [src, dst, four = makeFour(start)](int at) { streamLine(src, dst, at, four); };
    });
}

} // namespace plovan
#endif
