#include "platform/PixelMemory.h"

#include "platform/Picture.h"

#include <memory>
#include <new>

namespace plovan {
namespace {

// What an image calls when its last copy goes: `info` is the PixelMemory imageOwning made.
void releaseOwned(void *info)
{
    auto *memory = static_cast<PixelMemory *>(info);
    releasePixelMemory(*memory);
    delete memory;
}

} // namespace

QImage imageOwning(const PixelMemory &memory, int width, int height, qsizetype bytesPerLine, QImage::Format format)
{
    auto owned = std::make_unique<PixelMemory>(memory);
    QImage image(memory.data, width, height, bytesPerLine, format, releaseOwned, owned.get());
    if (image.isNull())
        throw std::bad_alloc(); // the image never took the memory: it is still the caller's
    owned.release(); // the image's now, freed by releaseOwned
    return image;
}

QImage allocateStorageImage(int width, int height, PixelFill fill)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    PixelMemory memory = allocatePixelMemory(size_t(bytesPerLine) * size_t(height), fill);
    try {
        return imageOwning(memory, width, height, bytesPerLine, Picture::kStorageFormat);
    } catch (...) {
        releasePixelMemory(memory);
        throw;
    }
}

} // namespace plovan
