#include "platform/PictureFile.h"

#include "platform/DecodedPixels.h"
#include "platform/DecoderMessageLog.h"
#include "platform/Exceptions.h"
#include "platform/JpegStructure.h"
#include "platform/PictureHeader.h"
#include "platform/AvailableMemory.h"
#include "platform/PixelBuffer.h"
#include "platform/PngColourKey.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <memory>
#include <new>

namespace plovan {

namespace {

using namespace picturefile;

// Qt's readers refuse, by default, to allocate more than 128 MiB for a picture, with the
// same message as for a corrupt file. We hand them memory we allocated ourselves, which
// they use without asking for more, so neither that limit nor QT_IMAGEIO_MAXALLOC (which
// overrides any limit set in code) stands between a user and a big picture. Raising the
// limit as well only covers a decoder that picks another format than it announced.
constexpr int kQtAllocationLimitMiB = int((DecodeLimits::kDefaultMaxDecodedBytes + (1 << 20) - 1) >> 20);

void raiseQtAllocationLimit()
{
    static const bool raised = [] {
        QImageReader::setAllocationLimit(qMax(QImageReader::allocationLimit(), kQtAllocationLimitMiB));
        return true;
    }();
    Q_UNUSED(raised);
}

OpenedPicture refused(LoadReason reason)
{
    return {nullptr, std::move(reason)};
}

// Formats toStorageImage rewrites in the decoder's own memory; the others need a storage
// image beside the decoded one.
bool convertsInPlace(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 || format == QImage::Format_RGBX64
        || format == QImage::Format_RGBA64;
}

// The decode itself; `size` keeps the declared size for the out-of-memory message.
OpenedPicture decode(QIODevice *device, const DecodeLimits &limits, QSize &size)
{
    const QByteArray head = device->peek(8);
    if (head.isEmpty())
        return refused(empty());
    const PictureKind kind = sniffPictureKind(head);
    if (kind == PictureKind::Unknown)
        return refused(notPngOrJpeg());
    const char *kindName = kind == PictureKind::Png ? "PNG" : "JPEG";
    const QByteArray decoderName = kind == PictureKind::Png ? "png" : "jpeg";
    // Qt's PNG decoder is part of Qt itself, its JPEG decoder a plugin that an installation
    // may lack: a JPEG must not then be taken for a damaged one.
    if (!QImageReader::supportedImageFormats().contains(decoderName))
        return refused(noDecoder(kindName));

    // Standard input cannot seek back; what comes through it is a file's worth of bytes.
    QByteArray bytes;
    QBuffer buffered;
    if (device->isSequential()) {
        bytes = device->readAll();
        buffered.setBuffer(&bytes);
        buffered.open(QIODevice::ReadOnly);
        device = &buffered;
    }

    const qint64 fileBytes = device->size() - device->pos();
    const std::optional<DeclaredHeader> declared = readDeclaredHeader(device, kind);
    if (!declared)
        return refused(damagedHeader(kindName));
    size = declared->size;
    if (!Picture::sideInRange(size.width()) || !Picture::sideInRange(size.height()))
        return refused(outOfRange(size.width(), size.height()));

    qint64 decoderBytes = 0; // what the decoder allocates for itself
    if (kind == PictureKind::Jpeg) {
        const JpegStructure structure = walkJpeg(device);
        if (!structure.complete)
            return refused(endsEarly());
        if (structure.scans > kMaxJpegScans)
            return refused(tooManyScans(structure.scans, kMaxJpegScans));
        decoderBytes = structure.coefficientBytes;
    }

    QByteArray unkeyedBytes;
    QBuffer unkeyed;
    std::optional<Rgb16ColourKey> colourKey;
    if (kind == PictureKind::Png) {
        if (std::optional<UnkeyedPng> png = takeOutRgb16ColourKey(device)) {
            unkeyedBytes = std::move(png->file);
            colourKey = png->key;
            unkeyed.setBuffer(&unkeyedBytes);
            unkeyed.open(QIODevice::ReadOnly);
            device = &unkeyed;
        }
    }

    QImageReader reader(device, decoderName);
    reader.setAutoDetectImageFormat(false); // that decoder and no other
    reader.setAutoTransform(true);
    // The size is the header's, as read above. The decoder reads the same header; should
    // it make out another size, the file is not what it seems, and the picture is not
    // decoded into memory sized for something else.
    const QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid || reader.size() != size)
        return refused(damagedHeader(kindName));
    if (fileBytes < declared->minimumFileBytes)
        return refused(damagedData(kindName)); // too short to hold what it declares

    const qsizetype bytesPerLine = PixelBuffer::bytesPerLine(size.width(), format);
    const qint64 decodedBytes = qint64(bytesPerLine) * size.height();
    if (decodedBytes > limits.maxDecodedBytes)
        return refused(overLimit(size.width(), size.height(), decodedBytes, limits.maxDecodedBytes));
    if (limits.checkAvailableMemory) {
        // The decoded picture, a storage copy unless converted in place, a turned copy for
        // an EXIF orientation, and the working picture the loader makes next.
        const qint64 storageBytes = qint64(size.width()) * size.height() * 4;
        qint64 needed = decodedBytes + storageBytes + decoderBytes;
        if (!convertsInPlace(format))
            needed += storageBytes;
        if (reader.transformation() != QImageIOHandler::TransformationNone)
            needed += storageBytes;
        if (limits.bytesAfterLoad)
            needed += limits.bytesAfterLoad(size);
        const std::optional<qint64> available = availableMemoryBytes();
        if (available && needed > *available)
            return refused(notEnoughMemory(size.width(), size.height()));
    }

    raiseQtAllocationLimit();
    PixelBuffer buffer(decodedBytes);
    QImage image = buffer.view(size.width(), size.height(), bytesPerLine, format);

    bool read = false;
    {
        DecoderMessageLog messages;
        read = reader.read(&image);
        if (!read && messages.decoderRanOutOfMemory())
            throw std::bad_alloc();
    }
    if (!read)
        return refused(damagedData(kindName));
    if (colourKey)
        whitenColourKey(image, *colourKey);
    QImage stored = toStorageImage(std::move(image), std::move(buffer));
    return {std::make_shared<Picture>(std::move(stored)), {}};
}

} // namespace

OpenedPicture openPicture(QIODevice *device, const DecodeLimits &limits)
{
    QSize size;
    try {
        return decode(device, limits, size);
    } catch (const std::bad_alloc &) {
        if (size.isEmpty())
            return refused(notEnoughMemoryToRead());
        return refused(notEnoughMemory(size.width(), size.height()));
    } catch (const std::exception &error) {
        return refused(unexpected(QString::fromUtf8(error.what())));
    }
}

OpenedPicture openPicture(const QString &path, const DecodeLimits &limits, FileKinds kinds)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refused(noSuchFile());
    if (info.isDir())
        return refused(folder());
    if (kinds == FileKinds::RegularOnly && !info.isFile())
        return refused(notRegularFile());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(cannotRead(file.errorString()));
    return openPicture(&file, limits);
}

} // namespace plovan
