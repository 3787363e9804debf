#pragma once

#include "platform/Colour.h"
#include "platform/StoredPixel.h"

#include <QImage>

namespace plovan {

// Read-only pixel access. Stored pixels are 0xFFRRGGBB; the stored top byte means
// "opaque", which is transparency 0, so reading a colour yields its red, green and blue
// with a zero top byte.
class ConstRGBSurface {
public:
    explicit ConstRGBSurface(const QImage &image)
        : ConstRGBSurface(image.constBits(), image)
    {
    }

    int width() const { return width_; }
    int height() const { return height_; }

    // 0 <= x < width, 0 <= y < height.
    Colour Pixel(int x, int y) const { return row(y)[x] & kRgbMask; }

    // The raw stored pixels of row y, width() of them, top byte 0xFF.
    const std::uint32_t *row(int y) const
    {
        return reinterpret_cast<const std::uint32_t *>(bits_ + qsizetype(y) * stride_);
    }

protected:
    ConstRGBSurface(const uchar *bits, const QImage &image)
        : bits_(bits), stride_(image.bytesPerLine()), width_(image.width()), height_(image.height())
    {
    }

private:
    const uchar *bits_;
    qsizetype stride_;
    int width_;
    int height_;
};

// Read and write pixel access. Pictures are opaque, so writing keeps red, green and blue
// and stores the opaque top byte whatever transparency the colour asks for.
class RGBSurface : public ConstRGBSurface {
public:
    // bits() comes first: it is what makes the image's pixels ours to write.
    explicit RGBSurface(QImage &image) : ConstRGBSurface(image.bits(), image) {}

    using ConstRGBSurface::Pixel;
    void Pixel(int x, int y, Colour c) { row(y)[x] = storedColour(c); }

    using ConstRGBSurface::row;
    std::uint32_t *row(int y)
    {
        return const_cast<std::uint32_t *>(ConstRGBSurface::row(y));
    }

    static constexpr std::uint32_t storedColour(Colour c) { return kStoredOpaque | (c & kRgbMask); }
};

} // namespace plovan
