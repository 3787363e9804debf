#pragma once

#include "platform/Picture.h"

#include <QRect>
#include <QString>

namespace plovan::testsupport {

// The area average as it reads, one new pixel at a time over every source pixel it
// touches, each weighted by the share of it inside, rounded to the nearest level (halves
// up). Positions are measured in 1/newWidth and 1/newHeight of a source pixel, where
// every edge is a whole number, so the doubles are exact until the one division. A
// reference to hold the scaler to, slow and plain.
PictureRef naiveAreaScale(const Picture &source, int newWidth, int newHeight);

// A white picture of `paper` size with `picture` copied in at `at`: what centring gives,
// the margins worked out by whoever calls it.
PictureRef onWhitePaper(const Picture &picture, QSize paper, QPoint at);

// Where two pictures first differ, or an empty string: a failure that says where.
QString firstDifference(const Picture &actual, const Picture &expected);

} // namespace plovan::testsupport
