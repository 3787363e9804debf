#pragma once

#include "platform/Picture.h"

#include <QRandomGenerator>
#include <functional>

// Small synthetic pictures for the tests.
namespace testpictures {

using plovan::Colour;
using plovan::PictureRef;

inline PictureRef filled(int width, int height, const std::function<Colour(int x, int y)> &colourAt)
{
    PictureRef picture = plovan::makePicture(width, height);
    plovan::RGBSurface surface = picture->rgbSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.Pixel(x, y, colourAt(x, y));
    return picture;
}

inline PictureRef uniform(int width, int height, Colour colour)
{
    return filled(width, height, [colour](int, int) { return colour; });
}

// Random colours whose channel sums cluster around 3 * threshold, so ties and near
// misses are common. The stored top bytes are random too: readers must ignore them.
inline PictureRef randomNear(int width, int height, int threshold, QRandomGenerator &random)
{
    PictureRef picture = plovan::makePicture(width, height);
    plovan::RGBSurface surface = picture->rgbSurface();
    auto channel = [&] { return qBound(0, threshold + int(random.bounded(7)) - 3, 255); };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool wild = random.bounded(4) == 0;
            surface.row(y)[x] = wild ? random.generate()
                                     : plovan::RGB(channel(), channel(), channel(), int(random.bounded(256)));
        }
    }
    return picture;
}

} // namespace testpictures
