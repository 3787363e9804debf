#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

namespace plovan {

// A strip to print once to find a printer's dot gain (DotModel.h). Five rows, one for each
// of R = 1.0, 1.1, 1.2, 1.3 and 1.4, each with its R in figures drawn in dots on the left
// (a 3 x 5 font, each of its pixels 4 x 4 dots), then a patch of mid grey (level 128)
// halftoned by `halftone` (Floyd-Steinberg for None, which has no greys) allowing for
// that R, then a coarse 50 % reference beside it: a checkerboard of 8 x 8-dot squares, so
// few and so large that the dots' overlap hardly darkens it. On the printer whose dots
// are R the row of that R prints its patch as dark as its reference; the rows above it
// (smaller R) print darker, those below lighter.
//
// Layout, in dots: 8 of paper all round; rows of kCalibrationRowHeight with 16 between;
// the figures in the first 36 after the margin, 8 more, then the patch and the reference
// in two equal halves of what is left with 8 between them. 320 dots high, a whole
// number of bands. Black and white only, ready to be encoded as it is.
inline constexpr int kCalibrationRowHeight = 48;
inline constexpr int kCalibrationStripHeight = 320;
inline constexpr int kMinCalibrationStripWidth = 128;
inline constexpr int kDefaultCalibrationStripWidth = 384;
inline constexpr int kCalibrationDotGains[5] = {100, 110, 120, 130, 140};

// The strip `width` dots wide, kMinCalibrationStripWidth to Picture::kMaxSide. Throws
// std::bad_alloc.
PictureRef calibrationStrip(int width, Halftone halftone, bool serpentine);

} // namespace plovan
