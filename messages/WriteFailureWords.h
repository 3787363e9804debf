#pragma once

#include "platform/OutputFile.h"

#include <QString>

namespace plovan {

// Why a write failed, in the words that follow "cannot write 'NAME': " on plovan-cli's
// standard error: "it is the input file", or what the system said.
QString writeFailureWords(const WriteFailure &failure);

} // namespace plovan
