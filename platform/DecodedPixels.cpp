#include "platform/DecodedPixels.h"

#include "platform/Picture.h"
#include "platform/PixelMemory.h"
#include "platform/StoredPixel.h"

#include <array>
#include <cstring>
#include <vector>

namespace plovan {
namespace {

// c over white with 8-bit alpha a, rounded: see the header.
inline std::uint32_t channelOverWhite(std::uint32_t c, std::uint32_t a)
{
    return (c * a + 255u * (255u - a) + 127u) / 255u;
}

// storedOverWhite, inline for the row loop.
inline std::uint32_t overWhite(std::uint32_t argb)
{
    const std::uint32_t a = argb >> 24;
    return kStoredOpaque | channelOverWhite((argb >> 16) & 0xFF, a) << 16 | channelOverWhite((argb >> 8) & 0xFF, a) << 8
        | channelOverWhite(argb & 0xFF, a);
}

// 16-bit c over white with 16-bit alpha a, down to 8 bits, rounded.
inline std::uint32_t channel16OverWhite(std::uint64_t c, std::uint64_t a)
{
    constexpr std::uint64_t divisor = 65535u * 257u;
    return std::uint32_t((c * a + 65535u * (65535u - a) + divisor / 2) / divisor);
}

inline std::uint32_t grey(std::uint32_t g)
{
    return kStoredOpaque | g << 16 | g << 8 | g;
}

std::array<std::uint32_t, 256> storedTable(const QList<QRgb> &colours)
{
    std::array<std::uint32_t, 256> table;
    table.fill(kStoredWhitePixel); // an index past the palette reads as paper, never as garbage
    const qsizetype count = qMin<qsizetype>(colours.size(), 256);
    for (qsizetype i = 0; i < count; ++i)
        table[size_t(i)] = storedOverWhite(colours.at(i));
    return table;
}

std::uint32_t *storageRow(QImage &image, int y)
{
    return reinterpret_cast<std::uint32_t *>(image.bits() + qsizetype(y) * image.bytesPerLine());
}

template<typename T>
const T *decodedRow(const QImage &image, int y)
{
    return reinterpret_cast<const T *>(image.constBits() + qsizetype(y) * image.bytesPerLine());
}

// A storage image filled row by row from another image by `convertRow(y, out)`.
template<typename ConvertRow>
QImage convertedCopy(const QImage &decoded, ConvertRow convertRow)
{
    QImage out = allocateStorageImage(decoded.width(), decoded.height());
    for (int y = 0; y < decoded.height(); ++y)
        convertRow(y, storageRow(out, y));
    return out;
}

// The image after its pixels have become stored colours in its own memory: handed over
// with the buffer when the buffer holds them, relabelled otherwise.
QImage finishInPlace(QImage decoded, PixelBuffer buffer, bool inBuffer)
{
    if (inBuffer) {
        const int width = decoded.width();
        const int height = decoded.height();
        const qsizetype bytesPerLine = decoded.bytesPerLine();
        decoded = QImage(); // the view goes before the memory changes hands
        return std::move(buffer).intoImage(width, height, bytesPerLine, Picture::kStorageFormat);
    }
    decoded.reinterpretAsFormat(Picture::kStorageFormat);
    decoded.setDevicePixelRatio(1.0); // Qt gives "name@2x.png" ratio 2; a picture is pixels
    return decoded;
}

QImage compositedInPlace(QImage decoded, PixelBuffer buffer, bool inBuffer)
{
    const int width = decoded.width();
    uchar *bits = decoded.bits(); // ours alone: no copy is made
    for (int y = 0; y < decoded.height(); ++y)
        compositeArgbRowOverWhite(reinterpret_cast<std::uint32_t *>(bits + qsizetype(y) * decoded.bytesPerLine()), width);
    return finishInPlace(std::move(decoded), std::move(buffer), inBuffer);
}

// 64-bit pixels narrowed to 32 in the same memory: row y moves from y * 8w to y * 4w,
// which never overtakes the rows still to be read, and the freed half goes back.
QImage narrowedInPlace(QImage decoded, PixelBuffer buffer, bool opaque)
{
    const int width = decoded.width();
    const int height = decoded.height();
    const qsizetype inStride = decoded.bytesPerLine();
    const qsizetype outStride = qsizetype(width) * 4;
    uchar *bits = decoded.bits();
    for (int y = 0; y < height; ++y) {
        rgba64RowToStorage(reinterpret_cast<const std::uint16_t *>(bits + y * inStride),
                           reinterpret_cast<std::uint32_t *>(bits + y * outStride), width, opaque);
    }
    decoded = QImage();
    buffer.shrink(outStride * height);
    return std::move(buffer).intoImage(width, height, outStride, Picture::kStorageFormat);
}

} // namespace

std::uint32_t storedOverWhite(std::uint32_t argb)
{
    return overWhite(argb);
}

void compositeArgbRowOverWhite(std::uint32_t *row, int width)
{
    for (int x = 0; x < width; ++x)
        row[x] = overWhite(row[x]);
}

void greyRowToStorage(const uchar *in, std::uint32_t *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = grey(in[x]);
}

void grey16RowToStorage(const std::uint16_t *in, std::uint32_t *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = grey((std::uint32_t(in[x]) + 128u) / 257u);
}

void rgba64RowToStorage(const std::uint16_t *in, std::uint32_t *out, int width, bool opaque)
{
    for (int x = 0; x < width; ++x) {
        const std::uint16_t *p = in + 4 * qsizetype(x);
        const std::uint64_t a = opaque ? 65535u : p[3];
        const std::uint32_t r = channel16OverWhite(p[0], a);
        const std::uint32_t g = channel16OverWhite(p[1], a);
        const std::uint32_t b = channel16OverWhite(p[2], a);
        out[x] = kStoredOpaque | r << 16 | g << 8 | b;
    }
}

void indexedRowToStorage(const uchar *indexes, const std::uint32_t *table, std::uint32_t *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = table[indexes[x]];
}

void monoRowToStorage(const uchar *bits, const std::uint32_t *table, std::uint32_t *out, int width)
{
    for (int x = 0; x < width; ++x)
        out[x] = table[(bits[x >> 3] >> (7 - (x & 7))) & 1];
}

QImage toStorageImage(QImage decoded, PixelBuffer buffer)
{
    const bool inBuffer = !buffer.isNull() && decoded.constBits() == buffer.data();
    if (!inBuffer)
        buffer = PixelBuffer(); // the decoder made its own image; ours is not needed
    const int width = decoded.width();

    switch (decoded.format()) {
    case QImage::Format_RGB32:
        return finishInPlace(std::move(decoded), std::move(buffer), inBuffer);
    case QImage::Format_ARGB32:
        return compositedInPlace(std::move(decoded), std::move(buffer), inBuffer);
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64: {
        const bool opaque = decoded.format() == QImage::Format_RGBX64;
        if (inBuffer)
            return narrowedInPlace(std::move(decoded), std::move(buffer), opaque);
        return convertedCopy(decoded, [&](int y, std::uint32_t *out) {
            rgba64RowToStorage(decodedRow<std::uint16_t>(decoded, y), out, width, opaque);
        });
    }
    case QImage::Format_Grayscale8:
        return convertedCopy(decoded, [&](int y, std::uint32_t *out) {
            greyRowToStorage(decodedRow<uchar>(decoded, y), out, width);
        });
    case QImage::Format_Grayscale16:
        return convertedCopy(decoded, [&](int y, std::uint32_t *out) {
            grey16RowToStorage(decodedRow<std::uint16_t>(decoded, y), out, width);
        });
    case QImage::Format_Indexed8: {
        const auto table = storedTable(decoded.colorTable());
        return convertedCopy(decoded, [&](int y, std::uint32_t *out) {
            indexedRowToStorage(decodedRow<uchar>(decoded, y), table.data(), out, width);
        });
    }
    case QImage::Format_Mono: {
        const auto table = storedTable(decoded.colorTable());
        return convertedCopy(decoded, [&](int y, std::uint32_t *out) {
            monoRowToStorage(decodedRow<uchar>(decoded, y), table.data(), out, width);
        });
    }
    default: {
        // Formats our two decoders do not produce today: Qt's own conversion to plain
        // (never premultiplied) ARGB, then the same compositing.
        QImage argb = std::move(decoded).convertToFormat(QImage::Format_ARGB32);
        if (argb.isNull())
            throw std::bad_alloc();
        return compositedInPlace(std::move(argb), PixelBuffer(), false);
    }
    }
}

} // namespace plovan
