#pragma once

#include "import/LogoTextFile.h"

#include <QString>

namespace plovan {

// Why logo data text could not be read, in the words that follow "cannot read 'NAME': " on
// plovan-cli's standard error: "the file is larger than any logo data text".
QString readFailureWords(const LogoTextReadError &error);

// The window's message for a text that File > Open Logo Data Text could not read: "Cannot
// open 'NAME': REASON". The file system's words are the ones it gives when a file is opened
// unchecked ("No such file or directory"); memory that runs out is told as everywhere else
// in the window.
QString openFailureWords(const QString &name, const LogoTextReadError &error);

} // namespace plovan
