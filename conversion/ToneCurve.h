#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QRect>

#include <array>
#include <cstdint>

namespace plovan {

// What each red, green and blue value becomes under `tone` (PrintSettings.h has the
// formula); the identity for the default tone.
using ToneTable = std::array<std::uint8_t, 256>;
ToneTable toneTable(const Tone &tone);

// `part` of `source` (inside it, not empty) with every red, green and blue through
// `table` and the top bytes kept, into `dest`, a picture of part's size that may be
// `source` itself when `part` is the whole of it (the tone then done in place).
void toneInto(const Picture &source, QRect part, const ToneTable &table, Picture &dest);

// `part` of `picture` through `table`: a new picture. Throws std::bad_alloc.
PictureRef tonePart(const Picture &picture, QRect part, const ToneTable &table);

// Every pixel's red, green and blue through toneTable(tone), its alpha kept: a new
// picture, or `picture` itself for the default tone. Throws std::bad_alloc.
PictureRef adjustTone(const PictureRef &picture, const Tone &tone);

} // namespace plovan
