#pragma once

// Picture files made at test time: a small PNG writer that can produce every colour type,
// bit depth, transparency chunk and interlacing the decoder has to handle (and headers
// that lie), JPEGs through Qt's writer with an EXIF orientation spliced in, and a few
// files of other kinds.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <QString>
#include <QtEndian>

#include <array>
#include <cstdint>
#include <functional>

namespace picturefiles {

inline quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

inline QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray bigEndian16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray pngChunk(const char type[4], const QByteArray &data)
{
    const QByteArray typed = QByteArray(type, 4) + data;
    return bigEndian32(quint32(data.size())) + typed + bigEndian32(crc32(typed));
}

inline const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

inline QByteArray ihdr(quint32 width, quint32 height, int bitDepth, int colourType, bool interlaced = false)
{
    QByteArray data = bigEndian32(width) + bigEndian32(height);
    data += char(bitDepth);
    data += char(colourType);
    data += '\0'; // deflate
    data += '\0'; // adaptive filtering
    data += char(interlaced ? 1 : 0);
    return pngChunk("IHDR", data);
}

// zlib data for IDAT: qCompress puts a 4-byte length in front of a zlib stream.
inline QByteArray zlibStream(const QByteArray &raw)
{
    return qCompress(raw, 6).mid(4);
}

// What a PNG holds: its header fields and, for each pixel, its samples in file order
// (grey; grey, alpha; red, green, blue; red, green, blue, alpha; or a palette index),
// each at most 2^bitDepth - 1.
struct PngSpec {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = 2; // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    bool interlaced = false;
    QByteArray plte; // PLTE data, for colour type 3
    QByteArray trns; // tRNS data, when not empty
    std::function<QList<int>(int x, int y)> samples;
};

inline int channelsOf(int colourType)
{
    switch (colourType) {
    case 0: return 1;
    case 2: return 3;
    case 3: return 1;
    case 4: return 2;
    default: return 4;
    }
}

// One scan line of the given pixels with filter type 0 in front.
inline QByteArray scanLine(const PngSpec &spec, const QList<QPoint> &pixels)
{
    QByteArray line(1, '\0');
    const int channels = channelsOf(spec.colourType);
    if (spec.bitDepth >= 8) {
        for (const QPoint &p : pixels) {
            const QList<int> s = spec.samples(p.x(), p.y());
            for (int c = 0; c < channels; ++c) {
                if (spec.bitDepth == 16)
                    line += bigEndian16(quint16(s.at(c)));
                else
                    line += char(s.at(c));
            }
        }
        return line;
    }
    // Bits packed from the most significant end, a byte at a time.
    int bitsUsed = 0;
    quint8 current = 0;
    for (const QPoint &p : pixels) {
        current = quint8(current | (spec.samples(p.x(), p.y()).at(0) << (8 - spec.bitDepth - bitsUsed)));
        bitsUsed += spec.bitDepth;
        if (bitsUsed == 8) {
            line += char(current);
            current = 0;
            bitsUsed = 0;
        }
    }
    if (bitsUsed)
        line += char(current);
    return line;
}

// The filtered image data: one pass, or Adam7's seven.
inline QByteArray rawImageData(const PngSpec &spec)
{
    struct Pass { int x0, y0, dx, dy; };
    const QList<Pass> passes = spec.interlaced
        ? QList<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
        : QList<Pass>{{0, 0, 1, 1}};
    QByteArray raw;
    for (const Pass &pass : passes) {
        for (int y = pass.y0; y < spec.height; y += pass.dy) {
            QList<QPoint> row;
            for (int x = pass.x0; x < spec.width; x += pass.dx)
                row << QPoint(x, y);
            if (!row.isEmpty())
                raw += scanLine(spec, row);
        }
    }
    return raw;
}

inline QByteArray png(const PngSpec &spec)
{
    QByteArray file = kPngSignature + ihdr(quint32(spec.width), quint32(spec.height), spec.bitDepth,
                                           spec.colourType, spec.interlaced);
    if (!spec.plte.isEmpty())
        file += pngChunk("PLTE", spec.plte);
    if (!spec.trns.isEmpty())
        file += pngChunk("tRNS", spec.trns);
    file += pngChunk("IDAT", zlibStream(rawImageData(spec)));
    file += pngChunk("IEND", QByteArray());
    return file;
}

// A PNG whose header declares any size at all, followed by a little image data that does
// not match it: for the checks that must refuse before decoding.
inline QByteArray pngDeclaring(quint32 width, quint32 height, int bitDepth = 8, int colourType = 2)
{
    return kPngSignature + ihdr(width, height, bitDepth, colourType)
        + pngChunk("IDAT", zlibStream(QByteArray(64, '\0'))) + pngChunk("IEND", QByteArray());
}

// An 8-bit RGB PNG of a QImage, through our writer (so no Qt writer choice is involved).
inline QByteArray rgbPng(const QImage &image)
{
    PngSpec spec;
    spec.width = image.width();
    spec.height = image.height();
    spec.samples = [&image](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return QList<int>{qRed(c), qGreen(c), qBlue(c)};
    };
    return png(spec);
}

inline QByteArray qtWritten(const QImage &image, const char *format, int quality = -1, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("could not write a %s fixture: %s", format, qPrintable(writer.errorString()));
    return bytes;
}

// A JPEG with an EXIF APP1 segment right after its start marker that carries only the
// orientation tag (0x0112), little-endian TIFF.
inline QByteArray withExifOrientation(const QByteArray &jpeg, quint16 orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8); // header, first IFD at offset 8
    tiff += QByteArray("\x01\0", 2);       // one entry
    tiff += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8); // tag 0x0112, SHORT, count 1
    tiff += char(orientation & 0xFF);
    tiff += char(orientation >> 8);
    tiff += QByteArray("\0\0", 2);         // value padding
    tiff += QByteArray("\0\0\0\0", 4);     // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const QByteArray segment = QByteArray("\xFF\xE1", 2) + bigEndian16(quint16(payload.size() + 2)) + payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// A 1 x 1 GIF that Qt itself could read: the content check has to refuse it.
inline QByteArray gif()
{
    return QByteArray("GIF89a\x01\0\x01\0\x80\0\0\xff\xff\xff\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 35);
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("could not write fixture %s", qPrintable(path));
}

} // namespace picturefiles
