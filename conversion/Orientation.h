#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QRect>
#include <QSize>

namespace plovan {

// The size of a picture of `size` once turned: the sides swapped for an odd number of
// quarter turns.
QSize orientedSize(QSize size, Orientation orientation);

// `part` of `source` (inside it, not empty) turned and mirrored as `orientation` asks,
// into `dest`, a picture of orientedSize(part.size()) that is not `source`. Every pixel of
// `dest` is written, its top byte as stored in `source`.
void orientInto(const Picture &source, QRect part, Orientation orientation, Picture &dest);

// `part` of `picture` turned and mirrored: a new picture, even for the identity. Throws
// std::bad_alloc.
PictureRef orientPart(const Picture &picture, QRect part, Orientation orientation);

// The picture turned clockwise by orientation.quarterTurns, then mirrored left to right
// when orientation.mirror: a new picture, or `picture` itself for the identity. Throws
// std::bad_alloc.
PictureRef orientPicture(const PictureRef &picture, Orientation orientation);

} // namespace plovan
