// Memory for pictures from the C++ library alone, for systems other than Linux (and for
// Linux built with PLOVAN_PORTABLE): see PixelMemory.h. calloc hands big blocks over as
// fresh zeroed pages on the systems we know, so clearing costs nothing there either.
#include "platform/PixelMemory.h"

#include <cstdlib>
#include <new>

namespace plovan {

PixelMemory allocatePixelMemory(size_t bytes, PixelFill)
{
    if (bytes == 0)
        throw std::bad_alloc();
    auto *data = static_cast<uchar *>(std::calloc(bytes, 1));
    if (!data)
        throw std::bad_alloc();
    return {data, bytes, false};
}

void releasePixelMemory(PixelMemory &memory) noexcept
{
    std::free(memory.data);
    memory = PixelMemory();
}

void trimPixelMemory(PixelMemory &, size_t) noexcept
{
    // realloc could move the block under an image that points into it: keep it whole.
}

} // namespace plovan
