#pragma once

#include "platform/RGBSurface.h"

#include <QImage>
#include <memory>

namespace plovan {

class Picture;

// Pictures are shared and counted: the window and each canvas showing a picture hold one
// reference, and the picture goes when the last holder lets go.
using PictureRef = std::shared_ptr<Picture>;

// A raster picture of depth 32. Pixels are kept as an opaque QImage::Format_RGB32 image,
// which Qt paints without any conversion, so a canvas can show the picture as it is.
class Picture {
public:
    static constexpr QImage::Format kStorageFormat = QImage::Format_RGB32;
    static constexpr int kMaxSide = 32767;

    // A new blank (white) picture. Throws OutOfBoundsException when width or height lies
    // outside 1-32767, std::invalid_argument for a depth other than 32, std::bad_alloc.
    Picture(int width, int height, int depth);

    // Adopts a decoded image that is already in kStorageFormat and within the size range.
    explicit Picture(QImage image);

    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }

    // Pixel access for as long as the picture is alive.
    RGBSurface rgbSurface() { return RGBSurface(image_); }
    ConstRGBSurface rgbSurface() const { return ConstRGBSurface(image_); }

    // The pixels for painting and saving. Keep no QImage copy of it: writing to a shared
    // image would make Qt detach a copy of the whole picture.
    const QImage &image() const { return image_; }

    // The range rule for a side of a new picture, and the rule in words: what
    // OutOfBoundsException says, and what messages/RangeWords translates for the user.
    static bool sideInRange(int side) { return side >= 1 && side <= kMaxSide; }
    static constexpr const char *kSideRule = QT_TRANSLATE_NOOP("RangeWords", "Width/Height needs to be in the range 1-32767");
    static void checkSize(int width, int height);

private:
    QImage image_;
};

// Shorthand for a shared new blank picture (same rules as the constructor).
PictureRef makePicture(int width, int height, int depth = 32);

// A shared new picture for a stage that writes every one of its pixels: its memory zeroed
// and not filled white first, so a big one costs no pass of its own before the stage's.
// Throws OutOfBoundsException when width or height lies outside 1-32767, std::bad_alloc.
PictureRef makePictureToOverwrite(int width, int height);

} // namespace plovan
