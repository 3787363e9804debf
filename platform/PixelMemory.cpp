#include "platform/PixelMemory.h"

#include "platform/Picture.h"

#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace plovan {
namespace {

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

void *mapPixelMemory(size_t bytes, size_t &length)
{
    static const size_t page = size_t(sysconf(_SC_PAGESIZE));
    length = (bytes + page - 1) / page * page;
    void *address = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        throw std::bad_alloc();
    return address;
}

QImage allocateStorageImage(int width, int height)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < kOwnMappingBytes) {
        QImage image(width, height, Picture::kStorageFormat);
        if (image.isNull())
            throw std::bad_alloc();
        return image;
    }
    auto *mapping = new Mapping{nullptr, 0};
    try {
        mapping->address = mapPixelMemory(size_t(bytes), mapping->length);
    } catch (...) {
        delete mapping;
        throw;
    }
    QImage image(static_cast<uchar *>(mapping->address), width, height, bytesPerLine, Picture::kStorageFormat,
                 releaseMapping, mapping);
    if (image.isNull()) {
        releaseMapping(mapping);
        throw std::bad_alloc();
    }
    return image;
}

} // namespace plovan
