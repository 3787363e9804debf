#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QSize>

namespace plovan {

// The size of a picture of `size` once turned: the sides swapped for an odd number of
// quarter turns.
QSize orientedSize(QSize size, Orientation orientation);

// The picture turned clockwise by orientation.quarterTurns, then mirrored left to right
// when orientation.mirror: a new picture, or `picture` itself for the identity. Throws
// std::bad_alloc.
PictureRef orientPicture(const PictureRef &picture, Orientation orientation);

} // namespace plovan
