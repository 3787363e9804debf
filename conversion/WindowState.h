#pragma once

#include "platform/Picture.h"

namespace plovan {

// What the main window holds while it is open. Both pictures are absent until the first
// successful load; afterwards destPix always has the size of pix.
struct WindowState {
    PictureRef pix;     // the picture loaded from a file
    PictureRef destPix; // the black-and-white working picture
    int threshold = 100; // 0-255, from the slider
    bool reverse = false; // light pixels become black instead of dark ones

    bool hasPictures() const { return pix && destPix; }
};

} // namespace plovan
