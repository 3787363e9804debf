#pragma once

#include <QCoreApplication>

namespace plovan::cli {

// The words plovan-cli says itself - its usage and --help, its complaints about a command
// line, the start of its one-line errors - translatable under one context, "PlovanCli".
// The reasons inside those lines come from messages/, as the window's do. Option names,
// value names ("FILE") and defaults are never translated.
struct CliWords {
    Q_DECLARE_TR_FUNCTIONS(PlovanCli)
};

// Two lines of --help that QCommandLineParser writes itself and that Qt's own French and
// Spanish catalogues lack. Named here, they are in Plovan's catalogues too, which are asked
// before Qt's.
inline constexpr const char *kQtHelpTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
};

} // namespace plovan::cli
