#include "import/LogoTextFile.h"

#include "conversion/LogoTextSize.h"
#include "platform/Picture.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <new>
#include <optional>

namespace plovan {

namespace {

using Reason = LogoTextReadError::Reason;

LogoTextReadError errorOf(Reason reason, const QString &systemReason = {})
{
    return {reason, systemReason};
}

// What the device said of a failed read, if it was one: a sequential device says -1 at its
// end too, and only a file tells the two apart.
std::optional<LogoTextReadError> readFailure(const QIODevice &device)
{
    if (const auto *file = qobject_cast<const QFileDevice *>(&device)) {
        if (file->error() == QFileDevice::NoError)
            return std::nullopt;
    } else if (device.isSequential()) {
        return std::nullopt;
    }
    return errorOf(Reason::CannotRead, device.errorString());
}

// The bytes from the device's position to its end, or just past the longest text, whichever
// comes first. The buffer grows by doubling up to that bound and never past it, so a source
// without end costs no more than the longest text.
std::optional<LogoTextReadError> readBounded(QIODevice &device, QByteArray &bytes)
{
    const qint64 most = longestLogoTextBytes() + 1;
    if (!device.isSequential()) {
        const qint64 left = device.size() - device.pos();
        if (left >= most)
            return errorOf(Reason::TooLarge);
        // One byte more than the file holds, so that a file growing meanwhile is seen.
        bytes.reserve(qsizetype(std::max<qint64>(left, 0) + 1));
    }
    constexpr qint64 kFirstRead = 64 << 10;
    for (;;) {
        const qint64 room = most - bytes.size();
        if (room == 0)
            break;
        if (bytes.size() == bytes.capacity())
            bytes.reserve(qsizetype(std::min(std::max(2 * qint64(bytes.capacity()), kFirstRead), most)));
        const qint64 wanted = std::min(room, qint64(bytes.capacity() - bytes.size()));
        const qsizetype at = bytes.size();
        bytes.resize(at + qsizetype(wanted));
        const qint64 got = device.read(bytes.data() + at, wanted);
        bytes.resize(at + qsizetype(std::max<qint64>(got, 0)));
        if (got < 0) {
            if (std::optional<LogoTextReadError> failure = readFailure(device))
                return failure;
            break;
        }
        if (got == 0)
            break;
    }
    if (const auto *file = qobject_cast<const QFileDevice *>(&device); file && file->error() != QFileDevice::NoError)
        return errorOf(Reason::CannotRead, file->errorString());
    if (bytes.size() >= most)
        return errorOf(Reason::TooLarge);
    return std::nullopt;
}

} // namespace

qint64 longestLogoTextBytes()
{
    return logotext::textUnits(Picture::kMaxSide, Picture::kMaxSide, logotext::kUtf8MarkUnits);
}

std::variant<ReadLogoText, LogoTextReadError> readLogoText(QIODevice &device, LogoTextPicture picture)
{
    ReadLogoText read;
    try {
        if (std::optional<LogoTextReadError> failure = readBounded(device, read.bytes))
            return *failure;
    } catch (const std::bad_alloc &) {
        return errorOf(Reason::NotEnoughMemory);
    }
    if (picture == LogoTextPicture::CheckOnly) {
        read.reading.check = checkLogoTextUtf8(read.bytes);
        return read;
    }
    try {
        read.reading = readLogoTextUtf8(read.bytes);
    } catch (const std::bad_alloc &) {
        // The check alone allocates nothing, and the bytes are the ones just checked.
        const LogoTextCheck check = checkLogoTextUtf8(read.bytes);
        LogoTextReadError error = errorOf(Reason::NotEnoughMemory);
        error.width = check.width;
        error.height = check.height();
        return error;
    }
    return read;
}

std::variant<ReadLogoText, LogoTextReadError> readLogoTextFile(const QString &path, FileKinds kinds,
                                                               LogoTextPicture picture)
{
    const QFileInfo info(path);
    if (!info.exists())
        return errorOf(Reason::NoSuchFile);
    if (info.isDir())
        return errorOf(Reason::IsFolder);
    if (kinds == FileKinds::RegularOnly && !info.isFile())
        return errorOf(Reason::NotRegularFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return errorOf(Reason::CannotRead, file.errorString());
    return readLogoText(file, picture);
}

} // namespace plovan
