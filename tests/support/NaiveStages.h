#pragma once

#include "conversion/PrintSettings.h"
#include "conversion/ToneCurve.h"
#include "platform/Picture.h"

#include <QRect>
#include <QString>

// The stages before the scaling as they read, one pixel at a time, for the stages to be
// held to: slow, plain, and written from the rules rather than from the code.
namespace plovan::testsupport {

// One clockwise quarter turn after another (a W x H picture turned is H x W, its pixel
// (x, y) taken from (y, H - 1 - x)), then the mirror (pixel (x, y) from (W - 1 - x, y)).
// Stored pixels are moved whole, top bytes too.
PictureRef naiveOrient(const Picture &picture, Orientation orientation);

// The tone formula in doubles for one value: x' = (x - 0.5)(1 + C / 100) + 0.5 + B / 100
// for x = v / 255, clamped to 0-1, raised to 1 / G, times 255, rounded halves up.
int naiveToneLevel(int v, const Tone &tone);
ToneTable naiveToneTable(const Tone &tone);

// Every red, green and blue through `table`, the stored top bytes kept.
PictureRef naiveTone(const Picture &picture, const ToneTable &table);

// The smallest rectangle holding every pixel that is not paper, read pixel by pixel with
// the floored mean (r + g + b) / 3; the whole picture when there is none.
QRect naiveContent(const Picture &picture, Trim trim);

// `part` of the picture, stored pixels as they are.
PictureRef naiveCrop(const Picture &picture, QRect part);

// Where two pictures' stored pixels, top bytes included, first differ, or an empty string.
QString firstStoredDifference(const Picture &actual, const Picture &expected);

} // namespace plovan::testsupport
