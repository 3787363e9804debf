#include "platform/BlankPictureAhead.h"

#include "platform/PixelMemory.h"

#include <cstring>

namespace plovan {
namespace {

// About two huge pages: small enough that stopping is quick, large enough that the
// check costs nothing.
constexpr qsizetype kChunkBytes = qsizetype(4) << 20;

} // namespace

BlankPictureAhead::BlankPictureAhead(int width, int height)
    : thread_([this, width, height] { fill(width, height); })
{
}

BlankPictureAhead::~BlankPictureAhead()
{
    cancelled_ = true;
    if (thread_.joinable())
        thread_.join();
}

void BlankPictureAhead::fill(int width, int height)
{
    try {
        QImage image = allocateStorageImage(width, height);
        uchar *bits = image.bits();
        const qsizetype total = image.sizeInBytes();
        for (qsizetype done = 0; done < total; done += kChunkBytes) {
            if (cancelled_)
                return;
            // Blank means white paper; 0xFF bytes are opaque white in the storage format.
            std::memset(bits + done, 0xFF, size_t(qMin(kChunkBytes, total - done)));
        }
        image_ = std::move(image);
    } catch (...) {
        error_ = std::current_exception();
    }
}

PictureRef BlankPictureAhead::take()
{
    if (thread_.joinable())
        thread_.join();
    if (error_)
        std::rethrow_exception(error_);
    if (image_.isNull())
        return nullptr;
    return std::make_shared<Picture>(std::move(image_));
}

} // namespace plovan
