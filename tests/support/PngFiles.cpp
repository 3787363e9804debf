#include "support/PngFiles.h"

#include <array>
#include <cstdlib>

namespace plovan::testsupport::png {

QByteArray signature()
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8);
}

std::uint32_t crc32(QByteArrayView bytes)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (char b : bytes)
        c = table[(c ^ std::uint8_t(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

static void appendBigEndian(QByteArray &out, std::uint32_t v)
{
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

QByteArray chunk(QByteArrayView type, QByteArrayView data)
{
    QByteArray out;
    appendBigEndian(out, std::uint32_t(data.size()));
    const QByteArray body = type.toByteArray() + data.toByteArray();
    out += body;
    appendBigEndian(out, crc32(body));
    return out;
}

QByteArray ihdrData(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType, int interlace,
                    int compression, int filter)
{
    QByteArray d;
    appendBigEndian(d, width);
    appendBigEndian(d, height);
    d.append(char(bitDepth)).append(char(colourType)).append(char(compression)).append(char(filter)).append(char(interlace));
    return d;
}

QByteArray zlib(QByteArrayView raw, int level)
{
    // qCompress puts the uncompressed length in front of a plain zlib stream.
    return qCompress(reinterpret_cast<const uchar *>(raw.data()), raw.size(), level).mid(4);
}

int channelsOf(int colourType)
{
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

QList<Pass> passes(bool interlaced)
{
    if (!interlaced)
        return {{0, 0, 1, 1}};
    return {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
}

QList<QByteArray> scanLines(const PngFixture &picture, const Pass &pass)
{
    QList<QByteArray> lines;
    const int passWidth = picture.width > pass.x0 ? (picture.width - pass.x0 + pass.dx - 1) / pass.dx : 0;
    const int passHeight = picture.height > pass.y0 ? (picture.height - pass.y0 + pass.dy - 1) / pass.dy : 0;
    if (passWidth == 0 || passHeight == 0)
        return lines;
    const int channels = channelsOf(picture.colourType);
    const int depth = picture.bitDepth;
    const qsizetype bitsPerLine = qsizetype(passWidth) * channels * depth;
    for (int py = 0; py < passHeight; ++py) {
        QByteArray line((bitsPerLine + 7) / 8, '\0');
        qsizetype bit = 0;
        for (int px = 0; px < passWidth; ++px) {
            const QList<int> s = picture.samples(pass.x0 + px * pass.dx, pass.y0 + py * pass.dy);
            for (int c = 0; c < channels; ++c) {
                const int v = s.at(c);
                if (depth == 16) {
                    line[bit / 8] = char(v >> 8);
                    line[bit / 8 + 1] = char(v & 0xFF);
                } else if (depth == 8) {
                    line[bit / 8] = char(v);
                } else {
                    const int shift = 8 - depth - int(bit % 8);
                    line[bit / 8] = char(std::uint8_t(line[bit / 8]) | (v << shift));
                }
                bit += depth;
            }
        }
        lines << line;
    }
    return lines;
}

static int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

QByteArray filtered(const QByteArray &line, const QByteArray &previous, int type, int bytesPerPixel)
{
    QByteArray out(line.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const int x = std::uint8_t(line[i]);
        const int a = i >= bytesPerPixel ? std::uint8_t(line[i - bytesPerPixel]) : 0;
        const int b = std::uint8_t(previous[i]);
        const int c = i >= bytesPerPixel ? std::uint8_t(previous[i - bytesPerPixel]) : 0;
        int v = x;
        switch (type) {
        case 1: v = x - a; break;
        case 2: v = x - b; break;
        case 3: v = x - (a + b) / 2; break;
        case 4: v = x - paeth(a, b, c); break;
        default: break;
        }
        out[i] = char(std::uint8_t(v));
    }
    return out;
}

QByteArray file(const PngFixture &picture)
{
    QByteArray raw;
    for (const Pass &pass : passes(picture.interlaced)) {
        for (const QByteArray &line : scanLines(picture, pass))
            raw += char(0) + line;
    }
    QByteArray out = signature()
        + chunk("IHDR", ihdrData(std::uint32_t(picture.width), std::uint32_t(picture.height), picture.bitDepth,
                                 picture.colourType, picture.interlaced ? 1 : 0));
    if (!picture.plte.isEmpty())
        out += chunk("PLTE", picture.plte);
    if (!picture.trns.isEmpty())
        out += chunk("tRNS", picture.trns);
    out += chunk("IDAT", zlib(raw, 6));
    out += chunk("IEND", {});
    return out;
}

QByteArray fromImage(const QImage &image, int colourType)
{
    PngFixture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.colourType = colourType;
    picture.samples = [&image, colourType](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return colourType == 6 ? QList<int>{qRed(c), qGreen(c), qBlue(c), qAlpha(c)}
                               : QList<int>{qRed(c), qGreen(c), qBlue(c)};
    };
    return file(picture);
}

QByteArray headerOnly(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType)
{
    return signature() + chunk("IHDR", ihdrData(width, height, bitDepth, colourType));
}

QByteArray declaring(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType)
{
    return headerOnly(width, height, bitDepth, colourType) + chunk("IDAT", zlib(QByteArray(64, '\0'), 6))
        + chunk("IEND", {});
}

QByteArray withOneRow(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType)
{
    const QByteArray row = QByteArray(1, '\0') + QByteArray(qsizetype(width) * channelsOf(colourType) * bitDepth / 8, '\x80');
    return headerOnly(width, height, bitDepth, colourType) + chunk("IDAT", zlib(row)) + chunk("IEND", {});
}

} // namespace plovan::testsupport::png
