#pragma once

// The halftones as the textbooks state them, for the tests to hold the fast loops to: the
// level every halftone works on, and the error diffusions' kernels.

#include "conversion/PrintSettings.h"
#include "platform/Colour.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace plovan::testsupport {

// The level each halftone works on, as the rule reads: the mean with its fraction
// dropped, moved by 128 - threshold, held within 0-255, negative in reverse mode.
inline int textbookLevel(Colour c, int threshold, bool reverse)
{
    const int mean = int(std::trunc(double(Red(c) + Green(c) + Blue(c)) / 3.0));
    const int level = std::min(255, std::max(0, mean + 128 - threshold));
    return reverse ? 255 - level : level;
}

// An error diffusion's kernel as the papers print it: the pixel being done is the * in
// the middle of the top row, 0 where nothing goes.
struct Textbook {
    int divisor;
    int weights[3][5];
};

inline Textbook textbookOf(Halftone halftone)
{
    switch (halftone) {
    case Halftone::FloydSteinberg: return {16, {{0, 0, 0, 7, 0}, {0, 3, 5, 1, 0}, {0, 0, 0, 0, 0}}};
    case Halftone::Atkinson: return {8, {{0, 0, 0, 1, 1}, {0, 1, 1, 1, 0}, {0, 0, 1, 0, 0}}};
    case Halftone::Jarvis: return {48, {{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}}};
    case Halftone::Stucki: return {42, {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1}}};
    case Halftone::Sierra: return {32, {{0, 0, 0, 5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0}}};
    default: break;
    }
    qFatal("not an error diffusion");
}

} // namespace plovan::testsupport
