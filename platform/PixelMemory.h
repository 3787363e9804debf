#pragma once

#include <QImage>

#include <cstddef>

namespace plovan {

// Pictures of at least this many bytes get a mapping of their own (mapPixelMemory);
// smaller ones come from the ordinary heap, which reuses memory it already has.
inline constexpr qsizetype kOwnMappingBytes = qsizetype(2) << 20;

// Fresh memory of `bytes` rounded up to whole pages, mapped for us alone, in ordinary
// 4 KiB pages that fault in as they are first written. Transparent huge pages were tried
// (madvise MADV_HUGEPAGE): on the 2-core VMs we measure on they made the first touch of a
// big picture two to three times slower, 16384 x 16384 end to end taking 7.2 s instead of
// 3.4 s, as the kernel had to find, assemble and clear 2 MiB of contiguous memory for each
// fault. Faulting the pages in ahead (MADV_POPULATE_WRITE) gained under 10 % there, and
// would make a damaged file that declares a huge size cost all of its memory before the
// decoder gives up. Sets `length` to the mapped length, to hand to munmap. Throws
// std::bad_alloc.
void *mapPixelMemory(size_t bytes, size_t &length);

// An uninitialised image in the storage format; big pictures on memory from
// mapPixelMemory. Throws std::bad_alloc.
QImage allocateStorageImage(int width, int height);

} // namespace plovan
