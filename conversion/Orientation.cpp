#include "conversion/Orientation.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "conversion/Sse2.h"
#include "conversion/StreamedRow.h"

namespace plovan {
namespace {

// Pixels as rows in memory: pixel (x, y) at at[y * stride + x].
struct ConstPixels {
    const std::uint32_t *at;
    qsizetype stride; // pixels from one row to the next
    int width;
    int height;
    const std::uint32_t *row(int y) const { return at + qsizetype(y) * stride; }
};
struct Pixels {
    std::uint32_t *at;
    qsizetype stride;
    int width;
    int height;
    std::uint32_t *row(int y) const { return at + qsizetype(y) * stride; }
};

int normalisedTurns(Orientation orientation)
{
    return (orientation.quarterTurns % 4 + 4) % 4;
}

// --- Half turn, mirror and the identity: each row of the result is a row of the source,
// forwards or backwards. The source is read forwards, from its first row to its last:
// read backwards, row after row, the processor's prefetchers start again at each row and
// a mirror took 1.6 times as long as a half turn, whose rows run on into each other.

// dst[x] = src[width - 1 - x], written back to front: where SSE2 is built, whole 64-byte
// lines of the destination with streaming stores, which do not read a line first; the
// pixels past its last whole line and before its first one at a time.
void reversedRow(const std::uint32_t *src, std::uint32_t *dst, int width)
{
    int x = 0;
#if PLOVAN_SSE2
    const int head = std::min(width, int(reinterpret_cast<std::uintptr_t>(dst + width) % 64 / 4));
    for (; x < head; ++x)
        dst[width - 1 - x] = src[x];
    for (; x + kLinePixels <= width; x += kLinePixels) {
        const auto *in = reinterpret_cast<const __m128i *>(src + x);
        auto *out = reinterpret_cast<__m128i *>(dst + width - kLinePixels - x);
        const __m128i a = _mm_loadu_si128(in);
        const __m128i b = _mm_loadu_si128(in + 1);
        const __m128i c = _mm_loadu_si128(in + 2);
        const __m128i d = _mm_loadu_si128(in + 3);
        _mm_stream_si128(out, _mm_shuffle_epi32(d, _MM_SHUFFLE(0, 1, 2, 3)));
        _mm_stream_si128(out + 1, _mm_shuffle_epi32(c, _MM_SHUFFLE(0, 1, 2, 3)));
        _mm_stream_si128(out + 2, _mm_shuffle_epi32(b, _MM_SHUFFLE(0, 1, 2, 3)));
        _mm_stream_si128(out + 3, _mm_shuffle_epi32(a, _MM_SHUFFLE(0, 1, 2, 3)));
    }
#endif
    for (; x < width; ++x)
        dst[width - 1 - x] = src[x];
}

// dst = src, with streaming stores where SSE2 is built (streamRow): a row is far smaller
// than what memcpy streams, so memcpy would read each line of the destination first.
void copiedRow(const std::uint32_t *src, std::uint32_t *dst, int width)
{
#if PLOVAN_SSE2
    streamRow(
        src, dst, width, [&](int from, int to) { std::memcpy(dst + from, src + from, size_t(to - from) * 4); },
        [](int) { return [](__m128i pixels, int) { return pixels; }; });
#else
    std::memcpy(dst, src, size_t(width) * 4);
#endif
}

void rowByRow(const ConstPixels &src, const Pixels &dst, bool upsideDown, bool backwards)
{
    for (int y = 0; y < src.height; ++y) {
        std::uint32_t *to = dst.row(upsideDown ? dst.height - 1 - y : y);
        if (backwards)
            reversedRow(src.row(y), to, src.width);
        else
            copiedRow(src.row(y), to, src.width);
    }
#if PLOVAN_SSE2
    _mm_sfence(); // the streaming stores done before anything stored after them
#endif
}

// --- Quarter turns: the result's rows are the source's columns. Result pixel (x, y) is
// source pixel (sx(y), sy(x)), with sx(y) = y or width - 1 - y (`lastColumnFirst`) and
// sy(x) = x or height - 1 - x (`lastRowFirst`):
//   90 degrees:             sy reversed       90 and mirror:  neither (a transpose)
//   270 degrees:            sx reversed       270 and mirror: both

// The result in blocks of 16 x 16, each read as 16 pieces of source rows (64 bytes each)
// and written as 16 pieces of result rows; pixel by pixel the reads or the writes would
// cross a whole row of memory each time. The blocks go in tiles of 64 result columns by
// 1024 result rows, a tile's blocks column after column: consecutive blocks read on
// along the same 16 source rows (one 4 KiB page of each per tile, so the address
// translations stay cached), while the writes go to 1024 rows, 64 bytes to each.
// Streamed 64 bytes to a row, the writes take about twice as long as streamed in order,
// which is most of what the turn costs beyond a copy; but blocks of 32 or 64 source
// rows, which write 128 or 256 bytes to a row at a time, were slower still (1.9 and 2.9
// times a copy where these took 1.7): reading that many rows at once costs more than
// the longer writes save.
constexpr int kBlock = 16;
constexpr int kTileColumns = 64;
constexpr int kTileRows = 1024;

struct QuarterTurn {
    ConstPixels src;
    Pixels dst;
    bool lastColumnFirst;
    bool lastRowFirst;

    const std::uint32_t *sourceRowOf(int x) const { return src.row(lastRowFirst ? src.height - 1 - x : x); }
    int sourceColumnOf(int y) const { return lastColumnFirst ? src.width - 1 - y : y; }

    // Result pixels [x0, x1) x [y0, y1) one at a time: the edges that whole blocks leave.
    void pixels(int x0, int x1, int y0, int y1) const
    {
        for (int y = y0; y < y1; ++y) {
            const int column = sourceColumnOf(y);
            std::uint32_t *out = dst.row(y);
            for (int x = x0; x < x1; ++x)
                out[x] = sourceRowOf(x)[column];
        }
    }
};

#if PLOVAN_SSE2

// Four rows of four pixels turned into four columns: a, b, c, d become a's, b's, c's and
// d's first pixels, then their second ones, and so on.
inline void transposeFour(__m128i &a, __m128i &b, __m128i &c, __m128i &d)
{
    const __m128i ab0 = _mm_unpacklo_epi32(a, b);
    const __m128i cd0 = _mm_unpacklo_epi32(c, d);
    const __m128i ab1 = _mm_unpackhi_epi32(a, b);
    const __m128i cd1 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab1, cd1);
    d = _mm_unpackhi_epi64(ab1, cd1);
}

// One block with its top left at result (x0, y0), turned in registers into a block
// buffer that stays in the first-level cache, then written out one 64-byte row piece at
// a time with streaming stores (where the result's rows are 16-byte aligned), which do
// not read the result's lines first: that read would add a third of the traffic.
template <bool stream>
void block(const QuarterTurn &turn, int x0, int y0)
{
    const std::uint32_t *rows[kBlock];
    for (int l = 0; l < kBlock; ++l)
        rows[l] = turn.sourceRowOf(x0 + l);
    // The block's 16 source columns, first to last in memory; with lastColumnFirst the
    // first of them belongs to the block's last result row.
    const int first = turn.lastColumnFirst ? turn.src.width - kBlock - y0 : y0;
    // The next block along the same source rows, asked for early: the processor's own
    // prefetchers do not follow 16 rows read 64 bytes at a time.
    const int next = turn.lastColumnFirst ? first - kBlock : first + kBlock;
    if (next >= 0 && next + kBlock <= turn.src.width) {
        for (int l = 0; l < kBlock; ++l)
            _mm_prefetch(reinterpret_cast<const char *>(rows[l] + next), _MM_HINT_T0);
    }
    alignas(64) std::uint32_t buffer[kBlock][kBlock];
    for (int c = 0; c < kBlock; c += 4) {
        for (int l = 0; l < kBlock; l += 4) {
            __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[l] + first + c));
            __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[l + 1] + first + c));
            __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[l + 2] + first + c));
            __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(rows[l + 3] + first + c));
            transposeFour(a, b, e, d);
            const __m128i columns[4] = {a, b, e, d};
            for (int k = 0; k < 4; ++k) {
                const int row = turn.lastColumnFirst ? kBlock - 1 - (c + k) : c + k;
                _mm_store_si128(reinterpret_cast<__m128i *>(&buffer[row][l]), columns[k]);
            }
        }
    }
    for (int row = 0; row < kBlock; ++row) {
        auto *out = reinterpret_cast<__m128i *>(turn.dst.row(y0 + row) + x0);
        const auto *in = reinterpret_cast<const __m128i *>(buffer[row]);
        for (int q = 0; q < 4; ++q) {
            if (stream)
                _mm_stream_si128(out + q, _mm_load_si128(in + q));
            else
                _mm_storeu_si128(out + q, _mm_load_si128(in + q));
        }
    }
}

#else

void block(const QuarterTurn &turn, int x0, int y0)
{
    const std::uint32_t *rows[kBlock];
    for (int l = 0; l < kBlock; ++l)
        rows[l] = turn.sourceRowOf(x0 + l);
    for (int row = 0; row < kBlock; ++row) {
        const int column = turn.sourceColumnOf(y0 + row);
        std::uint32_t *out = turn.dst.row(y0 + row) + x0;
        for (int l = 0; l < kBlock; ++l)
            out[l] = rows[l][column];
    }
}

#endif

void quarterTurn(const QuarterTurn &turn)
{
    const int width = turn.dst.width;
    const int height = turn.dst.height;
    const int blocksRight = width / kBlock * kBlock;
    const int blocksDown = height / kBlock * kBlock;
#if PLOVAN_SSE2
    const bool aligned = reinterpret_cast<std::uintptr_t>(turn.dst.at) % 16 == 0 && turn.dst.stride % 4 == 0;
#endif
    for (int tileY = 0; tileY < blocksDown; tileY += kTileRows) {
        const int tileBottom = std::min(blocksDown, tileY + kTileRows);
        for (int tileX = 0; tileX < blocksRight; tileX += kTileColumns) {
            const int tileRight = std::min(blocksRight, tileX + kTileColumns);
            for (int x0 = tileX; x0 < tileRight; x0 += kBlock) {
                for (int y0 = tileY; y0 < tileBottom; y0 += kBlock) {
#if PLOVAN_SSE2
                    if (aligned)
                        block<true>(turn, x0, y0);
                    else
                        block<false>(turn, x0, y0);
#else
                    block(turn, x0, y0);
#endif
                }
            }
        }
    }
#if PLOVAN_SSE2
    _mm_sfence();
#endif
    turn.pixels(blocksRight, width, 0, blocksDown);
    turn.pixels(0, width, blocksDown, height);
}

} // namespace

QSize orientedSize(QSize size, Orientation orientation)
{
    return normalisedTurns(orientation) % 2 ? size.transposed() : size;
}

void orientInto(const Picture &source, QRect part, Orientation orientation, Picture &dest)
{
    const ConstRGBSurface in = source.rgbSurface();
    RGBSurface out = dest.rgbSurface();
    const ConstPixels src{in.row(part.top()) + part.left(), qsizetype(source.image().bytesPerLine() / 4), part.width(),
                          part.height()};
    const Pixels dst{out.row(0), qsizetype(dest.image().bytesPerLine() / 4), dest.Width(), dest.Height()};
    const int turns = normalisedTurns(orientation);
    if (turns % 2 == 0) {
        // A half turn reverses the rows and their order; the mirror reverses the rows again.
        rowByRow(src, dst, turns == 2, (turns == 2) != orientation.mirror);
        return;
    }
    // A quarter turn reads the columns bottom up (90) or, taking them from the last,
    // top down (270); the mirror then swaps the ends of each result row.
    quarterTurn(QuarterTurn{src, dst, turns == 3, (turns == 1) != orientation.mirror});
}

PictureRef orientPart(const Picture &picture, QRect part, Orientation orientation)
{
    const QSize size = orientedSize(part.size(), orientation);
    PictureRef oriented = makePictureToOverwrite(size.width(), size.height());
    orientInto(picture, part, orientation, *oriented);
    return oriented;
}

PictureRef orientPicture(const PictureRef &picture, Orientation orientation)
{
    if (orientation.isIdentity())
        return picture;
    return orientPart(*picture, QRect(0, 0, picture->Width(), picture->Height()), orientation);
}

} // namespace plovan
