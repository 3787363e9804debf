#include "messages/LogoTextFaultWords.h"

#include <QCoreApplication>

namespace plovan {
namespace {

using Reason = LogoTextFault::Reason;

struct FaultWords {
    Q_DECLARE_TR_FUNCTIONS(LogoTextFault)
};

// A character as a user can find it: the ones that editors and mail programs add by
// their names, others quoted when they show, else by code point.
QString characterName(char32_t character)
{
    const QString code = QStringLiteral("U+%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
    switch (character) {
    case U' ': return FaultWords::tr("a space");
    case U'\t': return FaultWords::tr("a tab (%1)").arg(code);
    case U'\r': return FaultWords::tr("a carriage return (%1)").arg(code);
    case U'\n': return FaultWords::tr("a line feed (%1)").arg(code);
    case U'\uFEFF': return FaultWords::tr("a byte order mark (%1)").arg(code);
    default: break;
    }
    if (character > 0x20 && character < 0x7F)
        return QStringLiteral("'%1'").arg(QChar(char16_t(character)));
    const bool shows = character > 0xA0 && QChar::isPrint(character) && !QChar::isSpace(character)
        && QChar::category(character) != QChar::Other_Format;
    if (shows)
        return QStringLiteral("'%1' (%2)").arg(QString::fromUcs4(&character, 1), code);
    return code;
}

} // namespace

QString logoTextFaultWords(const LogoTextFault &fault)
{
    switch (fault.reason) {
    case Reason::Empty:
        return FaultWords::tr("the text is empty; logo data text starts with \"OBM\u00B6\"");
    case Reason::NoOpenLine:
        return FaultWords::tr("the text does not start with the opening line \"OBM\u00B6\"");
    case Reason::BandHeaderExpected:
        return FaultWords::tr("a band header \"BMD\u00B6\" or the closing line \"CBM\u00B6\" was expected here");
    case Reason::NotHexDigit:
        return FaultWords::tr("%1 is not an uppercase hexadecimal digit (0-9, A-F)").arg(characterName(fault.character));
    case Reason::LowercaseDigit:
        return FaultWords::tr("'%1' is a lowercase hexadecimal digit; the digits must be uppercase (A-F)")
            .arg(QChar(char16_t(fault.character)));
    case Reason::Space:
        return FaultWords::tr("a space, which logo data text never holds");
    case Reason::CarriageReturn:
        return FaultWords::tr("a carriage return (a line break added by an editor or a mail program); "
                  "logo data text ends its lines with \"\u00B6\" only");
    case Reason::LineFeed:
        return FaultWords::tr("a line feed (a line break added by an editor or a mail program); "
                  "logo data text ends its lines with \"\u00B6\" only");
    case Reason::ByteOrderMark:
        return FaultWords::tr("a byte order mark (U+FEFF), which some editors put at the start of a file; "
                  "logo data text starts with \"OBM\u00B6\"");
    case Reason::OddDigitCount:
        return FaultWords::tr("the band has an odd number of digits (%1); every column takes two").arg(fault.digits);
    case Reason::EmptyBand:
        return FaultWords::tr("the band has no digits; every band has two digits for each column");
    case Reason::WidthDiffers:
        return FaultWords::tr("the band has %1 digits but the first band has %2; all bands must be equally wide")
            .arg(QString::number(fault.digits), QString::number(fault.firstDigits));
    case Reason::TooWide:
        return FaultWords::tr("the band has %1 digits, a picture %2 dots wide; at most %3 dots are possible")
            .arg(QString::number(fault.digits), QString::number(fault.digits / 2), QString::number(Picture::kMaxSide));
    case Reason::TooTall:
        return FaultWords::tr("more than %1 bands; a picture has at most %2 rows")
            .arg(QString::number(kMaxLogoTextBands), QString::number(Picture::kMaxSide));
    case Reason::BlackPastLastRow:
        return FaultWords::tr("a black dot in row %1, past the %2 rows a picture can have; in band %3 "
                              "the second digit of every column must be even")
            .arg(QString::number(Picture::kMaxSide + 1), QString::number(Picture::kMaxSide), QString::number(kMaxLogoTextBands));
    case Reason::NoBand:
        return FaultWords::tr("no band: the opening line must be followed by at least one band header \"BMD\u00B6\" "
                  "and its line of digits");
    case Reason::NoCloseLine:
        return FaultWords::tr("no closing line \"CBM\u00B6\": the text ends here");
    case Reason::TextEndsInBand:
        return FaultWords::tr("the text ends inside a band's digits, without \"\u00B6\" and the closing line \"CBM\u00B6\"");
    case Reason::TextAfterClose:
        return FaultWords::tr("text after the closing line \"CBM\u00B6\", starting with %1").arg(characterName(fault.character));
    case Reason::NotUtf8:
        return FaultWords::tr("the byte %1 is not UTF-8; the text must be saved as UTF-8, where \"\u00B6\" is the bytes C2 B6")
            .arg(QStringLiteral("%1").arg(uint(fault.character), 2, 16, QLatin1Char('0')).toUpper());
    case Reason::Utf16:
        return FaultWords::tr("the text is UTF-16; save it as UTF-8");
    }
    return {};
}

QString logoTextFaultPlaceAndWords(const LogoTextFault &fault)
{
    return FaultWords::tr("line %1, column %2: %3").arg(QString::number(fault.line), QString::number(fault.column),
                                            logoTextFaultWords(fault));
}

} // namespace plovan
