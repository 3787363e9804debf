#pragma once

#include "platform/LoadReason.h"

#include <QString>

namespace plovan::cli {

// A reason a picture was not loaded, in the words of the tool's one line on standard
// error, after "cannot load 'NAME': ": "not a PNG or JPEG picture".
QString reasonWords(const LoadReason &reason);

} // namespace plovan::cli
