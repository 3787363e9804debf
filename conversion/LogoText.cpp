#include "conversion/LogoText.h"

#include "conversion/LogoTextSize.h"
#include "conversion/Sse2.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace plovan {
namespace {

// For every byte value, its two hex digits as two UTF-16 code units in memory order.
constexpr std::array<std::array<char16_t, 2>, 256> makeHexPairs()
{
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::array<std::array<char16_t, 2>, 256> pairs{};
    for (int b = 0; b < 256; ++b)
        pairs[size_t(b)] = {digits[b >> 4], digits[b & 0xF]};
    return pairs;
}

constexpr auto kHexPairs = makeHexPairs();

// The rows of one band: rows[0] is the top row; only the first `count` exist (the last
// band may reach past the bottom edge).
struct Band {
    std::array<const std::uint32_t *, 8> rows{};
    int count = 0;
};

// Columns [from, to) of a band through the one-row helpers: bytes is scratch room for
// to - from column bytes, out receives their 2 * (to - from) digits.
void encodeColumnsPlain(const Band &band, int from, int to, std::uint8_t *bytes, char16_t *out)
{
    const int count = to - from;
    std::memset(bytes, 0, size_t(count));
    for (int j = 0; j < band.count; ++j)
        packBandRow(band.rows[size_t(j)] + from, bytes, count, 7 - j);
    appendHexDigits(bytes, count, out);
}

#if PLOVAN_SSE2

// Sixteen column bytes at column x, built as the format reads: bits = bits * 2 + black,
// top row first, and a plain doubling for each row past the bottom edge.
// Per row, red & 0xFF0000 is 0 or at least 0x10000; two signed saturating packs squeeze
// each pixel into one byte, 0 or 127, without losing "is zero", and the compare then
// gives -1 (0xFF) for black, so subtracting it adds the 1.
inline __m128i columnBytes16(const Band &band, int x)
{
    const __m128i redMask = _mm_set1_epi32(0x00FF0000);
    const __m128i zero = _mm_setzero_si128();
    __m128i bits = zero;
    for (int j = 0; j < 8; ++j) {
        bits = _mm_add_epi8(bits, bits);
        if (j >= band.count)
            continue;
        const auto *in = reinterpret_cast<const __m128i *>(band.rows[size_t(j)] + x);
        const __m128i red01 = _mm_packs_epi32(_mm_and_si128(_mm_loadu_si128(in + 0), redMask),
                                              _mm_and_si128(_mm_loadu_si128(in + 1), redMask));
        const __m128i red23 = _mm_packs_epi32(_mm_and_si128(_mm_loadu_si128(in + 2), redMask),
                                              _mm_and_si128(_mm_loadu_si128(in + 3), redMask));
        const __m128i black = _mm_cmpeq_epi8(_mm_packs_epi16(red01, red23), zero);
        bits = _mm_sub_epi8(bits, black);
    }
    return bits;
}

// Each of 16 nibbles (0-15, one per byte) as its ASCII hex digit: '0' + n, plus 7 more
// from 10 on to skip from '9' to 'A'.
inline __m128i hexDigits16(__m128i nibbles)
{
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9)), _mm_set1_epi8(7));
    return _mm_add_epi8(nibbles, _mm_add_epi8(_mm_set1_epi8('0'), letters));
}

// 16 column bytes as 32 UTF-16 digits, high half of each byte first. Interleaving each
// digit with a zero byte makes it one little-endian UTF-16 unit.
inline void storeHex16(__m128i bytes, char16_t *out)
{
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    const __m128i high = hexDigits16(_mm_and_si128(_mm_srli_epi16(bytes, 4), lowNibble));
    const __m128i low = hexDigits16(_mm_and_si128(bytes, lowNibble));
    const __m128i pairs0to7 = _mm_unpacklo_epi8(high, low);
    const __m128i pairs8to15 = _mm_unpackhi_epi8(high, low);
    const __m128i zero = _mm_setzero_si128();
    auto *dst = reinterpret_cast<__m128i *>(out);
    _mm_storeu_si128(dst + 0, _mm_unpacklo_epi8(pairs0to7, zero));
    _mm_storeu_si128(dst + 1, _mm_unpackhi_epi8(pairs0to7, zero));
    _mm_storeu_si128(dst + 2, _mm_unpacklo_epi8(pairs8to15, zero));
    _mm_storeu_si128(dst + 3, _mm_unpackhi_epi8(pairs8to15, zero));
}

#endif

// A band's 2 * width digits into out. The band's eight rows are read side by side, 16
// columns at a time, so each pixel is read once and no column bytes go through memory;
// the columns after the last whole block take the plain path.
void encodeBand(const Band &band, int width, std::vector<std::uint8_t> &scratch, char16_t *out)
{
    int x = 0;
#if PLOVAN_SSE2
    for (; x + 16 <= width; x += 16)
        storeHex16(columnBytes16(band, x), out + 2 * x);
#endif
    if (x < width)
        encodeColumnsPlain(band, x, width, scratch.data(), out + 2 * x);
}

} // namespace

qsizetype logotext::length(int width, int height)
{
    return qsizetype(textUnits(width, height, kUtf16MarkUnits));
}

void packBandRow(const std::uint32_t *row, std::uint8_t *bytes, int width, int bit)
{
    for (int x = 0; x < width; ++x)
        bytes[x] |= std::uint8_t(((row[x] & 0x00FF0000u) == 0) << bit);
}

void appendHexDigits(const std::uint8_t *bytes, int count, char16_t *out)
{
    for (int i = 0; i < count; ++i)
        std::memcpy(out + 2 * i, kHexPairs[bytes[i]].data(), 2 * sizeof(char16_t));
}

void createLogoText(const ConversionState &state, ConversionView &view)
{
    if (!state.hasPictures())
        return;
    const int height = state.pix->Height();
    const int width = state.pix->Width();
    const ConstRGBSurface surface = std::as_const(*state.destPix).rgbSurface();

    view.setImageDataText(logotext::kOpenLine.toString());

    // One band's two lines, reused for every band: "BMD¶", 2 * width digits, "¶".
    QString lines(qsizetype(logotext::bandUnits(width, logotext::kUtf16MarkUnits)), Qt::Uninitialized);
    std::memcpy(lines.data(), logotext::kBandHeader.data(), size_t(logotext::kBandHeader.size()) * sizeof(QChar));
    lines[lines.size() - 1] = logotext::kLineMark;
    char16_t *digits = reinterpret_cast<char16_t *>(lines.data()) + logotext::kBandHeader.size();

    std::vector<std::uint8_t> scratch(static_cast<size_t>(width));
    for (int off = 0; off < height; off += 8) {
        Band band;
        band.count = std::min(8, height - off);
        for (int j = 0; j < band.count; ++j)
            band.rows[size_t(j)] = surface.row(off + j);
        encodeBand(band, width, scratch, digits);
        view.appendImageDataText(lines);
        view.setProgressText(QString::number(off + 8));
    }
    view.appendImageDataText(logotext::kCloseLine);
}

} // namespace plovan
