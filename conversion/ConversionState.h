#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QtGlobal>

namespace plovan {

// What a conversion works on: the pictures and the two controls of the main window, which
// holds one while it is open (plovan-cli holds one for its run). Both pictures are absent
// until the first successful load; afterwards destPix always has the size of pix.
struct ConversionState {
    PictureRef pix;     // the picture loaded from a file
    PictureRef destPix; // the black-and-white working picture
    int threshold = kDefaultThreshold; // 0-255, from the slider
    bool reverse = false; // light pixels become black instead of dark ones
    // Scaling and centring (already applied to pix) and the halftone redraw uses.
    PrintSettings print;
    // The picture as decoded, before scaling and centring: what pix is prepared from again
    // when the printer width or the centring changes. The same picture as pix when neither
    // applies.
    PictureRef original;

    // Whether there is anything to convert: both pictures, of one size. The conversion
    // and Create read pix and write destPix row by row, so pictures of different sizes
    // would take them past the end of one; a load never leaves such a pair (it stores
    // both before it shows either), and a debug build stops at one.
    bool hasPictures() const
    {
        if (!pix || !destPix)
            return false;
        const bool sameSize = pix->Width() == destPix->Width() && pix->Height() == destPix->Height();
        Q_ASSERT_X(sameSize, "ConversionState", "pix and destPix differ in size");
        return sameSize;
    }
};

} // namespace plovan
