#pragma once

#include "conversion/LogoSummary.h"
#include "conversion/PrintSettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace plovan::cli {

// What the command line asks for.
struct CliOptions {
    QString image;          // a path, or "-" for standard input
    // --threshold (auto: automaticThreshold), --reverse, and in `print` --width or
    // --max-width, --center-on and --halftone: the one settings value of the conversion.
    ConversionSettings conversion;
    QString output;         // empty: standard output
    QString preview;        // empty: no preview picture
    QString check;          // --check: logo data text to read back (a path or "-") instead of IMAGE
    int dpi = kDefaultDpi;  // --check: the printer's dots per inch, for the millimetres
};

// A command line that cannot be run: the reason, for the usage message.
struct UsageError {
    QString reason;
};

// Parses the whole argument list (program name first). --help and --version print their
// text on standard output and end the program with exit status 0.
std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments);

// A whole number as the command line spells it, decimal digits only, from min to max.
std::optional<int> parseWholeNumber(const QString &text, int min, int max);

// A threshold as the command line spells it: decimal digits only, 0-255.
std::optional<int> parseThreshold(const QString &text);

} // namespace plovan::cli
