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

#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23; // Linux's value, for C libraries older than the call
#endif

} // namespace

// A mapping comes zeroed from the kernel, in ordinary 4 KiB pages that fault in as they
// are first written: what a decoder needs, as it may give up half way through a damaged
// file that declares a huge size, and memory it never reaches then costs nothing.
//
// Memory its caller fills whole at once is had in full right away instead, in 2 MiB pages
// where the kernel has them (MADV_HUGEPAGE, then MADV_POPULATE_WRITE). Page by page, a
// first touch is what a fresh picture costs most on the 2-core VMs we measure on: filling
// 35 MiB of new memory took 81 ms there, and 1 GiB 3.4 s; faulted in ahead 41 ms and
// 1.4 s; faulted in ahead in huge pages 4-30 ms and 75 ms-1.3 s (the more when the kernel
// must first clear and assemble them). Huge pages faulted one at a time as written were
// slower on an earlier VM (the kernel assembling 2 MiB for each fault), which is why they
// are asked for only together with the fault-in. A kernel without MADV_POPULATE_WRITE
// (before Linux 5.14) or without huge pages leaves the pages to fault as written.
PixelMemory allocatePixelMemory(size_t bytes, PixelFill fill)
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
    if (fill == PixelFill::AtOnce) {
        madvise(address, length, MADV_HUGEPAGE);
        madvise(address, length, kPopulateWrite);
    }
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
