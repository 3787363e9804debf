#include "platform/PixelMemory.h"

#include "platform/Picture.h"

#include <new>
#include <sys/mman.h>

namespace plovan {
namespace {

constexpr qsizetype kHugePage = qsizetype(2) << 20;

struct Mapping {
    void *address;
    size_t length;
};

void releaseMapping(void *info)
{
    auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->address, mapping->length);
    delete mapping;
}

} // namespace

QImage allocateStorageImage(int width, int height)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < kHugePage) {
        QImage image(width, height, Picture::kStorageFormat);
        if (image.isNull())
            throw std::bad_alloc();
        return image;
    }
    const size_t length = size_t((bytes + kHugePage - 1) / kHugePage * kHugePage);
    auto *mapping = new Mapping{nullptr, length};
    mapping->address = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping->address == MAP_FAILED) {
        delete mapping;
        throw std::bad_alloc();
    }
    madvise(mapping->address, length, MADV_HUGEPAGE); // a hint: without it we only lose speed
    QImage image(static_cast<uchar *>(mapping->address), width, height, bytesPerLine, Picture::kStorageFormat,
                 releaseMapping, mapping);
    if (image.isNull()) {
        releaseMapping(mapping);
        throw std::bad_alloc();
    }
    return image;
}

} // namespace plovan
