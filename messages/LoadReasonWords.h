#pragma once

#include "platform/LoadReason.h"

#include <QString>

namespace plovan {

// A reason a picture was not loaded, in the words that follow "cannot load 'NAME': " on the
// command line's standard error and in the window's message: "not a PNG or JPEG picture".
// Every kind is worded here, the preparation's WiderThanPaper too.
QString reasonWords(const LoadReason &reason);

} // namespace plovan
