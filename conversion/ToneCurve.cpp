#include "conversion/ToneCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "conversion/Sse2.h"

// Where the compiler can build one function for a newer processor than the rest (GCC and
// Clang on x86-64), the rows go through the table with AVX-512 VBMI's byte permutes when
// the processor has them, chosen when the program runs: 64 lookups in three instructions.
// SSE2 has no lookup of its own, and without it every value is looked up on its own,
// which takes two to three times as long as a copy.
#if PLOVAN_SSE2 && defined(__GNUC__) && defined(__x86_64__)
#define PLOVAN_TONE_VBMI 1
#include <immintrin.h>
#else
#define PLOVAN_TONE_VBMI 0
#endif

namespace plovan {
namespace {

// The rows of a picture through a table, in two halves of 16 bits per pixel: the low half
// is blue and green, the high half red and the top byte, so two lookups make a pixel.
// The halves take 256 KiB, which the second-level cache holds; made for each picture, in
// far less time than the picture takes.
class PairLookup {
public:
    explicit PairLookup(const ToneTable &table) : low_(65536), high_(65536)
    {
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const size_t index = size_t(first) << 8 | size_t(second);
                low_[index] = std::uint16_t(table[size_t(first)] << 8 | table[size_t(second)]);
                high_[index] = std::uint16_t(first << 8 | table[size_t(second)]);
            }
        }
    }

    void row(const std::uint32_t *src, std::uint32_t *dst, int width) const
    {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = src[x];
            dst[x] = std::uint32_t(high_[pixel >> 16]) << 16 | low_[pixel & 0xFFFF];
        }
    }

private:
    std::vector<std::uint16_t> low_;
    std::vector<std::uint16_t> high_;
};

#if PLOVAN_TONE_VBMI

#define PLOVAN_VBMI_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))

bool hasVbmi()
{
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")
        && __builtin_cpu_supports("avx512vbmi");
    return has;
}

// 16 pixels through the table held in four registers: each byte's low seven bits pick
// one of 128 entries from the first half and from the second, its top bit picks the
// half, and the pixels' top bytes are put back.
PLOVAN_VBMI_TARGET inline __m512i toneSixteen(__m512i pixels, const __m512i table[4])
{
    const __m512i low = _mm512_permutex2var_epi8(table[0], pixels, table[1]);
    const __m512i high = _mm512_permutex2var_epi8(table[2], pixels, table[3]);
    const __m512i toned = _mm512_mask_blend_epi8(_mm512_movepi8_mask(pixels), low, high);
    constexpr __mmask64 kColourBytes = 0x7777777777777777ull; // bytes 0-2 of each pixel
    return _mm512_mask_blend_epi8(kColourBytes, pixels, toned);
}

// The rows with ordinary stores when in place (the line is in the cache already, read
// for its pixels) and otherwise with streaming stores, which do not read the destination
// first; the head up to the destination's first 64-byte line and the tail go through
// masked loads and stores.
PLOVAN_VBMI_TARGET void toneRowsVbmi(const std::uint32_t *src, qsizetype srcStride, std::uint32_t *dst,
                                     qsizetype dstStride, int width, int height, const ToneTable &entries)
{
    __m512i table[4];
    for (int q = 0; q < 4; ++q)
        table[q] = _mm512_loadu_si512(entries.data() + 64 * q);
    const bool inPlace = src == dst;
    for (int y = 0; y < height; ++y, src += srcStride, dst += dstStride) {
        int x = 0;
        if (!inPlace) {
            const int head = std::min(width, int((64 - reinterpret_cast<std::uintptr_t>(dst) % 64) % 64 / 4));
            if (head > 0) {
                const __mmask16 mask = __mmask16((1u << head) - 1);
                _mm512_mask_storeu_epi32(dst, mask, toneSixteen(_mm512_maskz_loadu_epi32(mask, src), table));
            }
            x = head;
            for (; x + 16 <= width; x += 16) {
                _mm512_stream_si512(reinterpret_cast<__m512i *>(dst + x),
                                    toneSixteen(_mm512_loadu_si512(src + x), table));
            }
        } else {
            for (; x + 16 <= width; x += 16)
                _mm512_storeu_si512(dst + x, toneSixteen(_mm512_loadu_si512(src + x), table));
        }
        if (x < width) {
            const __mmask16 mask = __mmask16((1u << (width - x)) - 1);
            _mm512_mask_storeu_epi32(dst + x, mask, toneSixteen(_mm512_maskz_loadu_epi32(mask, src + x), table));
        }
    }
    _mm_sfence();
}

#endif

// The doubles are exact where it matters. x' is a whole number of 51000ths of the range,
// N = (2v - 255)(100 + C) + 25500 + 510 B, so it is taken as that whole number: the
// formula as written, in doubles, misses x' = 0 by a rounding now and then, which a small
// 1 / G turns into a visible grey (6 instead of 0 for v = 51, B = 10, C = 100, G = 10).
// 255 f can be an exact half (for G = 1 often, for some N with G = 2 and 3). Tried over
// every N and every G, the doubles land on each such half or within 3e-14 of it, while
// no value that is not a half comes within 5e-9 of one; so a value within 1e-9 of a half
// is taken for it and goes up, whichever side of it a pow() rounds to.
constexpr double kHalfTolerance = 1e-9;

} // namespace

ToneTable toneTable(const Tone &tone)
{
    ToneTable table{};
    const double exponent = 100.0 / tone.gammaHundredths;
    for (int v = 0; v < 256; ++v) {
        const int numerator = (2 * v - 255) * (100 + tone.contrast) + 25500 + 510 * tone.brightness;
        const double x = std::clamp(numerator, 0, 51000) / 51000.0;
        const double level = 255.0 * std::pow(x, exponent);
        table[size_t(v)] = std::uint8_t(std::clamp(std::floor(level + 0.5 + kHalfTolerance), 0.0, 255.0));
    }
    return table;
}

void toneInto(const Picture &source, QRect part, const ToneTable &table, Picture &dest)
{
    // The destination's pixels first: for the tone in place `source` is `dest`, and taking
    // its pixels for writing must come before any pointer to them is kept.
    RGBSurface out = dest.rgbSurface();
    const ConstRGBSurface in = source.rgbSurface();
    const std::uint32_t *src = in.row(part.top()) + part.left();
    std::uint32_t *dst = out.row(0);
    const qsizetype srcStride = source.image().bytesPerLine() / 4;
    const qsizetype dstStride = dest.image().bytesPerLine() / 4;
#if PLOVAN_TONE_VBMI
    if (hasVbmi()) {
        toneRowsVbmi(src, srcStride, dst, dstStride, part.width(), part.height(), table);
        return;
    }
#endif
    const PairLookup lookup(table);
    for (int y = 0; y < part.height(); ++y)
        lookup.row(src + y * srcStride, dst + y * dstStride, part.width());
}

PictureRef tonePart(const Picture &picture, QRect part, const ToneTable &table)
{
    PictureRef toned = makePictureToOverwrite(part.width(), part.height());
    toneInto(picture, part, table, *toned);
    return toned;
}

PictureRef adjustTone(const PictureRef &picture, const Tone &tone)
{
    if (tone.isIdentity())
        return picture;
    return tonePart(*picture, QRect(0, 0, picture->Width(), picture->Height()), toneTable(tone));
}

} // namespace plovan
