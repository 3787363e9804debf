#pragma once

#include "platform/Picture.h"

#include <QtGlobal>
#include <array>

namespace plovan {

// How many pixels have each floored mean of red, green and blue, 0-255.
using MeanHistogram = std::array<quint64, 256>;

MeanHistogram meanHistogram(const Picture &picture);

// Otsu's method: the split of the means into a dark class [0, s) and a light class
// [s, 255] with the largest variance between them, that is the one that best separates a
// dark part from a light part, given as the threshold that draws that line: s itself,
// since a mean below the threshold is black, or s - 1 in reverse mode, where a mean above
// it is black. Where several neighbouring splits separate equally well (a gap between two
// greys), the middle of them. A picture of one grey has nothing to separate: 128.
int otsuThreshold(const MeanHistogram &histogram, bool reverse);

// The automatic threshold of a prepared picture: otsuThreshold(meanHistogram(picture)).
int automaticThreshold(const Picture &picture, bool reverse);

} // namespace plovan
