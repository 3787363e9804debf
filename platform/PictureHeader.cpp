#include "platform/PictureHeader.h"

#include "platform/JpegFrame.h"

#include <QIODevice>

#include <climits>
#include <cstring>

namespace plovan {
namespace {

constexpr uchar kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// No real JPEG puts this many segments before its frame header; stopping here bounds
// the walk on a file made of empty segments.
constexpr int kMaxJpegSegments = 4096;

quint32 bigEndian32(const uchar *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

int clampedSide(quint32 value)
{
    return value > quint32(INT_MAX) ? INT_MAX : int(value);
}

bool readExactly(QIODevice *device, uchar *out, qint64 count)
{
    return device->read(reinterpret_cast<char *>(out), count) == count;
}

std::optional<DeclaredHeader> pngHeader(QIODevice *device)
{
    // Signature, then the IHDR chunk: length 13, type, width, height (big-endian).
    uchar head[24];
    if (!readExactly(device, head, sizeof head))
        return std::nullopt;
    if (std::memcmp(head, kPngSignature, 8) != 0 || bigEndian32(head + 8) != 13
        || std::memcmp(head + 12, "IHDR", 4) != 0)
        return std::nullopt;
    return DeclaredHeader{QSize(clampedSide(bigEndian32(head + 16)), clampedSide(bigEndian32(head + 20))), 0};
}

bool isHuffmanCoded(uchar marker)
{
    return marker <= 0xC7; // SOF0-SOF7; SOF9 and up use arithmetic coding
}

// The frame header after its length: precision, height, width, component count, then
// per component its id, sampling factors (horizontal << 4 | vertical) and table.
std::optional<DeclaredHeader> jpegFrame(QIODevice *device, uchar marker, int length)
{
    uchar frame[6 + 3 * 255];
    const int payload = length - 2;
    if (payload < 6 || payload > int(sizeof frame) || !readExactly(device, frame, payload))
        return std::nullopt;
    DeclaredHeader header{QSize(frame[3] << 8 | frame[4], frame[1] << 8 | frame[2]), 0};
    const int components = frame[5];
    if (!isHuffmanCoded(marker) || components == 0 || payload < 6 + 3 * components)
        return header;
    // The component with the most blocks; one bit each at the least.
    qint64 blocks = 0;
    forEachJpegComponent(frame, components,
                         [&](int, int, qint64 columns, qint64 rows) { blocks = qMax(blocks, columns * rows); });
    header.minimumFileBytes = blocks / 8;
    return header;
}

std::optional<DeclaredHeader> jpegHeader(QIODevice *device)
{
    uchar soi[2];
    if (!readExactly(device, soi, 2) || soi[0] != 0xFF || soi[1] != 0xD8)
        return std::nullopt;
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        uchar byte = 0;
        if (!readExactly(device, &byte, 1) || byte != 0xFF)
            return std::nullopt;
        uchar marker = 0xFF;
        while (marker == 0xFF) { // any number of fill bytes may precede a marker
            if (!readExactly(device, &marker, 1))
                return std::nullopt;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // TEM and RSTn stand alone, without a length
        if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || marker == 0x00)
            return std::nullopt; // image data or the end before any frame header
        uchar lengthBytes[2];
        if (!readExactly(device, lengthBytes, 2))
            return std::nullopt;
        const int length = lengthBytes[0] << 8 | lengthBytes[1]; // counts its own two bytes
        if (length < 2)
            return std::nullopt;
        if (isJpegFrameMarker(marker))
            return jpegFrame(device, marker, length);
        const qint64 next = device->pos() + length - 2;
        if (next >= device->size() || !device->seek(next))
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

PictureKind sniffPictureKind(QByteArrayView head)
{
    if (head.size() >= 8 && std::memcmp(head.data(), kPngSignature, 8) == 0)
        return PictureKind::Png;
    if (head.size() >= 3 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8 && uchar(head[2]) == 0xFF)
        return PictureKind::Jpeg;
    return PictureKind::Unknown;
}

std::optional<DeclaredHeader> readDeclaredHeader(QIODevice *device, PictureKind kind)
{
    const qint64 start = device->pos();
    std::optional<DeclaredHeader> header;
    if (kind == PictureKind::Png)
        header = pngHeader(device);
    else if (kind == PictureKind::Jpeg)
        header = jpegHeader(device);
    device->seek(start);
    return header;
}

std::optional<QSize> readDeclaredSize(QIODevice *device, PictureKind kind)
{
    const std::optional<DeclaredHeader> header = readDeclaredHeader(device, kind);
    if (!header)
        return std::nullopt;
    return header->size;
}

} // namespace plovan
