// The checker of logo data text: one walk over the text, line by line, to the first place
// where it stops being logo data text.
#include "conversion/LogoTextReader.h"

#include "conversion/LogoText.h"
#include "conversion/LogoTextUnits.h"
#include "conversion/Sse2.h"

#include <optional>

namespace plovan {
namespace {

using namespace logotextunits;
using Reason = LogoTextFault::Reason;

constexpr qsizetype kMaxDigits = 2 * qsizetype(Picture::kMaxSide);

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

} // namespace

LogoTextCheck checkLogoText(QStringView text)
{
    return Checker<Utf16>(unitsOf(text), text.size()).run();
}

LogoTextCheck checkLogoTextUtf8(QByteArrayView utf8)
{
    return Checker<Utf8>(unitsOf(utf8), utf8.size()).run();
}

} // namespace plovan
