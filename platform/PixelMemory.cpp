#include "platform/PixelMemory.h"

#include "platform/Picture.h"

#include <new>

namespace plovan {
namespace {

void releaseOwned(void *info)
{
    auto *memory = static_cast<PixelMemory *>(info);
    releasePixelMemory(*memory);
    delete memory;
}

} // namespace

QImage allocateStorageImage(int width, int height)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    auto *memory = new PixelMemory;
    try {
        *memory = allocatePixelMemory(size_t(bytesPerLine) * size_t(height));
    } catch (...) {
        delete memory;
        throw;
    }
    QImage image(memory->data, width, height, bytesPerLine, Picture::kStorageFormat, releaseOwned, memory);
    if (image.isNull()) {
        releaseOwned(memory);
        throw std::bad_alloc();
    }
    return image;
}

} // namespace plovan
