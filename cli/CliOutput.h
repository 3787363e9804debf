#pragma once

#include "platform/Picture.h"

#include <QString>

namespace plovan::cli {

// "plovan-cli: LINE" and a line break on standard error: the tool's one line on failure.
void printError(const QString &line);

// A picture as a PNG file, replaced whole or not at all; on failure, why. Throws
// std::bad_alloc when the encoder ran out of memory.
bool writePreview(const Picture &picture, const QString &path, QString &reason);

} // namespace plovan::cli
