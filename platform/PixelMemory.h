#pragma once

#include <QImage>

#include <cstddef>

namespace plovan {

// Memory for pictures: the one place that asks the operating system for it. The Linux
// version (PixelMemoryLinux.cpp) gives big pictures a mapping of their own, which can be
// trimmed from the end; the portable version (PixelMemoryPortable.cpp) takes everything
// from the C++ allocator and never trims. CMake picks one.
// How the memory will be written: by a decoder as it goes (it may give up half way on a
// damaged file, so memory it never reaches should cost nothing), or whole by the caller
// at once (a blank picture, a stage's result), so it is best had in full right away.
enum class PixelFill { AsWritten, AtOnce };

struct PixelMemory {
    uchar *data = nullptr;
    size_t length = 0;   // what release() must be given back; at least the bytes asked for
    bool mapped = false; // a mapping of its own (Linux), not heap memory
};

// `bytes` of memory, every byte zero, so that whatever a decoder leaves unwritten reads
// as zero, never as what the memory held before. Throws std::bad_alloc.
PixelMemory allocatePixelMemory(size_t bytes, PixelFill fill = PixelFill::AsWritten);
// Gives the memory back; `memory` is empty afterwards.
void releasePixelMemory(PixelMemory &memory) noexcept;
// Hands what lies past the first `keep` bytes back to the system where it can (whole
// pages of a mapping); elsewhere keeps it until release.
void trimPixelMemory(PixelMemory &memory, size_t keep) noexcept;

// An image over `memory` that gives it back (releasePixelMemory) when its last copy goes.
// Throws std::bad_alloc; the memory is then still the caller's, to free or keep.
QImage imageOwning(const PixelMemory &memory, int width, int height, qsizetype bytesPerLine, QImage::Format format);

// An image in the storage format over fresh memory from allocatePixelMemory, freed when
// its last copy goes. Throws std::bad_alloc.
QImage allocateStorageImage(int width, int height, PixelFill fill = PixelFill::AsWritten);

} // namespace plovan
