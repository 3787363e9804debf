#include "platform/PixelBuffer.h"

#include <new>
#include <utility>

namespace plovan {

PixelBuffer::PixelBuffer(qsizetype bytes)
{
    if (bytes <= 0)
        throw std::bad_alloc();
    memory_ = allocatePixelMemory(size_t(bytes));
}

PixelBuffer::~PixelBuffer()
{
    releasePixelMemory(memory_);
}

PixelBuffer::PixelBuffer(PixelBuffer &&other) noexcept : memory_(std::exchange(other.memory_, PixelMemory()))
{
}

PixelBuffer &PixelBuffer::operator=(PixelBuffer &&other) noexcept
{
    if (this != &other) {
        releasePixelMemory(memory_);
        memory_ = std::exchange(other.memory_, PixelMemory());
    }
    return *this;
}

void PixelBuffer::shrink(qsizetype bytes)
{
    if (bytes < size())
        trimPixelMemory(memory_, size_t(bytes));
}

QImage PixelBuffer::view(int width, int height, qsizetype bytesPerLine, QImage::Format format) const
{
    Q_ASSERT(bytesPerLine * height <= size());
    return QImage(memory_.data, width, height, bytesPerLine, format);
}

QImage PixelBuffer::intoImage(int width, int height, qsizetype bytesPerLine, QImage::Format format) &&
{
    Q_ASSERT(bytesPerLine * height <= size());
    QImage image = imageOwning(memory_, width, height, bytesPerLine, format); // on failure still ours
    memory_ = PixelMemory();
    return image;
}

qsizetype PixelBuffer::bytesPerLine(int width, QImage::Format format)
{
    const qsizetype bits = qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel();
    return (bits + 31) / 32 * 4;
}

} // namespace plovan
