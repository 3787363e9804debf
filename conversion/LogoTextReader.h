#pragma once

#include "conversion/LogoTextSize.h"

// Reading logo data text back: the check of a text against the format
// (LogoTextChecker.cpp) and the decoding of a valid text into its picture
// (LogoTextDecoder.cpp), over the text's units as LogoTextUnits.h walks them.

#include "platform/Picture.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>

namespace plovan {

// The most bands a text can have: 4096, for 32761-32767 rows. The last band's bottom row
// would be row 32768, past the range rule, so it has to be the white padding that Create
// writes there, and the picture read back is 32767 rows high.
inline constexpr int kMaxLogoTextBands = logotext::kMaxBands;

// The first place where a text stops being logo data text, and why, as a value
// (messages/LogoTextFaultWords words it). Lines are counted by the line mark "¶" from 1
// (the opening line "OBM¶" is line 1); columns count characters from 1.
struct LogoTextFault {
    enum class Reason {
        Empty,              // nothing at all
        NoOpenLine,         // the text does not start with "OBM¶"
        BandHeaderExpected, // neither "BMD¶" nor "CBM¶" where a line begins
        NotHexDigit,        // `character` in a band's digits
        LowercaseDigit,     // `character` is one of a-f
        Space,              // U+0020 where it does not belong
        CarriageReturn,     // U+000D: the text went through something that adds line breaks
        LineFeed,           // U+000A, likewise
        ByteOrderMark,      // U+FEFF, which some editors put at the start of a file
        OddDigitCount,      // a band of `digits` digits, an odd number
        EmptyBand,          // a band line with no digits at all
        WidthDiffers,       // a band of `digits` digits after a first band of `firstDigits`
        TooWide,            // a band of `digits` digits: more than 32767 columns
        TooTall,            // a band header after 4096 bands: more than 32768 rows
        BlackPastLastRow,   // a 1 bit in row 32768, the bottom of band 4096
        NoBand,             // the opening line is followed by the closing line or the end
        NoCloseLine,        // the text ends where a band header or "CBM¶" should begin
        TextEndsInBand,     // the text ends inside a band's digits
        TextAfterClose,     // `character` and perhaps more after "CBM¶"
        NotUtf8,            // `character` holds the first byte that is not UTF-8
        Utf16,              // the bytes are UTF-16, at line 1, column 1; only the UTF-8 form sees it
    };

    Reason reason = Reason::Empty;
    qsizetype line = 1;
    qsizetype column = 1;
    char32_t character = 0;     // the character (or, for NotUtf8, the byte) found there
    qsizetype digits = 0;       // the offending band's digit count
    qsizetype firstDigits = 0;  // the first band's digit count, for WidthDiffers

    friend bool operator==(const LogoTextFault &, const LogoTextFault &) = default;
};

// The outcome of checking a text: valid, with the size of the picture it encodes, or
// the first fault.
struct LogoTextCheck {
    bool valid = false;
    LogoTextFault fault;  // when not valid
    int width = 0;        // when valid: columns (digits per band / 2), 1-32767
    int bands = 0;        // when valid: 1-4096
    qsizetype characters = 0; // the text's length in characters, counting "¶" as one

    // The picture's rows: 8 x bands, except that 4096 bands give 32767 rows, the most a
    // picture can have (the row past it must be white; the check makes sure).
    int height() const { return std::min(8 * bands, Picture::kMaxSide); }
};

// Checks a text against the format without making any picture. The UTF-8 form takes the
// bytes of a file as they are, so bytes that are not UTF-8 are found where they stand and
// a file saved as UTF-16 is named as such: check a file through it, not through
// QString::fromUtf8, which drops a byte order mark at the start and turns bad bytes into
// U+FFFD.
LogoTextCheck checkLogoText(QStringView text);
LogoTextCheck checkLogoTextUtf8(QByteArrayView utf8);

// Reading a text back: the picture it encodes, black and white as a working picture
// holds them (stored 0xFF000000 and 0xFFFFFFFF), (digits / 2) wide and height() high,
// or no picture and the first fault in `check`. The size is checked before anything is
// allocated. Throws std::bad_alloc when the picture does not fit in memory.
struct LogoTextReading {
    LogoTextCheck check;
    PictureRef picture; // set exactly when check.valid
};

LogoTextReading readLogoText(QStringView text);
LogoTextReading readLogoTextUtf8(QByteArrayView utf8);

// The pixels of a text that checkLogoText found valid, into a picture of check.width x
// check.height() that is already in memory, every pixel written.
void decodeLogoText(QStringView text, const LogoTextCheck &check, Picture &picture);

} // namespace plovan
