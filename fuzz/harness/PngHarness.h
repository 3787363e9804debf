#pragma once

#include <QByteArrayView>
#include <QString>

namespace plovan::fuzz {

// Builds the PNG the input describes (see buildStructuredPng), runs it through the
// window's loading path with all of runDecodePath's checks, and then checks the outcome
// against the description: a header declaring a side over 32767 is refused with the range
// message, a loaded picture has the declared size, and a complete valid file loads with
// every pixel as its samples say, transparency laid over white. Empty when all holds.
QString checkStructuredPng(QByteArrayView input, qint64 maxPixels = 0);

} // namespace plovan::fuzz
