#include "PictureMaker.h"
#include "support/CreatedText.h"

#include "conversion/LogoText.h"
#include "conversion/LogoTextReader.h"
#include "messages/LogoTextFaultWords.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace plovan;
using plovan::testsupport::logoTextOf;
using Reason = LogoTextFault::Reason;

namespace {

constexpr std::uint32_t kStoredBlack = 0xFF000000u;
constexpr std::uint32_t kStoredWhite = 0xFFFFFFFFu;

// "OBM¶", a band line per entry (each preceded by "BMD¶"), "CBM¶", as UTF-8 bytes.
QByteArray textOf(const QList<QByteArray> &bandDigits)
{
    QByteArray text = "OBM¶";
    for (const QByteArray &digits : bandDigits)
        text += "BMD¶" + digits + "¶";
    return text + "CBM¶";
}

// Random black and white, as redraw leaves a working picture.
PictureRef randomBlackWhite(int width, int height, QRandomGenerator &random)
{
    return testpictures::filled(width, height, [&](int, int) { return random.bounded(2) ? kBlack : kWhite; });
}

// The stored pixels of `picture`, then white rows up to `height`: what reading the
// picture's text gives back.
QList<std::uint32_t> storedPixelsPadded(const Picture &picture, int height)
{
    QList<std::uint32_t> pixels;
    const ConstRGBSurface surface = picture.rgbSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < picture.Width(); ++x)
            pixels << (y < picture.Height() ? surface.row(y)[x] : kStoredWhite);
    return pixels;
}

// The text of UTF-8 bytes as a QString holds it, a byte order mark at the start
// included (QString::fromUtf8 drops it).
QString utf16Of(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

// Whether a text is logo data text, the slow way: the format as a regular expression,
// then equal bands and the range rule.
bool validByPattern(const QString &text)
{
    // \z, not $, which would also take a line feed at the end.
    static const QRegularExpression whole(QStringLiteral("^OBM¶((BMD¶([0-9A-F]{2})+¶)+)CBM¶\\z"));
    static const QRegularExpression band(QStringLiteral("BMD¶([0-9A-F]+)¶"));
    const QRegularExpressionMatch match = whole.match(text);
    if (!match.hasMatch())
        return false;
    QList<qsizetype> widths;
    for (const QRegularExpressionMatch &each : band.globalMatch(match.capturedView(1)))
        widths << each.capturedLength(1);
    if (widths.size() > 4096 || widths.first() > 65534 || widths.count(widths.first()) != widths.size())
        return false;
    return true;
}

} // namespace

class TestLogoTextReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faults_data();
    void faults();
    void strayCharacterAnywhere_data();
    void strayCharacterAnywhere();
    void placeAndWords();
    void utf16_data();
    void utf16();
    void validTexts_data();
    void validTexts();
    void roundTrip_data();
    void roundTrip();
    void largestPicture();
    void randomEdits();
};

void TestLogoTextReader::faults_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("words");

    const QByteArray end = "BMD¶FF¶CBM¶";
    // Opening line.
    QTest::newRow("empty") << QByteArray() << 1 << 1
                           << "the text is empty; logo data text starts with \"OBM¶\"";
    QTest::newRow("opening line in lower case") << "obm¶" + end << 1 << 1
                                                << "the text does not start with the opening line \"OBM¶\"";
    QTest::newRow("opening line cut short") << QByteArray("OB") << 1 << 1
                                            << "the text does not start with the opening line \"OBM¶\"";
    QTest::newRow("byte order mark first") << "\xEF\xBB\xBFOBM¶" + end << 1 << 1
                                           << "a byte order mark (U+FEFF), which some editors put at the start of a "
                                              "file; logo data text starts with \"OBM¶\"";
    // Line breaks added by an editor or a mail program, wherever they stand.
    const QString lineFeed = "a line feed (a line break added by an editor or a mail program); logo data text ends "
                             "its lines with \"¶\" only";
    QTest::newRow("line feed after each line") << QByteArray("OBM¶\nBMD¶FF¶\nCBM¶\n") << 2 << 1 << lineFeed;
    QTest::newRow("carriage return and line feed")
        << "OBM¶\r\n" + end << 2 << 1
        << "a carriage return (a line break added by an editor or a mail program); logo data text ends its lines "
           "with \"¶\" only";
    QTest::newRow("line feed for the line mark") << "OBM\n" + end << 1 << 4 << lineFeed;
    QTest::newRow("line feed in a band header") << QByteArray("OBM¶BM\nD¶FF¶CBM¶") << 2 << 3 << lineFeed;
    QTest::newRow("digits wrapped by a mail program") << QByteArray("OBM¶BMD¶FF00\nFF00¶CBM¶") << 3 << 5 << lineFeed;
    QTest::newRow("space before a band header") << "OBM¶ " + end << 2 << 1
                                                << "a space, which logo data text never holds";
    // Band headers.
    QTest::newRow("band header misspelt") << QByteArray("OBM¶BMX¶FF¶CBM¶") << 2 << 1
                                          << "a band header \"BMD¶\" or the closing line \"CBM¶\" was expected here";
    QTest::newRow("band header missing") << QByteArray("OBM¶BMD¶FF¶FF¶CBM¶") << 4 << 1
                                         << "a band header \"BMD¶\" or the closing line \"CBM¶\" was expected here";
    QTest::newRow("closing line misspelt") << QByteArray("OBM¶BMD¶FF¶CBN¶") << 4 << 1
                                           << "a band header \"BMD¶\" or the closing line \"CBM¶\" was expected here";
    // Digits.
    QTest::newRow("lowercase digit") << QByteArray("OBM¶BMD¶F0a1¶CBM¶") << 3 << 3
                                     << "'a' is a lowercase hexadecimal digit; the digits must be uppercase (A-F)";
    QTest::newRow("letter past F") << QByteArray("OBM¶BMD¶0G¶CBM¶") << 3 << 2
                                   << "'G' is not an uppercase hexadecimal digit (0-9, A-F)";
    QTest::newRow("space between bytes") << QByteArray("OBM¶BMD¶FF 00¶CBM¶") << 3 << 3
                                         << "a space, which logo data text never holds";
    QTest::newRow("tab") << QByteArray("OBM¶BMD¶\t00¶CBM¶") << 3 << 1
                         << "a tab (U+0009) is not an uppercase hexadecimal digit (0-9, A-F)";
    QTest::newRow("no-break space") << QByteArray("OBM¶BMD¶00\xC2\xA0¶CBM¶") << 3 << 3
                                    << "U+00A0 is not an uppercase hexadecimal digit (0-9, A-F)";
    QTest::newRow("character outside the BMP counts as one column")
        << QByteArray("OBM¶BMD¶\xF0\x9F\x98\x80¶CBM¶") << 3 << 1
        << "'\U0001F600' (U+1F600) is not an uppercase hexadecimal digit (0-9, A-F)";
    QTest::newRow("byte order mark inside a band")
        << QByteArray("OBM¶BMD¶00\xEF\xBB\xBF¶CBM¶") << 3 << 3
        << "a byte order mark (U+FEFF), which some editors put at the start of a file; logo data text starts with "
           "\"OBM¶\"";
    QTest::newRow("band runs into the next header") << QByteArray("OBM¶BMD¶FFBMD¶FF¶CBM¶") << 3 << 4
                                                    << "'M' is not an uppercase hexadecimal digit (0-9, A-F)";
    QTest::newRow("odd number of digits") << QByteArray("OBM¶BMD¶FFF¶CBM¶") << 3 << 1
                                          << "the band has an odd number of digits (3); every column takes two";
    QTest::newRow("band without digits") << QByteArray("OBM¶BMD¶¶CBM¶") << 3 << 1
                                         << "the band has no digits; every band has two digits for each column";
    QTest::newRow("second band narrower") << textOf({"FFFF", "FF"}) << 5 << 1
                                          << "the band has 2 digits but the first band has 4; all bands must be "
                                             "equally wide";
    QTest::newRow("third band wider") << textOf({"00", "00", "0000"}) << 7 << 1
                                      << "the band has 4 digits but the first band has 2; all bands must be "
                                         "equally wide";
    QTest::newRow("odd is said before the width") << textOf({"00", "000"}) << 5 << 1
                                                  << "the band has an odd number of digits (3); every column takes two";
    QTest::newRow("one column too wide") << textOf({QByteArray(65536, '0')}) << 3 << 1
                                         << "the band has 65536 digits, a picture 32768 dots wide; at most 32767 "
                                            "dots are possible";
    QTest::newRow("one band too many") << textOf(QList<QByteArray>(4097, "00")) << 8194 << 1
                                       << "more than 4096 bands; a picture has at most 32767 rows";
    QList<QByteArray> blackInRow32768(4095, "0000");
    blackInRow32768 << "0001";
    QTest::newRow("black in row 32768") << textOf(blackInRow32768) << 8193 << 4
                                        << "a black dot in row 32768, past the 32767 rows a picture can have; in "
                                           "band 4096 the second digit of every column must be even";
    // Bands and the closing line.
    const QString noBand = "no band: the opening line must be followed by at least one band header \"BMD¶\" and its "
                           "line of digits";
    QTest::newRow("closing line right after the opening line") << QByteArray("OBM¶CBM¶") << 2 << 1 << noBand;
    QTest::newRow("only the opening line") << QByteArray("OBM¶") << 2 << 1 << noBand;
    const QString noClose = "no closing line \"CBM¶\": the text ends here";
    QTest::newRow("ends after a band") << QByteArray("OBM¶BMD¶FF¶") << 4 << 1 << noClose;
    QTest::newRow("closing line cut short") << QByteArray("OBM¶BMD¶FF¶CB") << 4 << 1 << noClose;
    QTest::newRow("closing line without its mark") << QByteArray("OBM¶BMD¶FF¶CBM") << 4 << 1 << noClose;
    const QString endsInBand = "the text ends inside a band's digits, without \"¶\" and the closing line \"CBM¶\"";
    QTest::newRow("ends inside the digits") << QByteArray("OBM¶BMD¶FF0") << 3 << 4 << endsInBand;
    QTest::newRow("ends after a band header") << QByteArray("OBM¶BMD¶") << 3 << 1 << endsInBand;
    QTest::newRow("line feed after the closing line")
        << textOf({"FF"}) + "\n" << 5 << 1
        << "text after the closing line \"CBM¶\", starting with a line feed (U+000A)";
    QTest::newRow("the text twice") << textOf({"FF"}) + textOf({"FF"}) << 5 << 1
                                    << "text after the closing line \"CBM¶\", starting with 'O'";
    // Bytes that are not UTF-8: the fault is where they stand.
    QTest::newRow("line mark in Latin-1") << QByteArray("OBM\xB6" "BMD\xB6" "FF\xB6" "CBM\xB6") << 1 << 4
                                          << "the byte B6 is not UTF-8; the text must be saved as UTF-8, where \"¶\" "
                                             "is the bytes C2 B6";
    QTest::newRow("stray byte in the digits") << QByteArray("OBM¶BMD¶F\xFF¶CBM¶") << 3 << 2
                                              << "the byte FF is not UTF-8; the text must be saved as UTF-8, where "
                                                 "\"¶\" is the bytes C2 B6";
    QTest::newRow("line mark cut after its first byte") << QByteArray("OBM¶BMD¶FF\xC2") << 3 << 3
                                                        << "the byte C2 is not UTF-8; the text must be saved as UTF-8, "
                                                           "where \"¶\" is the bytes C2 B6";
    QTest::newRow("overlong form of a digit") << QByteArray("OBM¶BMD¶\xC0\xB0¶CBM¶") << 3 << 1
                                              << "the byte C0 is not UTF-8; the text must be saved as UTF-8, where "
                                                 "\"¶\" is the bytes C2 B6";
    QTest::newRow("encoded surrogate") << QByteArray("OBM¶BMD¶\xED\xA0\x80¶CBM¶") << 3 << 1
                                       << "the byte ED is not UTF-8; the text must be saved as UTF-8, where \"¶\" is "
                                          "the bytes C2 B6";
    QTest::newRow("Latin-1 after the closing line") << textOf({"FF"}) + "\xE9" << 5 << 1
                                                    << "the byte E9 is not UTF-8; the text must be saved as UTF-8, "
                                                       "where \"¶\" is the bytes C2 B6";
}

// The bytes of a file and, when they are UTF-8, the same text as a QString give the same
// fault, and reading gives no picture.
void TestLogoTextReader::faults()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, words);

    const LogoTextReading reading = readLogoTextUtf8(text);
    QVERIFY(!reading.check.valid);
    QVERIFY(!reading.picture);
    const LogoTextFault fault = reading.check.fault;
    QCOMPARE(fault.line, line);
    QCOMPARE(fault.column, column);
    QCOMPARE(logoTextFaultWords(fault), words);
    QCOMPARE(checkLogoTextUtf8(text).fault, fault);

    if (fault.reason != Reason::NotUtf8) {
        const LogoTextReading fromString = readLogoText(utf16Of(text));
        QVERIFY(!fromString.picture);
        QCOMPARE(fromString.check.valid, false);
        QCOMPARE(fromString.check.fault, fault);
    }
}

void TestLogoTextReader::strayCharacterAnywhere_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<Reason>("reason");
    // Neighbours of the digit ranges, and characters whose low byte is a digit.
    QTest::newRow("'/' before '0'") << QStringLiteral("/") << Reason::NotHexDigit;
    QTest::newRow("':' after '9'") << QStringLiteral(":") << Reason::NotHexDigit;
    QTest::newRow("'@' before 'A'") << QStringLiteral("@") << Reason::NotHexDigit;
    QTest::newRow("'G' after 'F'") << QStringLiteral("G") << Reason::NotHexDigit;
    QTest::newRow("'a'") << QStringLiteral("a") << Reason::LowercaseDigit;
    QTest::newRow("'f'") << QStringLiteral("f") << Reason::LowercaseDigit;
    QTest::newRow("U+0130, low byte '0'") << QStringLiteral("\u0130") << Reason::NotHexDigit;
    QTest::newRow("U+8041, low byte 'A'") << QStringLiteral("\u8041") << Reason::NotHexDigit;
    QTest::newRow("fullwidth digit zero") << QStringLiteral("\uFF10") << Reason::NotHexDigit;
    QTest::newRow("middle dot, next to the line mark") << QStringLiteral("\u00B7") << Reason::NotHexDigit;
    QTest::newRow("line feed") << QStringLiteral("\n") << Reason::LineFeed;
}

// One character at every place of a band long enough for the vector loops, in the first
// and in a later band: the fault is at that column, from a QString and from UTF-8.
void TestLogoTextReader::strayCharacterAnywhere()
{
    QFETCH(QString, character);
    QFETCH(Reason, reason);
    const QString digits = QStringLiteral("0123456789ABCDEF").repeated(5);
    for (int band = 0; band < 2; ++band) {
        for (qsizetype i = 0; i < digits.size(); ++i) {
            QString bad = digits;
            bad[i] = character[0];
            const QString text = band == 0 ? QStringLiteral("OBM¶BMD¶") + bad + QStringLiteral("¶CBM¶")
                                            : QStringLiteral("OBM¶BMD¶") + digits + QStringLiteral("¶BMD¶") + bad
                    + QStringLiteral("¶CBM¶");
            for (const LogoTextCheck &check : {checkLogoText(text), checkLogoTextUtf8(text.toUtf8())}) {
                QVERIFY(!check.valid);
                QCOMPARE(check.fault.reason, reason);
                QCOMPARE(check.fault.line, 3 + 2 * band);
                QCOMPARE(check.fault.column, i + 1);
                QCOMPARE(check.fault.character, char32_t(character[0].unicode()));
            }
        }
    }
}

void TestLogoTextReader::placeAndWords()
{
    const LogoTextFault fault = checkLogoText(u"OBM¶BMD¶FF00¶BMD¶FF¶CBM¶").fault;
    QCOMPARE(logoTextFaultPlaceAndWords(fault),
             "line 5, column 1: the band has 2 digits but the first band has 4; all bands must be equally wide");
}

void TestLogoTextReader::utf16_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶");
    auto encoded = [&](QStringEncoder::Encoding encoding, bool bom) {
        QStringEncoder encoder(encoding, bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
        return QByteArray(encoder.encode(text));
    };
    const QByteArray leWithBom = encoded(QStringEncoder::Utf16LE, true);
    QCOMPARE(leWithBom.left(6), QByteArray("\xFF\xFEO\0B\0", 6)); // what the test means by it
    QTest::newRow("little-endian with a byte order mark") << leWithBom;
    QTest::newRow("big-endian with a byte order mark") << encoded(QStringEncoder::Utf16BE, true);
    QTest::newRow("little-endian without one") << encoded(QStringEncoder::Utf16LE, false);
    QTest::newRow("big-endian without one") << encoded(QStringEncoder::Utf16BE, false);
    QTest::newRow("opening line misspelt, little-endian") << QByteArray("o\0b\0m\0\xB6\0", 8);
    QTest::newRow("just one character") << QByteArray("O\0", 2);
}

// A text saved as UTF-16 is said to be UTF-16, at its very start, rather than a text that
// does not begin with the opening line or whose first byte is not UTF-8.
void TestLogoTextReader::utf16()
{
    QFETCH(QByteArray, bytes);
    const LogoTextReading reading = readLogoTextUtf8(bytes);
    QVERIFY(!reading.check.valid);
    QVERIFY(!reading.picture);
    QCOMPARE(reading.check.fault.reason, Reason::Utf16);
    QCOMPARE(reading.check.fault.line, 1);
    QCOMPARE(reading.check.fault.column, 1);
    QCOMPARE(logoTextFaultPlaceAndWords(reading.check.fault),
             QStringLiteral("line 1, column 1: the text is UTF-16; save it as UTF-8"));
    QCOMPARE(checkLogoTextUtf8(bytes).fault, reading.check.fault);
}

void TestLogoTextReader::validTexts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("rows"); // '#' black, '.' white

    QTest::newRow("worked example") << QByteArray("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶") << 2
                                    << QStringList{"#.", "#.", "#.", "#.", "#.", "#.", "#.", "#.",
                                                   "#.", "##", "..", "..", "..", "..", "..", ".."};
    QTest::newRow("one black column") << QByteArray("OBM¶BMD¶FF¶CBM¶") << 1
                                      << QStringList{"#", "#", "#", "#", "#", "#", "#", "#"};
    QTest::newRow("bit 7 is the top row") << QByteArray("OBM¶BMD¶8040201008040201¶CBM¶") << 8
                                          << QStringList{"#.......", ".#......", "..#.....", "...#....",
                                                         "....#...", ".....#..", "......#.", ".......#"};
    QTest::newRow("every digit") << QByteArray("OBM¶BMD¶0123456789ABCDEF¶CBM¶") << 8
                                 << QStringList{"....####", "..##..##", ".#.#.#.#", "........",
                                                "....####", "..##..##", ".#.#.#.#", "########"};
}

void TestLogoTextReader::validTexts()
{
    QFETCH(QByteArray, text);
    QFETCH(int, width);
    QFETCH(QStringList, rows);

    const LogoTextReading fromBytes = readLogoTextUtf8(text);
    const LogoTextReading fromString = readLogoText(QString::fromUtf8(text));
    for (const LogoTextReading &reading : {fromBytes, fromString}) {
        QVERIFY2(reading.check.valid, qPrintable(logoTextFaultPlaceAndWords(reading.check.fault)));
        QCOMPARE(reading.check.width, width);
        QCOMPARE(reading.check.height(), rows.size());
        QCOMPARE(reading.check.bands, rows.size() / 8);
        QCOMPARE(reading.check.characters, QString::fromUtf8(text).size());
        QVERIFY(reading.picture);
        QCOMPARE(reading.picture->Width(), width);
        QCOMPARE(reading.picture->Height(), rows.size());
        const ConstRGBSurface surface = reading.picture->rgbSurface();
        for (int y = 0; y < rows.size(); ++y) {
            QString got;
            for (int x = 0; x < width; ++x) {
                const std::uint32_t stored = surface.row(y)[x];
                QVERIFY(stored == kStoredBlack || stored == kStoredWhite);
                got += stored == kStoredBlack ? QLatin1Char('#') : QLatin1Char('.');
            }
            QCOMPARE(got, rows[y]);
        }
    }
}

void TestLogoTextReader::roundTrip_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1x1") << 1 << 1;
    QTest::newRow("narrower than a vector") << 7 << 9;
    QTest::newRow("one vector and a tail") << 17 << 16;
    QTest::newRow("vectors only") << 64 << 24;
    QTest::newRow("tallest, 4096 bands") << 3 << 32767;
    QTest::newRow("4096 bands, the last of one row") << 19 << 32761;
    QRandomGenerator sizes(1207);
    for (int i = 0; i < 24; ++i) {
        const int width = 1 + int(sizes.bounded(i < 12 ? 40 : 700));
        const int height = 1 + int(sizes.bounded(i < 12 ? 20 : 90));
        QTest::addRow("random %dx%d", width, height) << width << height;
    }
}

// Reading the text Create makes gives back the working picture padded with white rows
// to whole bands (or to 32767 rows, the most there can be), from a QString and from its UTF-8 bytes alike; encoding that picture
// again gives the same text.
void TestLogoTextReader::roundTrip()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QRandomGenerator random(quint32(width * 7919 + height));
    const PictureRef destPix = randomBlackWhite(width, height, random);
    const QString text = logoTextOf(destPix);
    const int paddedHeight = std::min((height + 7) / 8 * 8, Picture::kMaxSide);

    const LogoTextReading fromString = readLogoText(text);
    const LogoTextReading fromBytes = readLogoTextUtf8(text.toUtf8());
    for (const LogoTextReading &reading : {fromString, fromBytes}) {
        QVERIFY2(reading.check.valid, qPrintable(logoTextFaultPlaceAndWords(reading.check.fault)));
        QCOMPARE(reading.check.characters, text.size());
        QCOMPARE(reading.picture->Width(), width);
        QCOMPARE(reading.picture->Height(), paddedHeight);
        QCOMPARE(storedPixelsPadded(*reading.picture, paddedHeight), storedPixelsPadded(*destPix, paddedHeight));
        QCOMPARE(logoTextOf(reading.picture), text);
    }

    // The same pixels into a picture that is in use, whatever it held before.
    const LogoTextCheck check = checkLogoText(text);
    const PictureRef inUse = randomBlackWhite(width, paddedHeight, random);
    decodeLogoText(text, check, *inUse);
    QCOMPARE(storedPixelsPadded(*inUse, paddedHeight), storedPixelsPadded(*destPix, paddedHeight));
}

// The widest and the tallest picture the range rule allows, and one dot more of each is
// refused (in the fault table).
void TestLogoTextReader::largestPicture()
{
    const LogoTextReading widest = readLogoTextUtf8(textOf({QByteArray(65534, 'F')}));
    QVERIFY(widest.check.valid);
    QCOMPARE(widest.picture->Width(), 32767);
    QCOMPARE(widest.picture->Height(), 8);
    QCOMPARE(widest.picture->rgbSurface().row(7)[32766], kStoredBlack);

    // 4096 bands: the bottom row of the last is the padding past row 32767.
    QList<QByteArray> bands(4095, "01");
    bands << "FE";
    const QByteArray text = textOf(bands);
    const LogoTextReading tallest = readLogoTextUtf8(text);
    QVERIFY(tallest.check.valid);
    QCOMPARE(tallest.check.bands, 4096);
    QCOMPARE(tallest.picture->Width(), 1);
    QCOMPARE(tallest.picture->Height(), 32767);
    const ConstRGBSurface surface = tallest.picture->rgbSurface();
    QCOMPARE(surface.row(32758)[0], kStoredWhite);
    QCOMPARE(surface.row(32759)[0], kStoredBlack);
    QCOMPARE(surface.row(32760)[0], kStoredBlack);
    QCOMPARE(surface.row(32766)[0], kStoredBlack);
    QCOMPARE(logoTextOf(tallest.picture), QString::fromUtf8(text));
}

// Texts made by Create, then edited at random with the characters that matter: the
// reader agrees with the slow way about validity, the QString and the UTF-8 forms agree
// on the fault, a fault lies inside the text, and a valid text reads back to a picture
// that encodes to the same text.
void TestLogoTextReader::randomEdits()
{
    const QStringList pieces{"0", "7", "A", "F", "a", "G", "B", "M", "D", "C", "O", "¶", "BMD¶", "CBM¶", "00",
                             "\n", "\r\n", " ", "\uFEFF", "é", "\U0001F600"};
    QRandomGenerator random(4242);
    int valid = 0;
    for (int round = 0; round < 3000; ++round) {
        const int width = 1 + int(random.bounded(20));
        const int height = 1 + int(random.bounded(20));
        QString text = logoTextOf(randomBlackWhite(width, height, random));
        const int edits = 1 + int(random.bounded(2));
        for (int e = 0; e < edits; ++e) {
            // Half the edits where lines meet: at either end or next to a line mark.
            qsizetype at = qsizetype(random.bounded(int(text.size()) + 1));
            if (random.bounded(2)) {
                const qsizetype mark = text.indexOf(QChar(0x00B6), at);
                at = mark < 0 ? text.size() : mark + qsizetype(random.bounded(2));
            }
            switch (random.bounded(3)) {
            case 0: text.insert(at, pieces[random.bounded(int(pieces.size()))]); break;
            case 1: text.remove(at, 1 + random.bounded(3)); break;
            default: text.replace(at, 1, pieces[random.bounded(int(pieces.size()))]); break;
            }
        }
        const LogoTextCheck check = checkLogoText(text);
        QVERIFY2(check.valid == validByPattern(text), qPrintable(text));
        // An edit can split a surrogate pair, which UTF-8 cannot carry.
        if (text.isValidUtf16())
            QCOMPARE(checkLogoTextUtf8(text.toUtf8()).fault, check.fault);
        if (check.valid) {
            ++valid;
            const LogoTextReading reading = readLogoText(text);
            QCOMPARE(logoTextOf(reading.picture), text);
        } else {
            const qsizetype lines = text.count(QChar(0x00B6)) + 1;
            QVERIFY2(check.fault.line >= 1 && check.fault.line <= lines, qPrintable(text));
            QVERIFY2(check.fault.column >= 1 && check.fault.column <= text.size() + 1, qPrintable(text));
        }
    }
    // Some edits leave a valid text (a digit for a digit), and the test must see some.
    QVERIFY(valid > 100);
}

QTEST_GUILESS_MAIN(TestLogoTextReader)
#include "tst_logotextreader.moc"
