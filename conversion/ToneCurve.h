#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <array>
#include <cstdint>

namespace plovan {

// What each red, green and blue value becomes under `tone` (PrintSettings.h has the
// formula); the identity for the default tone.
using ToneTable = std::array<std::uint8_t, 256>;
ToneTable toneTable(const Tone &tone);

// Every pixel's red, green and blue through toneTable(tone), its alpha kept: a new
// picture, or `picture` itself for the default tone. Throws std::bad_alloc.
PictureRef adjustTone(const PictureRef &picture, const Tone &tone);

} // namespace plovan
