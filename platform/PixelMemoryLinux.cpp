// Memory for pictures on Linux: see PixelMemory.h.
#include "platform/PixelMemory.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace plovan {
namespace {

// Pictures of at least this many bytes get a mapping of their own; smaller ones come
// from the heap, which reuses memory it already has.
constexpr size_t kOwnMappingBytes = size_t(2) << 20;

size_t pageSize()
{
    static const size_t size = size_t(sysconf(_SC_PAGESIZE));
    return size;
}

} // namespace

// A mapping comes zeroed from the kernel, in ordinary 4 KiB pages that fault in as they
// are first written. Transparent huge pages were tried (madvise MADV_HUGEPAGE): on the
// 2-core VMs we measure on they made the first touch of a big picture two to three times
// slower, 16384 x 16384 end to end taking 7.2 s instead of 3.4 s, as the kernel had to
// find, assemble and clear 2 MiB of contiguous memory for each fault. Faulting the pages
// in ahead (MADV_POPULATE_WRITE) gained under 10 % there, and would make a damaged file
// that declares a huge size cost all of its memory before the decoder gives up.
PixelMemory allocatePixelMemory(size_t bytes)
{
    if (bytes == 0)
        throw std::bad_alloc();
    if (bytes < kOwnMappingBytes) {
        auto *data = static_cast<uchar *>(std::calloc(bytes, 1));
        if (!data)
            throw std::bad_alloc();
        return {data, bytes, false};
    }
    const size_t length = (bytes + pageSize() - 1) / pageSize() * pageSize();
    void *address = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        throw std::bad_alloc();
    return {static_cast<uchar *>(address), length, true};
}

void releasePixelMemory(PixelMemory &memory) noexcept
{
    if (memory.mapped)
        munmap(memory.data, memory.length);
    else
        std::free(memory.data);
    memory = PixelMemory();
}

void trimPixelMemory(PixelMemory &memory, size_t keep) noexcept
{
    if (!memory.mapped || keep >= memory.length)
        return;
    const size_t unit = pageSize();
    const size_t kept = qMax(unit, (keep + unit - 1) / unit * unit);
    if (kept >= memory.length)
        return;
    munmap(memory.data + kept, memory.length - kept);
    memory.length = kept;
}

} // namespace plovan
