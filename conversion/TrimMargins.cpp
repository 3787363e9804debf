#include "conversion/TrimMargins.h"

#include "conversion/Orientation.h"
#include "platform/StoredPixel.h"

#include <algorithm>
#include <cstdint>

#include "conversion/Sse2.h"

namespace plovan {
namespace {

// Paper is a floored mean of at least 250 (Light) or at most 5 (Dark): in sums of red,
// green and blue, at least 750 or at most 17.
constexpr int kLightPaperSum = 750;
constexpr int kDarkPaperSum = 17;

// Where along a row content lies, a pixel's paper told by `isPaper`: the first pixel of
// [from, to) that is not paper (`to` when there is none), the last (`from - 1`).
template <typename IsPaper>
int firstContentPixel(const std::uint32_t *row, int from, int to, const IsPaper &isPaper)
{
    for (int x = from; x < to; ++x) {
        if (!isPaper(row[x]))
            return x;
    }
    return to;
}

template <typename IsPaper>
int lastContentPixel(const std::uint32_t *row, int from, int to, const IsPaper &isPaper)
{
    for (int x = to; x > from; --x) {
        if (!isPaper(row[x - 1]))
            return x - 1;
    }
    return from - 1;
}

// The paper of the picture as it is, from its channel sums, 16 pixels at a time (with
// SSE2 where it is built), so that a margin (or a picture that is paper everywhere) is
// read at the speed of memory.
template <bool light>
class SumPaper {
public:
    static bool isPaper(std::uint32_t pixel)
    {
        return light ? channelSum(pixel) >= kLightPaperSum : channelSum(pixel) <= kDarkPaperSum;
    }

    int firstContent(const std::uint32_t *row, int from, int to) const
    {
        int x = from;
        for (; x + 16 <= to; x += 16) {
            if (anyContent(row + x))
                break; // one of these 16: found below, one at a time
        }
        return firstContentPixel(row, x, to, isPaper);
    }

    int lastContent(const std::uint32_t *row, int from, int to) const
    {
        int x = to;
        for (; x - 16 >= from; x -= 16) {
            if (anyContent(row + x - 16))
                break;
        }
        return lastContentPixel(row, from, x, isPaper);
    }

private:
#if !PLOVAN_SSE2
    // 16 pixels without a branch between them, which a compiler may make vector code of
    // (GCC 12 here does not: 2.2 times a copy for a picture that is all paper).
    static bool anyContent(const std::uint32_t *sixteen)
    {
        int content = 0;
        for (int k = 0; k < 16; ++k) {
            const int sum = channelSum(sixteen[k]);
            content |= light ? sum < kLightPaperSum : sum > kDarkPaperSum;
        }
        return content != 0;
    }
#else
    static bool anyContent(const std::uint32_t *sixteen)
    {
        const auto *in = reinterpret_cast<const __m128i *>(sixteen);
        const __m128i content = _mm_or_si128(_mm_or_si128(contentFour(_mm_loadu_si128(in)), contentFour(_mm_loadu_si128(in + 1))),
                                             _mm_or_si128(contentFour(_mm_loadu_si128(in + 2)), contentFour(_mm_loadu_si128(in + 3))));
        return _mm_movemask_epi8(content) != 0;
    }

    static __m128i contentFour(__m128i pixels)
    {
        const __m128i sums = channelSumsFour(pixels);
        return light ? _mm_cmplt_epi32(sums, _mm_set1_epi32(kLightPaperSum))
                     : _mm_cmpgt_epi32(sums, _mm_set1_epi32(kDarkPaperSum));
    }
#endif
};

// The paper of the picture as a tone table would make it. Looking each pixel up takes
// longer than reading it, so where SSE2 is built 16 pixels at a time are first told
// apart by their lowest channel (Light) or highest (Dark): the table never falls as the
// value rises (contrast -100 at the least keeps it flat), so a lowest channel that the
// table takes to 250 or more makes paper whatever the others are, and a picture whose
// margins are that light is read at the speed of memory. Only pixels that this cannot
// settle are looked up.
class TonedPaper {
public:
    TonedPaper(const ToneTable &table, Trim trim) : table_(table), light_(trim == Trim::Light)
    {
        const bool rising = std::is_sorted(table.begin(), table.end());
        // Light: the lowest channel from which every value is toned to 250 or more.
        // Dark: the highest channel up to which every value is toned to 5 or less.
        int limit = light_ ? 256 : -1;
        if (rising) {
            for (int v = 0; v < 256; ++v) {
                if (light_ && table[size_t(v)] >= 250) {
                    limit = v;
                    break;
                }
                if (!light_ && table[size_t(v)] <= 5)
                    limit = v;
            }
        }
        sureLimit_ = limit;
    }

    bool operator()(std::uint32_t pixel) const
    {
        const int sum = table_[size_t(Red(pixel))] + table_[size_t(Green(pixel))] + table_[size_t(Blue(pixel))];
        return light_ ? sum >= kLightPaperSum : sum <= kDarkPaperSum;
    }

    int firstContent(const std::uint32_t *row, int from, int to) const
    {
        int x = from;
#if PLOVAN_SSE2
        for (; x + 16 <= to; x += 16) {
            if (surelyPaper(row + x))
                continue;
            const int first = firstContentPixel(row, x, x + 16, *this);
            if (first < x + 16)
                return first;
        }
#endif
        return firstContentPixel(row, x, to, *this);
    }

    int lastContent(const std::uint32_t *row, int from, int to) const
    {
        int x = to;
#if PLOVAN_SSE2
        for (; x - 16 >= from; x -= 16) {
            if (surelyPaper(row + x - 16))
                continue;
            const int last = lastContentPixel(row, x - 16, x, *this);
            if (last >= x - 16)
                return last;
        }
#endif
        return lastContentPixel(row, from, x, *this);
    }

private:
#if PLOVAN_SSE2
    // Whether each of 16 pixels is paper by its lowest (highest) channel alone. In each
    // pixel's lowest byte: the minimum (maximum) of blue, green and red, the top byte set
    // (cleared) so that it takes no part.
    bool surelyPaper(const std::uint32_t *sixteen) const
    {
        const auto *in = reinterpret_cast<const __m128i *>(sixteen);
        __m128i sure = _mm_set1_epi32(-1);
        for (int q = 0; q < 4; ++q) {
            const __m128i pixels = _mm_loadu_si128(in + q);
            __m128i extreme;
            if (light_) {
                const __m128i v = _mm_or_si128(pixels, _mm_set1_epi32(int(0xFF000000u)));
                extreme = _mm_min_epu8(_mm_min_epu8(v, _mm_srli_epi32(v, 8)), _mm_srli_epi32(v, 16));
            } else {
                const __m128i v = _mm_and_si128(pixels, _mm_set1_epi32(0x00FFFFFF));
                extreme = _mm_max_epu8(_mm_max_epu8(v, _mm_srli_epi32(v, 8)), _mm_srli_epi32(v, 16));
            }
            extreme = _mm_and_si128(extreme, _mm_set1_epi32(0xFF));
            sure = _mm_and_si128(sure, light_ ? _mm_cmpgt_epi32(extreme, _mm_set1_epi32(sureLimit_ - 1))
                                              : _mm_cmplt_epi32(extreme, _mm_set1_epi32(sureLimit_ + 1)));
        }
        return _mm_movemask_epi8(sure) == 0xFFFF;
    }
#endif

    const ToneTable &table_;
    bool light_;
    int sureLimit_; // 256 (Light) or -1 (Dark) when no channel makes paper on its own
};

// Asks for pixels [from, to) of a row to be brought in ahead of their reading. The
// margins of a row are two short pieces of it, too short for the processor's own
// prefetchers to get going: asked for a few rows ahead, the reading is not left waiting
// on each line of them.
inline void prefetchPixels(const std::uint32_t *row, int from, int to)
{
#if PLOVAN_SSE2
    for (int x = from; x < to; x += 16)
        _mm_prefetch(reinterpret_cast<const char *>(row + x), _MM_HINT_T0);
#else
    (void)row, (void)from, (void)to;
#endif
}
constexpr int kRowsAhead = 4;

// The bounding box of the pixels that are not paper: the top row with any, then the
// bottom one, then, on the rows between, only as far in from the sides as the box
// reaches so far. The whole picture when it is all paper.
template <typename Paper>
QRect contentOf(const Picture &picture, const Paper &paper)
{
    const ConstRGBSurface in = picture.rgbSurface();
    const int width = picture.Width();
    const int height = picture.Height();
    int top = 0;
    int left = width;
    for (; top < height; ++top) {
        left = paper.firstContent(in.row(top), 0, width);
        if (left < width)
            break;
    }
    if (top == height)
        return QRect(0, 0, width, height);
    int right = paper.lastContent(in.row(top), left, width);
    int bottom = height - 1;
    for (; bottom > top; --bottom) {
        const int first = paper.firstContent(in.row(bottom), 0, width);
        if (first < width) {
            left = std::min(left, first);
            right = std::max(right, paper.lastContent(in.row(bottom), first, width));
            break;
        }
    }
    for (int y = top + 1; y < bottom && (left > 0 || right < width - 1); ++y) {
        if (y + kRowsAhead < bottom) {
            prefetchPixels(in.row(y + kRowsAhead), 0, left);
            prefetchPixels(in.row(y + kRowsAhead), right + 1, width);
        }
        left = paper.firstContent(in.row(y), 0, left);
        right = paper.lastContent(in.row(y), right + 1, width);
    }
    return QRect(left, top, right - left + 1, bottom - top + 1);
}

} // namespace

QRect contentRect(const Picture &picture, Trim trim)
{
    switch (trim) {
    case Trim::Off:
        break;
    case Trim::Light:
        return contentOf(picture, SumPaper<true>());
    case Trim::Dark:
        return contentOf(picture, SumPaper<false>());
    }
    return QRect(0, 0, picture.Width(), picture.Height());
}

QRect contentRect(const Picture &picture, Trim trim, const ToneTable &table)
{
    if (trim == Trim::Off)
        return QRect(0, 0, picture.Width(), picture.Height());
    return contentOf(picture, TonedPaper(table, trim));
}

PictureRef trimMargins(const PictureRef &picture, Trim trim)
{
    const QRect kept = contentRect(*picture, trim);
    if (kept == QRect(0, 0, picture->Width(), picture->Height()))
        return picture;
    return orientPart(*picture, kept, Orientation{}); // the identity: a plain copy of the part
}

} // namespace plovan
