#pragma once

// The units the reader of logo data text walks, for its checker and its decoder alike: the
// UTF-16 of a QString and the UTF-8 bytes of a file, each with its line mark "¶", its
// decoding of a character and its hex digits.

#include <QByteArrayView>
#include <QChar>
#include <QStringView>

#include <array>
#include <cstdint>

namespace plovan::logotextunits {

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

inline constexpr auto kDigitValues = makeDigitValues();

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
    static bool isUtf16(const Unit *p, const Unit *end);

    // One code point, refusing what UTF-8 forbids: stray continuation bytes, overlong
    // forms, surrogates and values past U+10FFFF.
    static Found decode(const Unit *p, const Unit *end);
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

// The units of a text as the reader walks them.
inline const char16_t *unitsOf(QStringView text)
{
    return reinterpret_cast<const char16_t *>(text.utf16());
}

inline const std::uint8_t *unitsOf(QByteArrayView utf8)
{
    return reinterpret_cast<const std::uint8_t *>(utf8.data());
}

} // namespace plovan::logotextunits
