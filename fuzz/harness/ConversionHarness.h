#pragma once

#include <QByteArrayView>
#include <QString>

namespace plovan::fuzz {

// A window built from the input: width and height 1 ... 64, threshold 0 ... 255, the
// reverse flag, the pixels of pix (stored top bytes included, and in one mode channels
// clustered within 3 of the threshold so ties are common), and leftover garbage in
// destPix. Then redraw and Create, checked by checkRedrawAndCreate against the naive
// reference: rule, tie, text length and shape, progress, text after every band.
// Empty when all holds.
QString checkConversion(QByteArrayView input);

} // namespace plovan::fuzz
