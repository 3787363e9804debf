#pragma once

#include "conversion/ConversionView.h"
#include "conversion/ConversionState.h"

#include <cstdint>

namespace plovan {

// Writes the black-and-white form of pix into destPix, over destPix's own pixels (no new
// picture is made; pix is only read). With no halftone a pixel is black when the floored
// mean of its red, green and blue is below the threshold (above it in reverse mode); a
// mean equal to the threshold is white in both modes. A halftone works on the mean moved
// by 128 - threshold (halftoneLevel), negative in reverse mode; with print.serpentine the
// error diffusions run their odd rows right to left. Sets the progress text
// after each row ("1" ... height) and finally hands destPix to the processed canvas. Does
// nothing at all before a picture has been loaded.
void redraw(const ConversionState &state, ConversionView &view);

// One row: reads `width` stored pixels of src, writes opaque black or white to dst.
// floor((r + g + b) / 3) < t is the same as r + g + b < 3t, and > t the same as
// r + g + b > 3t + 2, so the rule needs no division.
void thresholdRow(const std::uint32_t *src, std::uint32_t *dst, int width, int threshold, bool reverse);

} // namespace plovan
