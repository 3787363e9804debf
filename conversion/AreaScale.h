#pragma once

#include "platform/Picture.h"

namespace plovan {

// The height of a picture of width x height scaled to newWidth, keeping its proportions:
// height * newWidth / width rounded to the nearest whole row (halves up), at least 1.
// May lie outside 1-32767; the caller applies the range rule.
qint64 scaledHeight(int width, int height, int newWidth);

// A new newWidth x newHeight picture, each channel of each pixel the exact average of the
// source over the area the pixel covers, every source pixel weighted by the share of it
// that lies inside, rounded to the nearest level (halves up). Thin lines grey out instead
// of vanishing, and no pixel is ever darker or lighter than the source around it.
// Enlarging uses the same rule, which keeps edges hard: an output pixel inside one source
// pixel takes its colour, and only those across a border mix the two. For a printer that
// makes one bit of each pixel that is what a logo needs; a smooth filter (bilinear,
// bicubic) would turn every edge into a grey ramp for the threshold to cut somewhere, and
// bicubic rings.
// Throws OutOfBoundsException when a side lies outside 1-32767, std::bad_alloc.
PictureRef scalePicture(const Picture &source, int newWidth, int newHeight);

} // namespace plovan
