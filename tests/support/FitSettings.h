#pragma once

#include "conversion/PrintSettings.h"

namespace plovan::testsupport {

// The print settings of one fit: a width for Fit::Width and Fit::MaxWidth, and the paper
// width to centre on (0 leaves the picture where it is). No halftone.
inline PrintSettings fitTo(Fit fit, int width, int paperWidth = 0)
{
    PrintSettings settings;
    settings.fit = fit;
    settings.width = width;
    settings.paperWidth = paperWidth;
    return settings;
}

} // namespace plovan::testsupport
