#pragma once

#include "platform/PixelMemory.h"

#include <QImage>

namespace plovan {

// Memory for decoded pixels that we allocate ourselves rather than leaving it to Qt:
// a decoder writes straight into it (Qt's reader reuses an image of the right size and
// format instead of allocating one under its own limit), it starts out zeroed (what a
// decoder leaves unwritten is zero, never stale memory), and a narrower format can be
// rewritten into the front of the same memory and the rest handed back to the system
// (allocatePixelMemory, trimPixelMemory). Move-only; frees its memory unless it was
// handed to an image.
class PixelBuffer {
public:
    PixelBuffer() = default;
    // Zeroed. Throws std::bad_alloc.
    explicit PixelBuffer(qsizetype bytes);
    ~PixelBuffer();
    PixelBuffer(PixelBuffer &&other) noexcept;
    PixelBuffer &operator=(PixelBuffer &&other) noexcept;
    PixelBuffer(const PixelBuffer &) = delete;
    PixelBuffer &operator=(const PixelBuffer &) = delete;

    uchar *data() const { return memory_.data; }
    qsizetype size() const { return qsizetype(memory_.length); }
    bool isNull() const { return memory_.data == nullptr; }

    // Returns the memory past the first `bytes` to the system where it can.
    void shrink(qsizetype bytes);

    // An image over the first height * bytesPerLine bytes that does not own them: valid
    // while this buffer lives, for a decoder to write into.
    QImage view(int width, int height, qsizetype bytesPerLine, QImage::Format format) const;

    // Gives the memory to an image that frees it when its last copy goes; this buffer is
    // empty afterwards. Throws std::bad_alloc.
    QImage intoImage(int width, int height, qsizetype bytesPerLine, QImage::Format format) &&;

    // Bytes per line Qt uses for a format: whole 32-bit words.
    static qsizetype bytesPerLine(int width, QImage::Format format);

private:
    PixelMemory memory_;
};

} // namespace plovan
