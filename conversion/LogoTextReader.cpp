#include "conversion/LogoTextReader.h"

#include "conversion/LogoText.h"
#include "conversion/Sse2.h"
#include "platform/PixelMemory.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace plovan {
namespace {

using Reason = LogoTextFault::Reason;

constexpr qsizetype kMaxDigits = 2 * qsizetype(Picture::kMaxSide);

// For every byte value, the value of the uppercase hex digit it is, or 0xFF.
constexpr std::array<std::uint8_t, 256> makeDigitValues()
{
    std::array<std::uint8_t, 256> values{};
    for (auto &value : values)
        value = 0xFF;
    for (int c = '0'; c <= '9'; ++c)
        values[size_t(c)] = std::uint8_t(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        values[size_t(c)] = std::uint8_t(c - 'A' + 10);
    return values;
}

constexpr auto kDigitValues = makeDigitValues();

// A character found where the format has no room for it. `valid` is false for bytes that
// do not start a UTF-8 sequence; `character` is then the first byte.
struct Found {
    char32_t character;
    bool valid;
};

// The two ways a text reaches the reader: UTF-16 as a QString holds it, where "¶" is one
// unit, and the bytes of a file, where it is the two bytes C2 B6.
struct Utf16 {
    using Unit = char16_t;
    static constexpr qsizetype kMarkUnits = 1;

    static bool isMark(const Unit *p, const Unit *) { return *p == 0x00B6; }

    // A QString has been decoded already, whatever the file was.
    static bool isUtf16(const Unit *, const Unit *) { return false; }

    static Found decode(const Unit *p, const Unit *end)
    {
        if (QChar::isHighSurrogate(p[0]) && p + 1 < end && QChar::isLowSurrogate(p[1]))
            return {QChar::surrogateToUcs4(p[0], p[1]), true};
        return {p[0], true};
    }
};

struct Utf8 {
    using Unit = std::uint8_t;
    static constexpr qsizetype kMarkUnits = 2;

    static bool isMark(const Unit *p, const Unit *end) { return p[0] == 0xC2 && p + 1 < end && p[1] == 0xB6; }

    // A file saved as UTF-16: its byte order mark (FF FE, or FE FF big-endian), or without
    // one an ASCII character with a NUL after or before it ("O\0B\0M\0", "\0O\0B\0M"),
    // which UTF-8 text never starts with.
    static bool isUtf16(const Unit *p, const Unit *end)
    {
        if (end - p < 2)
            return false;
        const auto ascii = [](Unit unit) { return unit > 0 && unit < 0x80; };
        return (p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF) || (ascii(p[0]) && p[1] == 0)
            || (p[0] == 0 && ascii(p[1]));
    }

    // One code point, refusing what UTF-8 forbids: stray continuation bytes, overlong
    // forms, surrogates and values past U+10FFFF.
    static Found decode(const Unit *p, const Unit *end)
    {
        const unsigned lead = p[0];
        if (lead < 0x80)
            return {lead, true};
        int more = 0;
        char32_t value = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1, value = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2, value = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3, value = lead & 0x07, least = 0x10000;
        } else {
            return {lead, false};
        }
        if (end - p <= more)
            return {lead, false};
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return {lead, false};
            value = (value << 6) | (p[i] & 0x3F);
        }
        if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return {lead, false};
        return {value, true};
    }
};

// The value of an uppercase hex digit, or 0xFF for any other unit.
template <typename Unit>
std::uint8_t digitValue(Unit unit)
{
    if constexpr (sizeof(Unit) > 1) {
        if (unit > 0xFF)
            return 0xFF;
    }
    return kDigitValues[size_t(unit)];
}

// How many units from p on are uppercase hex digits (stopping at end).
template <typename Unit>
qsizetype leadingDigits(const Unit *p, const Unit *end)
{
    const Unit *q = p;
#if PLOVAN_SSE2
    // A unit is a digit when it lies in '0'-'9' or 'A'-'F'. The compares are signed, so
    // units from 0x8000 (UTF-16) or 0x80 (bytes) count as negative and fail both ranges.
    constexpr qsizetype kStep = 16 / qsizetype(sizeof(Unit));
    while (end - q >= kStep) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(q));
        __m128i digit;
        if constexpr (sizeof(Unit) == 2) {
            digit = _mm_or_si128(
                _mm_and_si128(_mm_cmpgt_epi16(units, _mm_set1_epi16('0' - 1)), _mm_cmplt_epi16(units, _mm_set1_epi16('9' + 1))),
                _mm_and_si128(_mm_cmpgt_epi16(units, _mm_set1_epi16('A' - 1)), _mm_cmplt_epi16(units, _mm_set1_epi16('F' + 1))));
        } else {
            digit = _mm_or_si128(
                _mm_and_si128(_mm_cmpgt_epi8(units, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(units, _mm_set1_epi8('9' + 1))),
                _mm_and_si128(_mm_cmpgt_epi8(units, _mm_set1_epi8('A' - 1)), _mm_cmplt_epi8(units, _mm_set1_epi8('F' + 1))));
        }
        if (_mm_movemask_epi8(digit) != 0xFFFF)
            break;
        q += kStep;
    }
#endif
    while (q < end && digitValue(*q) != 0xFF)
        ++q;
    return q - p;
}

// Walks the text once, line by line, and stops at the first fault. Every character
// before a fault on its line is ASCII, so a column is the distance in units from the
// line's start.
template <typename Encoding>
class Checker {
    using Unit = typename Encoding::Unit;

public:
    Checker(const Unit *text, qsizetype size) : begin_(text), p_(text), end_(text + size) {}

    LogoTextCheck run()
    {
        if (p_ == end_)
            return faultAt(Reason::Empty, 1);
        if (Encoding::isUtf16(p_, end_))
            return faultAt(Reason::Utf16, 1);
        if (!matchLine("OBM"))
            return structuralFault(Reason::NoOpenLine);
        int bands = 0;
        qsizetype firstDigits = 0;
        for (;;) {
            if (p_ == end_)
                return faultAt(bands == 0 ? Reason::NoBand : Reason::NoCloseLine, 1);
            if (*p_ == 'C') {
                if (!matchLine("CBM"))
                    return endedOr(bands, Reason::BandHeaderExpected);
                if (bands == 0)
                    return faultAt(Reason::NoBand, 1, -1);
                break;
            }
            if (!matchLine("BMD"))
                return endedOr(bands, Reason::BandHeaderExpected);
            if (bands == kMaxLogoTextBands)
                return faultAt(Reason::TooTall, 1, -1);
            ++bands;

            const qsizetype digits = leadingDigits(p_, end_);
            p_ += digits;
            if (p_ == end_)
                return faultAt(Reason::TextEndsInBand, column(p_));
            if (!Encoding::isMark(p_, end_))
                return strayInDigits();
            std::optional<Reason> widthFault;
            if (digits == 0)
                widthFault = Reason::EmptyBand;
            else if (digits % 2)
                widthFault = Reason::OddDigitCount;
            else if (bands == 1 && digits > kMaxDigits)
                widthFault = Reason::TooWide;
            else if (bands > 1 && digits != firstDigits)
                widthFault = Reason::WidthDiffers;
            if (widthFault) {
                LogoTextCheck fault = faultAt(*widthFault, 1);
                fault.fault.digits = digits;
                fault.fault.firstDigits = bands > 1 ? firstDigits : 0;
                return fault;
            }
            if (bands == kMaxLogoTextBands) {
                // Bit 0 of each column byte, the band's bottom row, is in the second digit.
                for (const Unit *q = p_ - digits + 1; q < p_; q += 2) {
                    if (digitValue(*q) & 1)
                        return faultAt(Reason::BlackPastLastRow, column(q));
                }
            }
            if (bands == 1)
                firstDigits = digits;
            nextLine();
        }
        if (p_ != end_)
            return textAfterClose();

        LogoTextCheck check;
        check.valid = true;
        check.width = int(firstDigits / 2);
        check.bands = bands;
        check.characters = logotext::length(check.width, check.height());
        return check;
    }

private:
    qsizetype column(const Unit *p) const { return (p - lineStart_) + 1; }

    void nextLine()
    {
        p_ += Encoding::kMarkUnits;
        lineStart_ = p_;
        ++line_;
    }

    // Three letters and the line mark at p_; on success p_ moves to the next line, on
    // failure p_ stays at the line's start and mismatch_ is the first unit that differs
    // (end_ when the text ends first).
    bool matchLine(const char *letters)
    {
        const Unit *q = p_;
        for (int i = 0; i < 3; ++i, ++q) {
            if (q == end_ || *q != Unit(letters[i])) {
                mismatch_ = q;
                return false;
            }
        }
        if (q == end_ || !Encoding::isMark(q, end_)) {
            mismatch_ = q;
            return false;
        }
        p_ = q;
        nextLine();
        return true;
    }

    // A fault at the current line; `lineOffset` -1 places it on the line before (the
    // line just matched).
    LogoTextCheck faultAt(Reason reason, qsizetype column, int lineOffset = 0) const
    {
        LogoTextCheck check;
        check.fault.reason = reason;
        check.fault.line = line_ + lineOffset;
        check.fault.column = column;
        return check;
    }

    LogoTextCheck characterFault(Reason reason, const Unit *at, char32_t character) const
    {
        LogoTextCheck check = faultAt(reason, column(at));
        check.fault.character = character;
        return check;
    }

    // What the characters that editors and mail programs add are called, wherever they
    // turn up; bytes that are not UTF-8 likewise.
    std::optional<LogoTextCheck> addedCharacter(const Unit *at) const
    {
        const Found found = Encoding::decode(at, end_);
        if (!found.valid)
            return characterFault(Reason::NotUtf8, at, found.character);
        switch (found.character) {
        case U'\uFEFF': return characterFault(Reason::ByteOrderMark, at, found.character);
        case U'\r': return characterFault(Reason::CarriageReturn, at, found.character);
        case U'\n': return characterFault(Reason::LineFeed, at, found.character);
        case U' ': return characterFault(Reason::Space, at, found.character);
        default: return std::nullopt;
        }
    }

    // A line that is not what the format has here: an added character where it differs,
    // else the line's own fault at its first column.
    LogoTextCheck structuralFault(Reason reason) const
    {
        if (mismatch_ != end_) {
            if (const auto added = addedCharacter(mismatch_))
                return *added;
        }
        return faultAt(reason, 1);
    }

    // A header or closing line that is not right: a text that ends part-way through it
    // lacks its closing line (or its first band); anything else is `reason`.
    LogoTextCheck endedOr(int bands, Reason reason) const
    {
        if (mismatch_ == end_)
            return faultAt(bands == 0 ? Reason::NoBand : Reason::NoCloseLine, 1);
        return structuralFault(reason);
    }

    LogoTextCheck strayInDigits() const
    {
        if (const auto added = addedCharacter(p_))
            return *added;
        const char32_t character = Encoding::decode(p_, end_).character;
        const bool lowercase = character >= U'a' && character <= U'f';
        return characterFault(lowercase ? Reason::LowercaseDigit : Reason::NotHexDigit, p_, character);
    }

    LogoTextCheck textAfterClose() const
    {
        const Found found = Encoding::decode(p_, end_);
        if (!found.valid)
            return characterFault(Reason::NotUtf8, p_, found.character);
        return characterFault(Reason::TextAfterClose, p_, found.character);
    }

    const Unit *begin_;
    const Unit *p_;
    const Unit *end_;
    const Unit *lineStart_ = begin_;
    const Unit *mismatch_ = nullptr;
    qsizetype line_ = 1;
};

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
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    for (; x + 16 <= width; x += 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + x));
        const __m128i white = _mm_cmpeq_epi8(_mm_and_si128(in, mask), zero);
        const __m128i white0to7 = _mm_unpacklo_epi8(white, white);
        const __m128i white8to15 = _mm_unpackhi_epi8(white, white);
        const __m128i pixels[4] = {_mm_or_si128(_mm_unpacklo_epi16(white0to7, white0to7), opaque),
                                   _mm_or_si128(_mm_unpackhi_epi16(white0to7, white0to7), opaque),
                                   _mm_or_si128(_mm_unpacklo_epi16(white8to15, white8to15), opaque),
                                   _mm_or_si128(_mm_unpackhi_epi16(white8to15, white8to15), opaque)};
        auto *out = reinterpret_cast<__m128i *>(row + x);
        for (int i = 0; i < 4; ++i) {
            if (streaming)
                _mm_stream_si128(out + i, pixels[i]);
            else
                _mm_storeu_si128(out + i, pixels[i]);
        }
    }
#endif
    for (; x < width; ++x)
        row[x] = (bytes[x] >> bit) & 1 ? 0xFF000000u : 0xFFFFFFFFu;
}

// The picture of a checked text into `surface`, which has its size. The layout is fixed
// by the width, so band k's digits start at a known place.
template <typename Encoding, Stores stores>
void decodePicture(const typename Encoding::Unit *text, const LogoTextCheck &check, RGBSurface &surface)
{
    Q_ASSERT(check.valid && surface.width() == check.width && surface.height() == check.height());
    const qsizetype lineUnits = 3 + Encoding::kMarkUnits; // "OBM¶", "BMD¶"
    const qsizetype bandUnits = lineUnits + 2 * qsizetype(check.width) + Encoding::kMarkUnits;
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
LogoTextReading read(const typename Encoding::Unit *text, qsizetype size)
{
    LogoTextReading reading;
    reading.check = Checker<Encoding>(text, size).run();
    if (reading.check.valid) {
        // Every pixel is written, so the new picture's memory is not cleared first.
        reading.picture = std::make_shared<Picture>(allocateStorageImage(reading.check.width, reading.check.height()));
        RGBSurface surface = reading.picture->rgbSurface();
        decodePicture<Encoding, Stores::Cached>(text, reading.check, surface);
    }
    return reading;
}

const std::uint8_t *bytesOf(QByteArrayView utf8)
{
    return reinterpret_cast<const std::uint8_t *>(utf8.data());
}

} // namespace

LogoTextCheck checkLogoText(QStringView text)
{
    return Checker<Utf16>(reinterpret_cast<const char16_t *>(text.utf16()), text.size()).run();
}

LogoTextCheck checkLogoTextUtf8(QByteArrayView utf8)
{
    return Checker<Utf8>(bytesOf(utf8), utf8.size()).run();
}

LogoTextReading readLogoText(QStringView text)
{
    return read<Utf16>(reinterpret_cast<const char16_t *>(text.utf16()), text.size());
}

LogoTextReading readLogoTextUtf8(QByteArrayView utf8)
{
    return read<Utf8>(bytesOf(utf8), utf8.size());
}

void decodeLogoText(QStringView text, const LogoTextCheck &check, Picture &picture)
{
    RGBSurface surface = picture.rgbSurface();
    decodePicture<Utf16, Stores::Streaming>(reinterpret_cast<const char16_t *>(text.utf16()), check, surface);
}

} // namespace plovan
