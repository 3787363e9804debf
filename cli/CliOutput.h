#pragma once

#include "platform/Picture.h"

#include <QString>

namespace plovan::cli {

// "plovan-cli: LINE" and a line break on standard error: the tool's one line on failure.
void printError(const QString &line);

// Where an output goes, and the input it must not replace ("-" for standard input).
struct OutputTarget {
    QString path;  // empty: standard output
    QString input;
};

// The picture as a PNG file, replaced whole or not at all (or written straight into a
// named pipe or a device). On failure, false and the one line said. What the encoder prints
// itself (libpng's "libpng error: Write Error") is kept off standard error. Throws
// std::bad_alloc when the encoder ran out of memory, with nothing written.
bool writePreview(const Picture &picture, const OutputTarget &target);

// The picture `dots` as it prints (simulatePrint, with the dot gain in hundredths, 0 for
// square cells), written as writePreview writes. On failure, false and the one line said.
// Throws std::bad_alloc.
bool writeSimulation(const Picture &dots, int dotGainHundredths, const OutputTarget &target);

// The text as UTF-8 to the file or to standard output; on failure, false and the one line
// said: "cannot write 'NAME': REASON", "standard output" for NAME when it has no path.
bool writeText(const QString &text, const OutputTarget &target);

} // namespace plovan::cli
