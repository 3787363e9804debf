#pragma once

#include "conversion/ConversionState.h"
#include "support/WindowRecorder.h"

#include <QString>

namespace plovan::fuzz {

// Deliberately naive forms of the conversion and the logo data text, written straight
// from the rules with one pixel call per pixel, floating-point division and string
// appends: slow, but with nothing clever in them to share a mistake with the real code.
namespace reference {

// Black or white for one colour: the floored mean of red, green and blue against the
// threshold; a mean equal to the threshold is white in both modes.
Colour converted(Colour colour, int threshold, bool reverse);

// The logo data text of a working picture of the given size.
QString logoText(const Picture &destPix, int width, int height);

} // namespace reference

// Runs redraw and then Create on the window, as the buttons do, and checks every pixel,
// every progress text, the backdrop, the text after each band and the final text against
// the reference; then both again, which must change nothing. Empty when all of it holds,
// otherwise what did not.
QString checkRedrawAndCreate(const ConversionState &state, testsupport::WindowRecorder &window);

} // namespace plovan::fuzz
