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
    // --threshold (auto: automaticThreshold), --reverse, and in `print` --rotate, --mirror,
    // --brightness, --contrast, --gamma, --trim, --width or --max-width, --center-on,
    // --halftone, --serpentine and --dot-gain: the one settings value of the conversion.
    ConversionSettings conversion;
    QString output;         // empty: standard output
    QString preview;        // empty: no preview picture
    QString simulate;       // empty: no simulated print; its dots are conversion.print's
    bool calibrationStrip = false; // the strip (conversion/CalibrationStrip) instead of IMAGE, its
                                   // width conversion.print.width, its halftone conversion.print's
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

// A whole number that may be negative: a minus sign or none, then decimal digits, from min
// to max ("-5", "7", "-0"; not "+7" or " 7").
std::optional<int> parseSignedWholeNumber(const QString &text, int min, int max);

// A decimal number with at most two decimals ("2", "0.5", "1.25"), in hundredths, from min to
// max hundredths; no sign, no exponent, nothing before or after.
std::optional<int> parseHundredths(const QString &text, int min, int max);

} // namespace plovan::cli
