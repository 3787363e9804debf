#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;

namespace plovan::cli {

// What plovan-cli says of itself: the usage of a command line it cannot run, and for --help
// its description and its options, each with its help text and default. Reading the
// command line is CliOptions.cpp's.

// "Usage: plovan-cli [--threshold N] ..." and a pointer to --help, ending in a newline.
QString usageText();

// The options besides --help and --version.
struct CliOptionSet {
    // The conversion of an IMAGE: its threshold, turning, tone, trimming, scaling, centring,
    // halftone and output.
    QCommandLineOption threshold;
    QCommandLineOption reverse;
    // The picture before it is scaled: turned, toned, trimmed.
    QCommandLineOption rotate;
    QCommandLineOption mirror;
    QCommandLineOption brightness;
    QCommandLineOption contrast;
    QCommandLineOption gamma;
    QCommandLineOption trim;
    QCommandLineOption width;
    QCommandLineOption maxWidth;
    QCommandLineOption centerOn;
    QCommandLineOption halftone;
    QCommandLineOption serpentine;
    // How the printer's dots print: for the halftones, and for --simulate also with --check.
    QCommandLineOption dotGain;
    QCommandLineOption output;
    // Both runs: the picture encoded, or read back, and that picture as it prints.
    QCommandLineOption preview;
    QCommandLineOption simulate;
    // A picture of its own instead of an IMAGE.
    QCommandLineOption calibrationStrip;
    // Reading logo data text back.
    QCommandLineOption check;
    QCommandLineOption dpi;

    // The conversion's options, which --check does not take, in the order --help lists them.
    QList<const QCommandLineOption *> conversion() const
    {
        return {&threshold, &reverse, &rotate, &mirror, &brightness, &contrast, &gamma, &trim,
                &width,     &maxWidth, &centerOn, &halftone, &serpentine, &output};
    }
};

CliOptionSet cliOptionSet();

// Sets up the parser for --help: the description, --help and --version, every option of
// `options` in the order --help lists them, and the IMAGE argument. Returns --help and
// --version, which the parser adds itself.
struct HelpOptions {
    QCommandLineOption help;
    QCommandLineOption version;
};
HelpOptions describeCommandLine(QCommandLineParser &parser, const CliOptionSet &options);

} // namespace plovan::cli
