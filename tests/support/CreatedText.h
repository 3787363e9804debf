#pragma once

#include "platform/Picture.h"

#include <QString>

namespace plovan::testsupport {

// The logo data text Create makes of a working picture, through the headless view, with a
// loaded picture of the same size beside it as the window would have.
QString logoTextOf(const PictureRef &destPix);

} // namespace plovan::testsupport
