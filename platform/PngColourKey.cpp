#include "platform/PngColourKey.h"

#include <QIODevice>
#include <QList>
#include <QScopeGuard>
#include <QtEndian>

#include <cstdint>

namespace plovan {
namespace {

constexpr int kColourTypeRgb = 2;
// A file with more chunks than this before its image data is not one we rewrite.
constexpr int kMaxChunksBeforeData = 4096;

struct Range {
    qint64 from;
    qint64 size;
};

} // namespace

std::optional<UnkeyedPng> takeOutRgb16ColourKey(QIODevice *device)
{
    const qint64 start = device->pos();
    auto restore = qScopeGuard([&] { device->seek(start); });

    // Signature, then chunks: length (big-endian, the data only), type, data, CRC.
    if (!device->seek(start + 8))
        return std::nullopt;
    QList<Range> keys;
    std::optional<Rgb16ColourKey> key;
    for (int chunk = 0; chunk < kMaxChunksBeforeData; ++chunk) {
        const qint64 at = device->pos();
        uchar head[8];
        if (device->read(reinterpret_cast<char *>(head), 8) != 8)
            break;
        const quint32 length = qFromBigEndian<quint32>(head);
        const QByteArray type(reinterpret_cast<const char *>(head + 4), 4);
        if (type == "IHDR") {
            uchar ihdr[13];
            if (length != 13 || device->read(reinterpret_cast<char *>(ihdr), 13) != 13)
                return std::nullopt;
            if (ihdr[8] != 16 || ihdr[9] != kColourTypeRgb)
                return std::nullopt; // every other kind decodes well as it is
        } else if (type == "tRNS") {
            keys << Range{at, 12 + qint64(length)};
            if (length == 6 && !key) { // libpng keeps the first and ignores a malformed one
                uchar samples[6];
                if (device->read(reinterpret_cast<char *>(samples), 6) != 6)
                    break;
                key = Rgb16ColourKey{qFromBigEndian<quint16>(samples), qFromBigEndian<quint16>(samples + 2),
                                     qFromBigEndian<quint16>(samples + 4)};
            }
        } else if (type == "IDAT" || type == "IEND") {
            break;
        }
        if (!device->seek(at + 12 + qint64(length)))
            break;
    }
    if (keys.isEmpty())
        return std::nullopt;

    if (!device->seek(start))
        return std::nullopt;
    QByteArray file = device->readAll();
    for (qsizetype i = keys.size() - 1; i >= 0; --i)
        file.remove(keys.at(i).from - start, keys.at(i).size);
    return UnkeyedPng{std::move(file), key};
}

void whitenColourKey(QImage &picture, const Rgb16ColourKey &key)
{
    Q_ASSERT(picture.format() == QImage::Format_RGBX64 || picture.format() == QImage::Format_RGBA64);
    if (picture.format() != QImage::Format_RGBX64 && picture.format() != QImage::Format_RGBA64)
        return;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        auto *p = reinterpret_cast<std::uint16_t *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x, p += 4) {
            if (p[0] == key.red && p[1] == key.green && p[2] == key.blue)
                p[0] = p[1] = p[2] = p[3] = 0xFFFF;
        }
    }
}

} // namespace plovan
