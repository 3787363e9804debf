#include "platform/PixelBuffer.h"

#include "platform/PixelMemory.h"

#include <QByteArray>
#include <QFile>

#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace plovan {
namespace {

qsizetype pageSize()
{
    static const qsizetype size = qsizetype(sysconf(_SC_PAGESIZE));
    return size;
}

struct Owned {
    uchar *data;
    qsizetype size;
    bool mapped;
};

void freeMemory(uchar *data, qsizetype size, bool mapped) noexcept
{
    if (!data)
        return;
    if (mapped)
        munmap(data, size_t(size));
    else
        std::free(data);
}

void releaseOwned(void *info)
{
    auto *owned = static_cast<Owned *>(info);
    freeMemory(owned->data, owned->size, owned->mapped);
    delete owned;
}

} // namespace

PixelBuffer::PixelBuffer(qsizetype bytes)
{
    if (bytes <= 0)
        throw std::bad_alloc();
    if (bytes < kOwnMappingBytes) {
        data_ = static_cast<uchar *>(std::malloc(size_t(bytes)));
        if (!data_)
            throw std::bad_alloc();
        size_ = bytes;
        return;
    }
    size_t length = 0;
    data_ = static_cast<uchar *>(mapPixelMemory(size_t(bytes), length));
    size_ = qsizetype(length);
    mapped_ = true;
}

PixelBuffer::~PixelBuffer()
{
    release();
}

PixelBuffer::PixelBuffer(PixelBuffer &&other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false))
{
}

PixelBuffer &PixelBuffer::operator=(PixelBuffer &&other) noexcept
{
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

void PixelBuffer::release() noexcept
{
    freeMemory(data_, size_, mapped_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

void PixelBuffer::shrink(qsizetype bytes)
{
    if (!mapped_ || bytes >= size_)
        return;
    const qsizetype unit = pageSize();
    const qsizetype keep = qMax(unit, (bytes + unit - 1) / unit * unit);
    if (keep >= size_)
        return;
    munmap(data_ + keep, size_t(size_ - keep));
    size_ = keep;
}

QImage PixelBuffer::view(int width, int height, qsizetype bytesPerLine, QImage::Format format) const
{
    Q_ASSERT(bytesPerLine * height <= size_);
    return QImage(data_, width, height, bytesPerLine, format);
}

QImage PixelBuffer::intoImage(int width, int height, qsizetype bytesPerLine, QImage::Format format) &&
{
    Q_ASSERT(bytesPerLine * height <= size_);
    auto *owned = new Owned{data_, size_, mapped_};
    QImage image(data_, width, height, bytesPerLine, format, releaseOwned, owned);
    if (image.isNull()) {
        delete owned; // the buffer still owns the memory and frees it
        throw std::bad_alloc();
    }
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
    return image;
}

qsizetype PixelBuffer::bytesPerLine(int width, QImage::Format format)
{
    const qsizetype bits = qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel();
    return (bits + 31) / 32 * 4;
}

std::optional<qint64> availableMemoryBytes()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return std::nullopt;
    qint64 availableKiB = -1;
    qint64 swapFreeKiB = 0;
    const QList<QByteArray> lines = meminfo.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const qint64 kib = fields.at(1).toLongLong(&ok);
        if (!ok)
            continue;
        if (fields.at(0) == "MemAvailable:")
            availableKiB = kib;
        else if (fields.at(0) == "SwapFree:")
            swapFreeKiB = kib;
    }
    if (availableKiB < 0)
        return std::nullopt;
    return (availableKiB + swapFreeKiB) * 1024;
}

} // namespace plovan
