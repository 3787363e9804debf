#include "platform/Picture.h"

#include "platform/Exceptions.h"
#include "platform/PixelMemory.h"

#include <cstring>
#include <stdexcept>

namespace plovan {

void Picture::checkSize(int width, int height)
{
    if (!sideInRange(width) || !sideInRange(height))
        throw OutOfBoundsException(kSideRule);
}

Picture::Picture(int width, int height, int depth)
{
    checkSize(width, height);
    if (depth != 32)
        throw std::invalid_argument("Only pictures of depth 32 are supported");
    image_ = allocateStorageImage(width, height, PixelFill::AtOnce);
    // Blank means white paper; 0xFF bytes are opaque white in the storage format.
    std::memset(image_.bits(), 0xFF, size_t(image_.sizeInBytes()));
}

Picture::Picture(QImage image) : image_(std::move(image))
{
    if (image_.isNull())
        throw NilObjectException("Picture from an empty image");
    if (image_.format() != kStorageFormat)
        throw std::invalid_argument("Picture adopts only images in the storage format");
    checkSize(image_.width(), image_.height());
}

PictureRef makePicture(int width, int height, int depth)
{
    return std::make_shared<Picture>(width, height, depth);
}

PictureRef makePictureToOverwrite(int width, int height)
{
    Picture::checkSize(width, height);
    return std::make_shared<Picture>(allocateStorageImage(width, height, PixelFill::AtOnce));
}

} // namespace plovan
