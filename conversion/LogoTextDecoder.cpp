// The decoder of logo data text: the bands of a text the checker found valid into the
// pixels of its picture.
#include "conversion/LogoTextReader.h"

#include "conversion/LogoTextSize.h"
#include "conversion/LogoTextUnits.h"
#include "conversion/MaskPixels.h"
#include "conversion/Sse2.h"
#include "platform/PixelMemory.h"

#include <cstdint>
#include <vector>

namespace plovan {
namespace {

using namespace logotextunits;

// One band's digits (2 x width units, checked) into its column bytes. Two digits make a
// byte, the first the high half.
template <typename Unit>
void decodeBand(const Unit *digits, int width, std::uint8_t *bytes)
{
    int x = 0;
#if PLOVAN_SSE2
    // Sixteen digits at a time: each becomes its value ('0' + v, or 'A' + v - 10, which is
    // 7 more), then each pair of values, lying in one 16-bit lane as first | second << 8,
    // becomes first << 4 | second.
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowByte = _mm_set1_epi16(0x00FF);
    for (; x + 8 <= width; x += 8) {
        __m128i ascii;
        if constexpr (sizeof(Unit) == 2) {
            const auto *in = reinterpret_cast<const __m128i *>(digits + 2 * x);
            ascii = _mm_packus_epi16(_mm_loadu_si128(in), _mm_loadu_si128(in + 1));
        } else {
            ascii = _mm_loadu_si128(reinterpret_cast<const __m128i *>(digits + 2 * x));
        }
        const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(ascii, _mm_set1_epi8('9')), _mm_set1_epi8(7));
        const __m128i values = _mm_sub_epi8(_mm_sub_epi8(ascii, _mm_set1_epi8('0')), letters);
        const __m128i high = _mm_slli_epi16(_mm_and_si128(values, lowByte), 4);
        const __m128i low = _mm_srli_epi16(values, 8);
        const __m128i pairs = _mm_or_si128(high, low);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(bytes + x), _mm_packus_epi16(pairs, zero));
    }
#endif
    for (; x < width; ++x)
        bytes[x] = std::uint8_t(digitValue(digits[2 * x]) << 4 | digitValue(digits[2 * x + 1]));
}

// How the rows of a picture are written. A new picture's pages are cleared by the kernel
// as they are first touched, which leaves each page in the cache, so ordinary stores
// hit it; streaming stores, which go around the cache, took twice as long there. In a
// picture that is already in memory, streaming stores save reading each line before it
// is overwritten, and reading took a little over half the time with them.
enum class Stores { Cached, Streaming };

// One row of a band from its column bytes: pixel x is black where bit `bit` of bytes[x]
// is 1, white elsewhere, in the stored form (opaque top byte).
template <Stores stores>
void writeBandRow(const std::uint8_t *bytes, int width, int bit, std::uint32_t *row)
{
    int x = 0;
#if PLOVAN_SSE2
    // Per byte: 0xFF where the bit is clear (white), widened to 32 bits and kept in the
    // red, green and blue bytes. Streaming needs 16-byte aligned rows.
    const bool streaming = stores == Stores::Streaming && (reinterpret_cast<std::uintptr_t>(row) & 15) == 0;
    const __m128i mask = _mm_set1_epi8(char(1 << bit));
    const __m128i zero = _mm_setzero_si128();
    for (; x + 16 <= width; x += 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + x));
        const __m128i white = _mm_cmpeq_epi8(_mm_and_si128(in, mask), zero);
        const SixteenPixels pixels = maskPixelsSixteen(white);
        auto *out = reinterpret_cast<__m128i *>(row + x);
        for (int i = 0; i < 4; ++i) {
            if (streaming)
                _mm_stream_si128(out + i, pixels.quarter[i]);
            else
                _mm_storeu_si128(out + i, pixels.quarter[i]);
        }
    }
#endif
    for (; x < width; ++x)
        row[x] = (bytes[x] >> bit) & 1 ? kStoredBlackPixel : kStoredWhitePixel;
}

// The picture of a checked text into `surface`, which has its size. The layout is fixed
// by the width, so band k's digits start at a known place.
template <typename Encoding, Stores stores>
void decodePicture(const typename Encoding::Unit *text, const LogoTextCheck &check, RGBSurface &surface)
{
    Q_ASSERT(check.valid && surface.width() == check.width && surface.height() == check.height());
    const qsizetype lineUnits = logotext::lineUnits(Encoding::kMarkUnits); // "OBM¶", "BMD¶"
    const qsizetype bandUnits = logotext::bandUnits(check.width, Encoding::kMarkUnits);
    std::vector<std::uint8_t> bytes(size_t(check.width));
    const int height = check.height();
    for (int band = 0; band < check.bands; ++band) {
        decodeBand(text + lineUnits + band * bandUnits + lineUnits, check.width, bytes.data());
        for (int j = 0; j < 8 && 8 * band + j < height; ++j)
            writeBandRow<stores>(bytes.data(), check.width, 7 - j, surface.row(8 * band + j));
    }
#if PLOVAN_SSE2
    if constexpr (stores == Stores::Streaming)
        _mm_sfence();
#endif
}

template <typename Encoding>
LogoTextReading read(const typename Encoding::Unit *text, const LogoTextCheck &check)
{
    LogoTextReading reading;
    reading.check = check;
    if (reading.check.valid) {
        // Every pixel is written, so the new picture's memory is not cleared first.
        reading.picture = std::make_shared<Picture>(allocateStorageImage(reading.check.width, reading.check.height()));
        RGBSurface surface = reading.picture->rgbSurface();
        decodePicture<Encoding, Stores::Cached>(text, reading.check, surface);
    }
    return reading;
}

} // namespace

LogoTextReading readLogoText(QStringView text)
{
    return read<Utf16>(unitsOf(text), checkLogoText(text));
}

LogoTextReading readLogoTextUtf8(QByteArrayView utf8)
{
    return read<Utf8>(unitsOf(utf8), checkLogoTextUtf8(utf8));
}

void decodeLogoText(QStringView text, const LogoTextCheck &check, Picture &picture)
{
    RGBSurface surface = picture.rgbSurface();
    decodePicture<Utf16, Stores::Streaming>(unitsOf(text), check, surface);
}

} // namespace plovan
