#include "support/FixtureFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

namespace plovan::testsupport {

QByteArray encoded(const QImage &image, const char *format, int quality, bool progressive, bool optimized)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.setOptimizedWrite(optimized);
    if (!writer.write(image))
        qFatal("cannot write a %s fixture: %s", format, qPrintable(writer.errorString()));
    return bytes;
}

QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    // TIFF header with the first IFD at offset 8, one entry: tag 0x0112, SHORT, count 1,
    // the value padded to four bytes, and no next IFD.
    const QByteArray tiff = QByteArray::fromHex("49492a0008000000 0100 1201 0300 01000000") + char(orientation & 0xFF)
        + char(orientation >> 8) + QByteArray::fromHex("0000 00000000");
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const QByteArray segment = QByteArray::fromHex("ffe1") + bigEndian16(quint16(payload.size() + 2)) + payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray gif()
{
    return QByteArray::fromHex("474946383961 0100 0100 800000 000000 ffffff 2c 00000000 0100 0100 00 02 02 4401 00 3b");
}

QByteArray bigEndian16(quint16 value)
{
    return QByteArray(1, char(value >> 8)) + char(value & 0xFF);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("could not write fixture %s", qPrintable(path));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot be read)");
}

QImage photo(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgba((x * 7) & 255, (y * 3) & 255, ((x + y) / 16) & 255, 128 + ((x ^ y) & 127));
    }
    return image.convertToFormat(format);
}

} // namespace plovan::testsupport
