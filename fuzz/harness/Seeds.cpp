#include "harness/Seeds.h"

#include "harness/JpegBuilder.h"
#include "harness/StructuredPng.h"
#include "support/FixtureFiles.h"

#include <QImage>
#include <QStringEncoder>

namespace plovan::fuzz {

using testsupport::encoded;

namespace {

// A picture with gradients, hard edges and a transparent corner, the same on every run.
QImage pattern(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = (x < width / 3 && y < height / 3) ? 0 : (x + y) % 5 == 0 ? 128 : 255;
            image.setPixel(x, y, qRgba((x * 255) / qMax(1, width - 1), (y * 255) / qMax(1, height - 1), (x ^ y) * 16 % 256, alpha));
        }
    }
    return image.convertToFormat(format);
}

// A run of bytes that is not all alike but the same on every run.
QByteArray filler(int count, int salt)
{
    QByteArray bytes(count, Qt::Uninitialized);
    std::uint32_t v = 2166136261u ^ std::uint32_t(salt);
    for (int i = 0; i < count; ++i) {
        v = v * 16777619u + 0x9E3779B9u;
        bytes[i] = char(v >> 24);
    }
    return bytes;
}

} // namespace

QList<Seed> decodeSeeds()
{
    QList<Seed> seeds;
    const QImage rgba = pattern(33, 17, QImage::Format_ARGB32);
    seeds << Seed{QStringLiteral("rgb-png-33x17"), encoded(rgba.convertToFormat(QImage::Format_RGB32), "png")};
    seeds << Seed{QStringLiteral("rgba-png-33x17"), encoded(rgba, "png")};
    seeds << Seed{QStringLiteral("grey-png-16x9"), encoded(pattern(16, 9, QImage::Format_Grayscale8), "png")};
    seeds << Seed{QStringLiteral("palette-png-20x6"), encoded(pattern(20, 6, QImage::Format_Indexed8), "png")};
    seeds << Seed{QStringLiteral("rgba64-png-7x5"), encoded(pattern(7, 5, QImage::Format_RGBA64), "png")};
    seeds << Seed{QStringLiteral("one-pixel-png"), encoded(pattern(1, 1, QImage::Format_RGB32), "png")};
    const QImage opaque = pattern(33, 17, QImage::Format_RGB32);
    seeds << Seed{QStringLiteral("baseline-jpeg-33x17"), encoded(opaque, "jpeg", 70)};
    seeds << Seed{QStringLiteral("progressive-jpeg-33x17"), encoded(opaque, "jpeg", 70, true)};
    seeds << Seed{QStringLiteral("optimized-jpeg-33x17"), encoded(opaque, "jpeg", 30, false, true)};
    seeds << Seed{QStringLiteral("grey-jpeg-16x16"), encoded(pattern(16, 16, QImage::Format_Grayscale8), "jpeg", 80)};
    seeds << Seed{QStringLiteral("exif-orientation-6-jpeg-12x5"),
                  testsupport::withExifOrientation(encoded(pattern(12, 5, QImage::Format_RGB32), "jpeg", 80), 6)};
    seeds << Seed{QStringLiteral("many-scans-progressive-jpeg-64x48"), jpeg::progressiveGrey(64, 48, 40)};
    // PNG kinds Qt does not write: grey+alpha, 16-bit grey, palette with transparency, interlaced.
    // (Not 16-bit RGB with a colour key: Qt 6.4 leaves part of each such row unwritten,
    // so the same file decodes differently from one run to the next until that is
    // worked around.)
    for (const Seed &description : structuredPngSeeds()) {
        if (description.name.startsWith(QLatin1String("valid-")) && !description.name.startsWith(QLatin1String("valid-rgb16-9x4-trns")))
            seeds << Seed{QStringLiteral("built-") + description.name.mid(6), buildStructuredPng(description.bytes).file};
    }
    return seeds;
}

QList<Seed> conversionSeeds()
{
    QList<Seed> seeds;
    // Width and height are 1 + byte % 64; then threshold, mode (1 reverse, 2 near the
    // threshold, 4 garbage in the working picture), then the pixels.
    auto seed = [&](const char *name, int width, int height, int threshold, int mode, const QByteArray &pixels) {
        seeds << Seed{QLatin1String(name), QByteArray(1, char(width - 1)) + char(height - 1) + char(threshold) + char(mode) + pixels};
    };
    // Column 0 black in ten rows, column 1 white but for row 9: the two-band example.
    QByteArray example;
    for (int y = 0; y < 10; ++y)
        example += QByteArray::fromHex("ff000000") + (y == 9 ? QByteArray::fromHex("ff000000") : QByteArray::fromHex("ffffffff"));
    seed("two-columns-ten-rows", 2, 10, 128, 0, example);
    seed("ties-normal", 17, 9, 100, 2, filler(17 * 9 * 4, 1));
    seed("ties-reversed", 17, 9, 100, 3, filler(17 * 9 * 4, 2));
    seed("threshold-0", 5, 3, 0, 0, filler(60, 3));
    seed("threshold-255-reversed", 5, 3, 255, 1, filler(60, 4));
    seed("one-pixel", 1, 1, 100, 4, filler(8, 5));
    seed("wide-odd-height", 64, 13, 128, 6, filler(64 * 13 * 8, 6));
    seed("tall-one-column", 1, 64, 77, 2, filler(64 * 2, 7));
    return seeds;
}

QList<Seed> structuredPngSeeds()
{
    QList<Seed> seeds;
    const char *kinds[15] = {"grey1", "grey2", "grey4", "grey8", "grey16", "rgb8", "rgb16", "palette1", "palette2",
                             "palette4", "palette8", "greyalpha8", "greyalpha16", "rgba8", "rgba16"};
    // Byte order: size mode, width - 1, height - 1, depth and colour type, methods (bit 0
    // interlace), extra chunks (bit 1 tRNS), damage, then palette, tRNS and pixels.
    auto add = [&](int combo, int interlace, bool transparency) {
        const int width = 3 + combo, height = 2 + 2 * interlace + combo % 4;
        const QByteArray head = QByteArray(1, '\0') + char(width - 1) + char(height - 1) + char(combo) + char(interlace)
            + char(transparency ? 0x02 : 0x00) + char(0);
        seeds << Seed{QStringLiteral("valid-%1-%2x%3%4%5").arg(QLatin1String(kinds[combo])).arg(width).arg(height)
                          .arg(interlace ? QStringLiteral("-interlaced") : QString())
                          .arg(transparency ? QStringLiteral("-trns") : QString()),
                      head + filler(2000, combo * 4 + interlace * 2 + transparency)};
    };
    for (int combo = 0; combo < 15; ++combo) {
        add(combo, 0, false);
        add(combo, 1, false);
        // tRNS: a colour key for grey and RGB, alpha per entry for a palette.
        if (!QByteArrayView(kinds[combo]).contains("alpha") && !QByteArrayView(kinds[combo]).startsWith("rgba"))
            add(combo, 0, true);
    }
    // The header liars: size mode 6 is a width from the list with height 1 or 2.
    for (int liar = 0; liar < 12; ++liar)
        seeds << Seed{QStringLiteral("liar-width-%1").arg(liar), QByteArray(1, '\x06') + char(liar) + char(0) + char(3) + QByteArray(4, '\0')};
    seeds << Seed{QStringLiteral("damaged-crc-cut"), QByteArray::fromHex("00 0a 0a 0d 00 00 21") + filler(400, 99)};
    return seeds;
}

QList<Seed> logoTextSeeds()
{
    QList<Seed> seeds;
    auto add = [&](const char *name, const QByteArray &bytes) { seeds << Seed{QLatin1String(name), bytes}; };
    // "OBM¶", a band per entry ("BMD¶", its digits, "¶"), "CBM¶", in UTF-8.
    auto textOf = [](const QList<QByteArray> &bands) {
        QByteArray text = "OBM¶";
        for (const QByteArray &digits : bands)
            text += "BMD¶" + digits + "¶";
        return text + "CBM¶";
    };
    // Digits for `columns` columns, not all alike.
    auto digits = [](int columns, int salt) { return filler(columns, salt).toHex().toUpper(); };

    const QByteArray example = "OBM¶BMD¶FF00¶BMD¶C040¶CBM¶";
    add("valid-worked-example", example);
    add("valid-one-black-column", "OBM¶BMD¶FF¶CBM¶");
    add("valid-every-digit", "OBM¶BMD¶0123456789ABCDEF¶CBM¶");
    add("valid-17-columns-3-bands", textOf({digits(17, 1), digits(17, 2), digits(17, 3)}));
    add("valid-64-columns-2-bands", textOf({digits(64, 4), digits(64, 5)}));
    QList<QByteArray> tallest(4095, "01");
    tallest << "FE";
    add("valid-4096-bands", textOf(tallest));
    add("valid-widest-band", textOf({QByteArray(65534, 'F')}));

    const QByteArray end = "BMD¶FF¶CBM¶";
    add("Empty-nothing", QByteArray());
    add("NoOpenLine-lower-case", "obm¶" + end);
    add("NoOpenLine-cut-short", "OB");
    add("ByteOrderMark-first", "\xEF\xBB\xBF" + example);
    add("ByteOrderMark-inside-a-band", "OBM¶BMD¶00\xEF\xBB\xBF¶CBM¶");
    add("LineFeed-after-each-line", "OBM¶\nBMD¶FF¶\nCBM¶\n");
    add("CarriageReturn-crlf-after-each-line", "OBM¶\r\nBMD¶FF00¶\r\nBMD¶C040¶\r\nCBM¶\r\n");
    add("CarriageReturn-crlf-for-each-line-mark", "OBM\r\nBMD\r\nFF00\r\nCBM\r\n");
    add("LineFeed-for-the-line-mark", "OBM\n" + end);
    add("LineFeed-in-a-band-header", "OBM¶BM\nD¶FF¶CBM¶");
    add("LineFeed-digits-wrapped", "OBM¶BMD¶FF00\nFF00¶CBM¶");
    add("Space-before-a-band-header", "OBM¶ " + end);
    add("Space-between-bytes", "OBM¶BMD¶FF 00¶CBM¶");
    add("BandHeaderExpected-misspelt", "OBM¶BMX¶FF¶CBM¶");
    add("BandHeaderExpected-missing", "OBM¶BMD¶FF¶FF¶CBM¶");
    add("BandHeaderExpected-closing-line-misspelt", "OBM¶BMD¶FF¶CBN¶");
    add("LowercaseDigit-a", "OBM¶BMD¶F0a1¶CBM¶");
    add("NotHexDigit-letter-past-F", "OBM¶BMD¶0G¶CBM¶");
    add("NotHexDigit-tab", "OBM¶BMD¶\t00¶CBM¶");
    add("NotHexDigit-no-break-space", "OBM¶BMD¶00\xC2\xA0¶CBM¶");
    add("NotHexDigit-outside-the-bmp", "OBM¶BMD¶\xF0\x9F\x98\x80¶CBM¶");
    add("NotHexDigit-band-runs-into-the-next-header", "OBM¶BMD¶FFBMD¶FF¶CBM¶");
    add("NotHexDigit-in-a-long-band", textOf({digits(40, 6), digits(20, 7) + "G" + digits(19, 8) + "0"}));
    add("OddDigitCount-three", "OBM¶BMD¶FFF¶CBM¶");
    add("EmptyBand-no-digits", "OBM¶BMD¶¶CBM¶");
    add("WidthDiffers-second-band-narrower", textOf({"FFFF", "FF"}));
    add("WidthDiffers-third-band-wider", textOf({"00", "00", "0000"}));
    add("TooWide-one-column-too-many", textOf({QByteArray(65536, '0')}));
    add("TooTall-one-band-too-many", textOf(QList<QByteArray>(4097, "00")));
    QList<QByteArray> blackInRow32768(4095, "0000");
    blackInRow32768 << "0001";
    add("BlackPastLastRow-row-32768", textOf(blackInRow32768));
    add("NoBand-closing-line-after-the-opening-line", "OBM¶CBM¶");
    add("NoBand-only-the-opening-line", "OBM¶");
    add("NoCloseLine-ends-after-a-band", "OBM¶BMD¶FF¶");
    add("NoCloseLine-closing-line-cut-short", "OBM¶BMD¶FF¶CB");
    add("NoCloseLine-closing-line-without-its-mark", "OBM¶BMD¶FF¶CBM");
    add("TextEndsInBand-inside-the-digits", "OBM¶BMD¶FF0");
    add("TextEndsInBand-after-a-band-header", "OBM¶BMD¶");
    add("TextAfterClose-line-feed", example + "\n");
    add("TextAfterClose-crlf", example + "\r\n");
    add("TextAfterClose-the-text-twice", example + example);
    add("NotUtf8-line-mark-in-latin-1", "OBM\xB6" "BMD\xB6" "FF\xB6" "CBM\xB6");
    add("NotUtf8-stray-byte-in-the-digits", "OBM¶BMD¶F\xFF¶CBM¶");
    add("NotUtf8-line-mark-cut-after-its-first-byte", "OBM¶BMD¶FF\xC2");
    add("NotUtf8-overlong-digit", "OBM¶BMD¶\xC0\xB0¶CBM¶");
    add("NotUtf8-encoded-surrogate", "OBM¶BMD¶\xED\xA0\x80¶CBM¶");
    add("NotUtf8-latin-1-after-the-closing-line", example + "\xE9");
    // The worked example saved as UTF-16, either way round, with and without a byte
    // order mark, and with Windows line breaks after each line.
    const QString text = QString::fromUtf8(example);
    auto utf16 = [&](const char *name, QStringEncoder::Encoding encoding, bool bom, const QString &t) {
        QStringEncoder encoder(encoding, bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
        add(name, encoder.encode(t));
    };
    utf16("Utf16-little-endian-with-a-byte-order-mark", QStringEncoder::Utf16LE, true, text);
    utf16("Utf16-big-endian-with-a-byte-order-mark", QStringEncoder::Utf16BE, true, text);
    utf16("Utf16-little-endian", QStringEncoder::Utf16LE, false, text);
    utf16("Utf16-big-endian", QStringEncoder::Utf16BE, false, text);
    utf16("Utf16-little-endian-crlf", QStringEncoder::Utf16LE, true, QString(text).replace(QStringLiteral("¶"), QStringLiteral("¶\r\n")));
    add("Utf16-just-one-character", QByteArray("O\0", 2));
    return seeds;
}

} // namespace plovan::fuzz
