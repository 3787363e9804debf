#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QRect>

namespace plovan {

// The part of the picture left when the outer rows and columns that are paper all along
// (PrintSettings.h, Trim) are removed; the whole picture for Trim::Off and for a picture
// that is paper everywhere.
QRect contentRect(const Picture &picture, Trim trim);

// The picture cut to contentRect: a new picture, or `picture` itself when nothing is cut.
// Throws std::bad_alloc.
PictureRef trimMargins(const PictureRef &picture, Trim trim);

} // namespace plovan
