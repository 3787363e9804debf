#pragma once

#include "conversion/PrintSettings.h"
#include "conversion/ToneCurve.h"
#include "platform/Picture.h"

#include <QRect>

namespace plovan {

// The part of the picture left when the outer rows and columns that are paper all along
// (PrintSettings.h, Trim) are removed; the whole picture for Trim::Off and for a picture
// that is paper everywhere. Read from the edges inwards, so a picture with something near
// each edge costs little of its pixels.
QRect contentRect(const Picture &picture, Trim trim);

// contentRect of the picture as `table` would tone it, without toning it.
QRect contentRect(const Picture &picture, Trim trim, const ToneTable &table);

// The picture cut to contentRect: a new picture, or `picture` itself when nothing is cut.
// Throws std::bad_alloc.
PictureRef trimMargins(const PictureRef &picture, Trim trim);

} // namespace plovan
