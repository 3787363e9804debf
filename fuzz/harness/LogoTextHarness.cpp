#include "harness/LogoTextHarness.h"

#include "import/LogoTextFile.h"
#include "messages/LogoTextFaultWords.h"
#include "support/CreatedText.h"

#include <QBuffer>
#include <QIODevice>
#include <QStringDecoder>
#include <QStringList>

#include <cstring>
#include <variant>

namespace plovan::fuzz {

namespace {

using Reason = LogoTextFault::Reason;

// The harness's own loops over every byte or pixel are left out of the fuzzer's coverage
// and comparison tracing: they teach it nothing about its inputs and took most of the time.
#if defined(__clang__)
#define PLOVAN_UNTRACED __attribute__((no_sanitize("coverage")))
#else
#define PLOVAN_UNTRACED
#endif

constexpr std::uint32_t kStoredBlack = 0xFF000000u;
constexpr std::uint32_t kStoredWhite = 0xFFFFFFFFu;
const QByteArrayView kMark("\xC2\xB6");

QString describe(const LogoTextCheck &check)
{
    if (check.valid)
        return QStringLiteral("valid, %1 wide, %2 bands, %3 characters").arg(check.width).arg(check.bands).arg(check.characters);
    const LogoTextFault &f = check.fault;
    return QStringLiteral("%1 at line %2, column %3 (character U+%4, digits %5, first band %6)")
        .arg(logoTextReasonName(f.reason)).arg(f.line).arg(f.column).arg(uint(f.character), 4, 16, QLatin1Char('0'))
        .arg(f.digits).arg(f.firstDigits);
}

bool same(const LogoTextCheck &a, const LogoTextCheck &b)
{
    return a.valid == b.valid && a.fault == b.fault && a.width == b.width && a.bands == b.bands
        && a.characters == b.characters;
}

// UTF-8 as a QString, a byte order mark at the start kept as U+FEFF (QString::fromUtf8
// drops it) and anything that is not UTF-8 turned into U+FFFD.
QString decodeKeepingBom(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Whether the bytes are UTF-8 throughout: only then do they come back from their decoding
// unchanged (a bad or cut-off sequence comes back as EF BF BD, or not at all).
bool wellFormedUtf8(QByteArrayView bytes)
{
    return decodeKeepingBom(bytes).toUtf8() == bytes;
}

// What a file saved as UTF-16 starts with: a byte order mark either way round, or an
// ASCII character with a NUL after it (little-endian) or before it (big-endian).
bool looksLikeUtf16(QByteArrayView bytes)
{
    if (bytes.size() < 2)
        return false;
    const auto b0 = std::uint8_t(bytes[0]), b1 = std::uint8_t(bytes[1]);
    const auto ascii = [](std::uint8_t b) { return b >= 0x01 && b <= 0x7F; };
    return (b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF) || (ascii(b0) && b1 == 0) || (b0 == 0 && ascii(b1));
}

// The format read the slow way: "OBM¶", bands "BMD¶" + an even number of uppercase hex
// digits + "¶", all as wide, then "CBM¶" and nothing more; 1-32767 columns, 1-4096
// bands, and in band 4096 no black in the bottom row (the odd bit of each column byte).
PLOVAN_UNTRACED bool validByReadingSlowly(QByteArrayView text, qsizetype *width, int *bands)
{
    const QByteArrayView open("OBM\xC2\xB6"), header("BMD\xC2\xB6"), close("CBM\xC2\xB6");
    if (text.size() < open.size() + close.size() || !text.startsWith(open) || !text.endsWith(close))
        return false;
    QByteArrayView rest = text.sliced(open.size(), text.size() - open.size() - close.size());
    qsizetype digitsPerBand = -1;
    QByteArrayView lastDigits;
    int count = 0;
    while (!rest.isEmpty()) {
        if (!rest.startsWith(header))
            return false;
        rest = rest.sliced(header.size());
        const qsizetype end = rest.indexOf(kMark);
        if (end < 0)
            return false;
        const QByteArrayView digits = rest.first(end);
        for (const char c : digits) {
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
                return false;
        }
        if (digits.isEmpty() || digits.size() % 2 != 0 || (digitsPerBand >= 0 && digits.size() != digitsPerBand))
            return false;
        digitsPerBand = digits.size();
        lastDigits = digits;
        ++count;
        rest = rest.sliced(end + kMark.size());
    }
    if (count < 1 || count > 4096 || digitsPerBand > 2 * 32767)
        return false;
    if (count == 4096) {
        for (qsizetype i = 1; i < lastDigits.size(); i += 2) {
            const char c = lastDigits[i];
            const int value = c <= '9' ? c - '0' : c - 'A' + 10;
            if (value & 1)
                return false;
        }
    }
    *width = digitsPerBand / 2;
    *bands = count;
    return true;
}

// Where a fault of the byte form stands in the bytes: everything before it on its line is
// ASCII, so it is the line's start (after line - 1 marks) plus column - 1; -1 when the
// text has no such place.
qsizetype byteOffsetOf(QByteArrayView bytes, const LogoTextFault &fault)
{
    if (fault.line < 1 || fault.column < 1)
        return -1;
    qsizetype lineStart = 0;
    for (qsizetype line = 1; line < fault.line; ++line) {
        const qsizetype mark = bytes.indexOf(kMark, lineStart);
        if (mark < 0)
            return -1;
        lineStart = mark + kMark.size();
    }
    const qsizetype offset = lineStart + fault.column - 1;
    return offset <= bytes.size() ? offset : -1;
}

bool namesACharacter(Reason reason)
{
    switch (reason) {
    case Reason::NotHexDigit: case Reason::LowercaseDigit: case Reason::Space: case Reason::CarriageReturn:
    case Reason::LineFeed: case Reason::ByteOrderMark: case Reason::TextAfterClose: case Reason::NotUtf8:
        return true;
    default:
        return false;
    }
}

// The fault of the byte form lies inside the text, at the character (or byte) it names,
// and a byte said not to be UTF-8 is not, after bytes that all are.
QString placeFailure(QByteArrayView bytes, const LogoTextFault &fault)
{
    const qsizetype offset = byteOffsetOf(bytes, fault);
    if (offset < 0)
        return QStringLiteral("the fault's place is not in the %1 bytes").arg(bytes.size());
    if (!namesACharacter(fault.reason))
        return {};
    if (offset == bytes.size())
        return QStringLiteral("the fault names a character at the end of the text");
    const QByteArrayView there = bytes.sliced(offset, std::min<qsizetype>(4, bytes.size() - offset));
    const QString decoded = decodeKeepingBom(there);
    if (fault.reason == Reason::NotUtf8) {
        if (char32_t(std::uint8_t(bytes[offset])) != fault.character)
            return QStringLiteral("the byte there is %1, not the one named").arg(std::uint8_t(bytes[offset]), 2, 16, QLatin1Char('0'));
        if (!wellFormedUtf8(bytes.first(offset)))
            return QStringLiteral("a byte that is not UTF-8 comes before the one named");
        // A sequence cut off by the end of the text decodes to nothing at all.
        if (!decoded.isEmpty() && (decoded[0] != QChar(0xFFFD) || there.startsWith("\xEF\xBF\xBD")))
            return QStringLiteral("the bytes there are UTF-8");
        return {};
    }
    const QList<uint> codePoints = decoded.toUcs4();
    if (codePoints.isEmpty() || codePoints[0] != fault.character)
        return QStringLiteral("the character there is U+%1, not the one named")
            .arg(codePoints.isEmpty() ? 0u : codePoints[0], 4, 16, QLatin1Char('0'));
    return {};
}

PLOVAN_UNTRACED bool samePixels(const Picture &a, const Picture &b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    const ConstRGBSurface sa = a.rgbSurface(), sb = b.rgbSurface();
    for (int y = 0; y < a.Height(); ++y) {
        if (std::memcmp(sa.row(y), sb.row(y), size_t(a.Width()) * sizeof(std::uint32_t)) != 0)
            return false;
    }
    return true;
}

// Whether every pixel is stored black or white; if not, the first that is not.
PLOVAN_UNTRACED bool blackAndWhite(const Picture &picture, int *badX, int *badY)
{
    const ConstRGBSurface surface = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint32_t *row = surface.row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            if (row[x] != kStoredBlack && row[x] != kStoredWhite) {
                *badX = x, *badY = y;
                return false;
            }
        }
    }
    return true;
}

// A picture of the size with every pixel set to something that is neither black nor white.
PLOVAN_UNTRACED PictureRef pictureInUse(int width, int height)
{
    const PictureRef picture = makePicture(width, height);
    RGBSurface surface = picture->rgbSurface();
    for (int y = 0; y < height; ++y) {
        std::uint32_t *row = surface.row(y);
        for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | (std::uint32_t(x * 131 + y * 71) * 2654435761u >> 8);
    }
    return picture;
}

// A reading gives a picture exactly when the text is valid, of the size checked, every
// pixel stored black or white.
QString pictureFailure(const LogoTextReading &reading)
{
    if (!reading.check.valid)
        return reading.picture ? QStringLiteral("a picture for an invalid text") : QString();
    if (!reading.picture)
        return QStringLiteral("no picture for a valid text");
    const Picture &picture = *reading.picture;
    if (picture.Width() != reading.check.width || picture.Height() != reading.check.height())
        return QStringLiteral("a picture of %1x%2 for a text of %3x%4")
            .arg(picture.Width()).arg(picture.Height()).arg(reading.check.width).arg(reading.check.height());
    int x = 0, y = 0;
    if (!blackAndWhite(picture, &x, &y))
        return QStringLiteral("pixel (%1,%2) is stored as %3").arg(x).arg(y).arg(picture.rgbSurface().row(y)[x], 8, 16, QLatin1Char('0'));
    return {};
}

// A stream that hands its bytes out a few at a time, as a pipe does, and says -1 at its end.
class TrickleDevice : public QIODevice {
public:
    TrickleDevice(QByteArrayView bytes, qsizetype chunk) : bytes_(bytes), chunk_(chunk) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos_ == bytes_.size())
            return -1;
        const qsizetype n = qsizetype(std::min<qint64>({maxSize, chunk_, bytes_.size() - pos_}));
        std::memcpy(data, bytes_.data() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArrayView bytes_;
    qsizetype chunk_;
    qsizetype pos_ = 0;
};

// The reader of files on the same bytes from `device`: the bytes kept as they were, the
// same verdict as checkLogoTextUtf8, and the picture when asked for, the same as from
// readLogoTextUtf8.
QString fileReaderFailure(QIODevice &device, LogoTextPicture mode, const QByteArray &bytes, const LogoTextReading &expected)
{
    const auto result = readLogoText(device, mode);
    if (const auto *error = std::get_if<LogoTextReadError>(&result))
        return QStringLiteral("refused with reason %1 (%2)").arg(int(error->reason)).arg(error->systemReason);
    const ReadLogoText &read = std::get<ReadLogoText>(result);
    if (read.bytes != bytes)
        return QStringLiteral("kept %1 bytes, not the %2 given").arg(read.bytes.size()).arg(bytes.size());
    if (!same(read.reading.check, expected.check))
        return QStringLiteral("found %1").arg(describe(read.reading.check));
    if (mode == LogoTextPicture::CheckOnly)
        return read.reading.picture ? QStringLiteral("made a picture when only checking") : QString();
    if (expected.picture && (!read.reading.picture || !samePixels(*read.reading.picture, *expected.picture)))
        return QStringLiteral("made another picture");
    if (!expected.picture && read.reading.picture)
        return QStringLiteral("made a picture of an invalid text");
    return {};
}

// A QString form's verdict, and for a valid text its picture and that picture written
// again by Create.
struct StringForm {
    LogoTextCheck check;
    LogoTextReading reading;
    QString written;
};

// The QString form on its own: checking and reading agree, it never speaks of encodings,
// and a valid text is written again as it was, also when decoded into a picture in use.
StringForm checkStringForm(const QString &text, const char *what, QStringList &failures)
{
    StringForm form{checkLogoText(text), readLogoText(text), {}};
    const LogoTextCheck &check = form.check;
    const LogoTextReading &reading = form.reading;
    if (!same(reading.check, check))
        failures << QStringLiteral("%1: reading found %2, checking %3").arg(QLatin1String(what), describe(reading.check), describe(check));
    if (const QString failure = pictureFailure(reading); !failure.isEmpty())
        failures << QStringLiteral("%1: %2").arg(QLatin1String(what), failure);
    if (!check.valid && (check.fault.reason == Reason::Utf16 || check.fault.reason == Reason::NotUtf8))
        failures << QStringLiteral("%1: %2, from a QString").arg(QLatin1String(what), describe(check));
    if (!check.valid || !reading.picture)
        return form;
    form.written = testsupport::logoTextOf(reading.picture);
    if (form.written != text)
        failures << QStringLiteral("%1: written again, the text differs").arg(QLatin1String(what));
    const PictureRef inUse = pictureInUse(check.width, check.height());
    decodeLogoText(text, check, *inUse);
    if (!samePixels(*inUse, *reading.picture))
        failures << QStringLiteral("%1: decoded into a picture in use, the pixels differ").arg(QLatin1String(what));
    return form;
}

// The byte form and the QString form of one text agree, but for a file saved as UTF-16,
// which only the bytes show: the QString form must still find a fault there.
void compareForms(const LogoTextCheck &bytesCheck, const LogoTextCheck &stringCheck, const char *what, QStringList &failures)
{
    if (!bytesCheck.valid && bytesCheck.fault.reason == Reason::Utf16) {
        if (stringCheck.valid)
            failures << QStringLiteral("%1: UTF-16 bytes, valid as a QString").arg(QLatin1String(what));
        return;
    }
    if (!same(bytesCheck, stringCheck))
        failures << QStringLiteral("%1: the bytes give %2, the QString %3").arg(QLatin1String(what), describe(bytesCheck), describe(stringCheck));
}

} // namespace

QString logoTextReasonName(LogoTextFault::Reason reason)
{
    switch (reason) {
    case Reason::Empty: return QStringLiteral("Empty");
    case Reason::NoOpenLine: return QStringLiteral("NoOpenLine");
    case Reason::BandHeaderExpected: return QStringLiteral("BandHeaderExpected");
    case Reason::NotHexDigit: return QStringLiteral("NotHexDigit");
    case Reason::LowercaseDigit: return QStringLiteral("LowercaseDigit");
    case Reason::Space: return QStringLiteral("Space");
    case Reason::CarriageReturn: return QStringLiteral("CarriageReturn");
    case Reason::LineFeed: return QStringLiteral("LineFeed");
    case Reason::ByteOrderMark: return QStringLiteral("ByteOrderMark");
    case Reason::OddDigitCount: return QStringLiteral("OddDigitCount");
    case Reason::EmptyBand: return QStringLiteral("EmptyBand");
    case Reason::WidthDiffers: return QStringLiteral("WidthDiffers");
    case Reason::TooWide: return QStringLiteral("TooWide");
    case Reason::TooTall: return QStringLiteral("TooTall");
    case Reason::BlackPastLastRow: return QStringLiteral("BlackPastLastRow");
    case Reason::NoBand: return QStringLiteral("NoBand");
    case Reason::NoCloseLine: return QStringLiteral("NoCloseLine");
    case Reason::TextEndsInBand: return QStringLiteral("TextEndsInBand");
    case Reason::TextAfterClose: return QStringLiteral("TextAfterClose");
    case Reason::NotUtf8: return QStringLiteral("NotUtf8");
    case Reason::Utf16: return QStringLiteral("Utf16");
    }
    return QStringLiteral("reason %1").arg(int(reason));
}

QString checkLogoTextInput(QByteArrayView input)
{
    const QByteArray bytes = input.first(std::min(input.size(), kLogoTextInputCap)).toByteArray();
    QStringList failures;

    // Checking and reading the bytes.
    const LogoTextCheck check = checkLogoTextUtf8(bytes);
    const LogoTextReading reading = readLogoTextUtf8(bytes);
    if (!same(reading.check, check))
        failures << QStringLiteral("bytes: reading found %1, checking %2").arg(describe(reading.check), describe(check));
    if (const QString failure = pictureFailure(reading); !failure.isEmpty())
        failures << QStringLiteral("bytes: ") + failure;
    if (!check.valid && logoTextFaultWords(check.fault).isEmpty())
        failures << QStringLiteral("bytes: the fault has no words");

    // Against the format read slowly, and the fault's place.
    qsizetype slowWidth = 0;
    int slowBands = 0;
    const bool slowValid = validByReadingSlowly(bytes, &slowWidth, &slowBands);
    if (slowValid != check.valid)
        failures << QStringLiteral("bytes: %1, but read slowly the text is %2").arg(describe(check), slowValid ? QStringLiteral("valid") : QStringLiteral("not"));
    else if (slowValid && (check.width != slowWidth || check.bands != slowBands))
        failures << QStringLiteral("bytes: %1, but read slowly %2 wide, %3 bands").arg(describe(check)).arg(slowWidth).arg(slowBands);
    if (!check.valid) {
        if (const QString failure = placeFailure(bytes, check.fault); !failure.isEmpty())
            failures << QStringLiteral("bytes: %1: %2").arg(describe(check), failure);
    }
    const bool utf16 = !check.valid && check.fault.reason == Reason::Utf16;
    if (utf16 != looksLikeUtf16(bytes))
        failures << QStringLiteral("bytes: %1, but the first two bytes %2 UTF-16")
                        .arg(describe(check), utf16 ? QStringLiteral("are not") : QStringLiteral("are"));

    // The reader of files, from a file-like device and from a trickling stream.
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        if (const QString failure = fileReaderFailure(buffer, LogoTextPicture::Make, bytes, reading); !failure.isEmpty())
            failures << QStringLiteral("file reader, from a buffer: ") + failure;
        TrickleDevice stream(bytes, 1 + bytes.size() % 4099);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        if (const QString failure = fileReaderFailure(stream, LogoTextPicture::CheckOnly, bytes, reading); !failure.isEmpty())
            failures << QStringLiteral("file reader, from a stream: ") + failure;
    }

    // The same text as a QString, where the bytes are UTF-8 up to the fault; a valid text
    // is written again byte for byte.
    // (The picture from the bytes is the one from the QString, so what Create writes of the
    // one it writes of the other.)
    const QString text = decodeKeepingBom(bytes);
    const StringForm form = checkStringForm(text, "text", failures);
    if (check.valid || check.fault.reason != Reason::NotUtf8)
        compareForms(check, form.check, "text", failures);
    if (check.valid && reading.picture && form.reading.picture) {
        if (!samePixels(*form.reading.picture, *reading.picture))
            failures << QStringLiteral("the bytes and the QString give other pictures");
        else if (form.written.toUtf8() != bytes)
            failures << QStringLiteral("bytes: written again, the bytes differ");
        if (check.characters != text.size())
            failures << QStringLiteral("bytes: %1, but the text has %2 characters").arg(describe(check)).arg(text.size());
    }

    // The bytes as UTF-16 code units, as a QString holds a file read as UTF-16; when that
    // is valid UTF-16, its UTF-8 form must agree with it.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the units are taken as they lie in memory");
    QString units(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(units.data(), bytes.constData(), size_t(units.size()) * sizeof(QChar));
    const StringForm unitsForm = checkStringForm(units, "UTF-16 units", failures);
    if (units.isValidUtf16())
        compareForms(checkLogoTextUtf8(units.toUtf8()), unitsForm.check, "UTF-16 units", failures);

    return failures.join(QStringLiteral("; "));
}

} // namespace plovan::fuzz
