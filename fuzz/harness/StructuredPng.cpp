#include "harness/StructuredPng.h"

#include "harness/ByteReader.h"
#include "support/PngFiles.h"

#include <QStringList>
#include <array>
#include <cmath>
#include <cstdlib>

namespace plovan::fuzz {

namespace png = testsupport::png;

namespace {

struct Combo {
    int colourType;
    int bitDepth;
};

// Every depth and colour type PNG permits.
constexpr std::array<Combo, 15> kCombos{{{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1}, {3, 2},
                                          {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}}};

// Sides that have tripped image decoders: the limits of our range, of the format, of
// libpng's own default limit, and of signed and unsigned 32-bit integers.
constexpr std::array<std::uint32_t, 12> kLiarSides{
    {0, 16384, 32766, 32767, 32768, 65535, 65536, 1000000, 1000001, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}};

const char *colourTypeName(int colourType)
{
    switch (colourType) {
    case 0: return "grey";
    case 2: return "RGB";
    case 3: return "palette";
    case 4: return "grey+alpha";
    case 6: return "RGBA";
    default: return "invalid colour type";
    }
}

// The samples a fuzz input gave, width * height * channels of them, row by row.
struct Samples {
    int width = 0;
    int height = 0;
    int channels = 1;
    QList<std::uint16_t> values;
    std::uint16_t at(int x, int y, int c) const { return values[(qsizetype(y) * width + x) * channels + c]; }
};

double toEight(int sample, int bitDepth)
{
    return bitDepth == 16 ? sample / 257.0 : sample * 255.0 / ((1 << bitDepth) - 1);
}

} // namespace

StructuredPng buildStructuredPng(QByteArrayView input)
{
    ByteReader r(input);
    StructuredPng out;
    QStringList plan;

    // Size.
    const int sizeMode = r.byte() % 8;
    if (sizeMode < 6) {
        out.width = std::uint32_t(r.inRange(1, 64));
        out.height = std::uint32_t(r.inRange(1, 64));
    } else if (sizeMode == 6) {
        out.width = kLiarSides[r.byte() % kLiarSides.size()];
        out.height = std::uint32_t(r.inRange(1, 2));
    } else {
        out.width = std::uint32_t(r.inRange(1, 2));
        out.height = kLiarSides[r.byte() % kLiarSides.size()];
    }

    // Depth, colour type and the three methods; now and then values PNG does not permit.
    const int comboByte = r.byte();
    int colourType, bitDepth;
    bool comboValid = comboByte < 240;
    if (comboValid) {
        colourType = kCombos[comboByte % kCombos.size()].colourType;
        bitDepth = kCombos[comboByte % kCombos.size()].bitDepth;
    } else {
        colourType = r.byte() % 8;
        bitDepth = r.byte() % 20;
        comboValid = false;
        for (const Combo &c : kCombos)
            comboValid = comboValid || (c.colourType == colourType && c.bitDepth == bitDepth);
    }
    const int methods = r.byte();
    const int interlace = (methods & 0x80) ? methods & 0x7 : methods & 1;
    const int compression = (methods & 0x40) ? (methods >> 3) & 0x3 : 0;
    const int filterMethod = (methods & 0x20) ? (methods >> 1) & 0x3 : 0;
    const bool sidesValid = out.width >= 1 && out.width <= 0x7FFFFFFFu && out.height >= 1 && out.height <= 0x7FFFFFFFu;
    out.headerValid = sidesValid && comboValid && interlace <= 1 && compression == 0 && filterMethod == 0;
    plan << QStringLiteral("%1x%2 %3 %4-bit%5").arg(out.width).arg(out.height).arg(QLatin1String(colourTypeName(colourType))).arg(bitDepth)
                .arg(interlace ? QStringLiteral(" interlace %1").arg(interlace) : QString());
    if (compression || filterMethod)
        plan << QStringLiteral("compression %1 filter %2").arg(compression).arg(filterMethod);

    // Chunks besides IHDR, IDAT and IEND, then the damage.
    const int extras = r.byte();
    const bool wantPalette = colourType == 3 ? !(extras & 0x01) : bool(extras & 0x01);
    const bool wantTransparency = extras & 0x02;
    const bool wantColourInfo = extras & 0x04;
    const bool wantText = extras & 0x08;
    const bool wantPrivate = extras & 0x10;
    const bool wantUnknownCritical = extras & 0x20;
    out.orientationTag = extras & 0x40;
    const bool misorder = extras & 0x80;
    const int damage = r.byte();
    const bool badCrc = damage & 0x01;
    const bool cutStream = damage & 0x02;
    const bool flipStream = damage & 0x04;
    const bool noEnd = damage & 0x08;
    const bool badFilterBytes = damage & 0x10;
    const bool cutFile = damage & 0x20;
    const bool extraRows = damage & 0x40;

    // The palette and its transparency. Palette images only use indexes that exist.
    const int maxSample = bitDepth >= 1 && bitDepth <= 16 ? (1 << bitDepth) - 1 : 255;
    int paletteSize = 0;
    QByteArray palette;
    if (wantPalette) {
        const int most = colourType == 3 && bitDepth <= 8 ? (1 << bitDepth) : 256;
        paletteSize = 1 + r.byte() % most;
        palette = r.bytes(3 * paletteSize).leftJustified(3 * paletteSize, '\0');
    }
    QByteArray transparency;
    int transparentCount = 0;
    std::array<std::uint16_t, 3> key{};
    if (wantTransparency) {
        if (colourType == 3) {
            transparentCount = 1 + r.byte() % qMax(1, paletteSize);
            transparency = r.bytes(transparentCount).leftJustified(transparentCount, '\xFF');
        } else if (colourType == 0) {
            key[0] = std::uint16_t(r.u16() & maxSample);
            transparency = QByteArray(1, char(key[0] >> 8)) + char(key[0] & 0xFF);
        } else {
            for (auto &k : key) {
                k = std::uint16_t(r.u16() & maxSample);
                transparency.append(char(k >> 8)).append(char(k & 0xFF));
            }
        }
    }

    // The pixels, from the rest of the input. Sizes past a few pages of pixels get a short
    // made-up stream instead: they are there to test the header, not the rows.
    const bool writeRows = out.headerValid && qint64(out.width) * out.height <= (qint64(1) << 16);
    const int channels = png::channelsOf(colourType);
    Samples samples;
    QByteArray rawStream;
    if (writeRows) {
        samples.width = int(out.width);
        samples.height = int(out.height);
        samples.channels = channels;
        samples.values.resize(qsizetype(samples.width) * samples.height * channels);
        for (std::uint16_t &v : samples.values) {
            const int raw = bitDepth == 16 ? r.u16() : r.byte();
            v = std::uint16_t(colourType == 3 ? raw % qMax(1, paletteSize) : raw & maxSample);
        }
        const int bytesPerPixel = qMax(1, channels * bitDepth / 8);
        testsupport::PngFixture picture;
        picture.width = samples.width;
        picture.height = samples.height;
        picture.bitDepth = bitDepth;
        picture.colourType = colourType;
        picture.samples = [&samples](int x, int y) {
            QList<int> s;
            for (int c = 0; c < samples.channels; ++c)
                s << samples.at(x, y, c);
            return s;
        };
        for (const png::Pass &pass : png::passes(interlace == 1)) {
            const QList<QByteArray> lines = png::scanLines(picture, pass);
            QByteArray previous(lines.isEmpty() ? 0 : lines.first().size(), '\0');
            for (const QByteArray &line : lines) {
                const int filterByte = badFilterBytes ? r.byte() : r.byte() % 5;
                rawStream.append(char(filterByte));
                rawStream += png::filtered(line, previous, filterByte, bytesPerPixel);
                previous = line;
            }
        }
        if (extraRows)
            rawStream += QByteArray(1 + r.byte(), '\0');
    } else {
        rawStream = r.bytes(64);
    }
    QByteArray stream = png::zlib(rawStream, r.inRange(-1, 9));
    if (cutStream)
        stream.truncate(stream.size() * r.inRange(0, 15) / 16);
    if (flipStream && !stream.isEmpty())
        stream[r.u16() % stream.size()] ^= char(1 << (r.byte() % 8));

    // The file, chunk by chunk, with the order PNG requires unless `misorder` is set.
    QList<QByteArray> chunks;
    chunks << png::chunk("IHDR", png::ihdrData(out.width, out.height, bitDepth, colourType, interlace, compression, filterMethod));
    if (wantColourInfo) {
        chunks << png::chunk("gAMA", QByteArray::fromHex("0000b18f"));
        chunks << png::chunk("cHRM", QByteArray::fromHex("00007a2600008084 0000fa00000080e8 00007530 0000ea60 00003a98 0000176f"));
    }
    if (wantText)
        chunks << png::chunk("tEXt", QByteArray("Comment\0made for a test", 23));
    QList<QByteArray> beforeData;
    if (wantPalette)
        beforeData << png::chunk("PLTE", palette);
    if (wantTransparency)
        beforeData << png::chunk("tRNS", transparency);
    if (wantPrivate)
        beforeData << png::chunk("prVt", r.bytes(r.byte()));
    if (out.orientationTag) {
        // Little-endian TIFF with one entry: Orientation (0x0112), SHORT, 1, value.
        const int orientation = r.inRange(1, 8);
        QByteArray exif = QByteArray::fromHex("49492a0008000000 0100 1201 0300 01000000") + char(orientation)
            + QByteArray::fromHex("00000000000000");
        beforeData << png::chunk("eXIf", exif);
        plan << QStringLiteral("eXIf orientation %1").arg(orientation);
    }
    if (wantUnknownCritical)
        beforeData << png::chunk("CRIT", QByteArray("x"));
    QList<QByteArray> data;
    const int pieces = 1 + r.byte() % 4;
    for (int i = 0; i < pieces; ++i) {
        const qsizetype from = stream.size() * i / pieces, to = stream.size() * (i + 1) / pieces;
        data << png::chunk("IDAT", stream.mid(from, to - from));
    }
    if (misorder) {
        chunks << data << beforeData;
        plan << QStringLiteral("chunks after IDAT");
    } else {
        chunks << beforeData << data;
    }
    if (wantText)
        chunks << png::chunk("zTXt", QByteArray("Title\0\0", 7) + png::zlib("a title after the data"));
    if (!noEnd)
        chunks << png::chunk("IEND", {});
    if (badCrc) {
        const qsizetype which = r.byte() % chunks.size();
        chunks[which][chunks[which].size() - 1] ^= 0x55;
        plan << QStringLiteral("bad CRC in chunk %1").arg(which);
        if (which == 0)
            out.headerValid = false;
    }
    out.file = png::signature();
    for (const QByteArray &c : chunks)
        out.file += c;
    const qsizetype headerEnd = 8 + 25;
    if (cutFile) {
        const qsizetype at = r.u16() % (out.file.size() + 1);
        out.file.truncate(at);
        plan << QStringLiteral("cut at byte %1").arg(at);
        if (at < headerEnd)
            out.headerValid = false;
    }

    for (const auto &[on, what] : std::initializer_list<std::pair<bool, const char *>>{
             {wantPalette, "PLTE"}, {wantTransparency, "tRNS"}, {wantColourInfo, "gAMA+cHRM"}, {wantText, "text"},
             {wantPrivate, "private chunk"}, {wantUnknownCritical, "unknown critical chunk"}, {cutStream, "cut stream"},
             {flipStream, "flipped bit"}, {noEnd, "no IEND"}, {badFilterBytes, "any filter byte"}, {extraRows, "extra data"}}) {
        if (on)
            plan << QLatin1String(what);
    }
    out.plan = plan.join(QStringLiteral(", "));

    // What a correct decoder shows for a complete, valid file.
    const bool paletteFits = colourType != 3 || (wantPalette && paletteSize > 0);
    const bool paletteAllowed = !(wantPalette && (colourType == 0 || colourType == 4));
    const bool transparencyAllowed = !wantTransparency || colourType == 0 || colourType == 2 || colourType == 3;
    out.clean = writeRows && out.headerValid && paletteFits && paletteAllowed && transparencyAllowed && !wantUnknownCritical
        && !out.orientationTag && !misorder && !badCrc && !cutStream && !flipStream && !noEnd && !badFilterBytes && !cutFile
        && !extraRows && out.width <= 32767 && out.height <= 32767;
    if (!out.clean)
        return out;
    out.tolerance = bitDepth == 16 || colourType == 4 || colourType == 6 || wantTransparency ? 2 : 1;
    out.expected.reserve(qsizetype(out.width) * out.height);
    for (int y = 0; y < samples.height; ++y) {
        for (int x = 0; x < samples.width; ++x) {
            double red, green, blue, alpha = 1.0;
            if (colourType == 3) {
                const int i = samples.at(x, y, 0);
                red = std::uint8_t(palette[3 * i]);
                green = std::uint8_t(palette[3 * i + 1]);
                blue = std::uint8_t(palette[3 * i + 2]);
                if (i < transparentCount)
                    alpha = std::uint8_t(transparency[i]) / 255.0;
            } else if (colourType == 0 || colourType == 4) {
                red = green = blue = toEight(samples.at(x, y, 0), bitDepth);
                if (colourType == 4)
                    alpha = toEight(samples.at(x, y, 1), bitDepth) / 255.0;
                else if (wantTransparency && samples.at(x, y, 0) == key[0])
                    alpha = 0.0;
            } else {
                red = toEight(samples.at(x, y, 0), bitDepth);
                green = toEight(samples.at(x, y, 1), bitDepth);
                blue = toEight(samples.at(x, y, 2), bitDepth);
                if (colourType == 6)
                    alpha = toEight(samples.at(x, y, 3), bitDepth) / 255.0;
                else if (wantTransparency && samples.at(x, y, 0) == key[0] && samples.at(x, y, 1) == key[1]
                         && samples.at(x, y, 2) == key[2])
                    alpha = 0.0;
            }
            auto overWhite = [alpha](double c) { return int(std::lround(c * alpha + 255.0 * (1.0 - alpha))); };
            out.expected << qRgb(overWhite(red), overWhite(green), overWhite(blue));
        }
    }
    return out;
}

} // namespace plovan::fuzz
