#pragma once

#include <QString>

namespace plovan {

// The size rule for a side of a picture, as the user reads it: "Width/Height needs to be in
// the range 1-32767". The same words as OutOfBoundsException's, translated.
QString sideRangeWords();

} // namespace plovan
