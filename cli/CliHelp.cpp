#include "CliHelp.h"

#include <QCommandLineParser>

namespace plovan::cli {

QString usageText()
{
    return QStringLiteral("Usage: plovan-cli [--threshold N|auto] [--reverse] [--width D | --max-width D]\n"
                          "                  [--center-on P] [--halftone none|floyd-steinberg|atkinson|ordered]\n"
                          "                  [--output FILE] [--preview OUT.png] IMAGE\n"
                          "       plovan-cli --check TEXTFILE [--preview OUT.png] [--dpi N]\n"
                          "Try 'plovan-cli --help' for more information.\n");
}

CliOptionSet cliOptionSet()
{
    return {
        QCommandLineOption(QStringLiteral("threshold"),
                           QStringLiteral("Brightness threshold, 0-255 (default 100), or auto: the one that "
                                          "best separates the picture's dark and light parts (Otsu's "
                                          "method). With a halftone, 128 is neutral: every grey is "
                                          "moved by 128 - N before it is spread."),
                           QStringLiteral("N|auto"), QStringLiteral("100")),
        QCommandLineOption(QStringLiteral("reverse"), QStringLiteral("Print the pixels lighter than the threshold instead.")),
        QCommandLineOption(QStringLiteral("width"),
                           QStringLiteral("Scale the picture to D dots wide, 1-32767, keeping its proportions "
                                          "(each dot the average of the area it covers)."),
                           QStringLiteral("D")),
        QCommandLineOption(QStringLiteral("max-width"),
                           QStringLiteral("Scale the picture down to D dots wide, 1-32767, only when it is "
                                          "wider; never enlarges."),
                           QStringLiteral("D")),
        QCommandLineOption(QStringLiteral("center-on"),
                           QStringLiteral("Centre the picture on paper P dots wide, 1-32767, with white on "
                                          "either side; a picture wider than P is an error."),
                           QStringLiteral("P")),
        QCommandLineOption(QStringLiteral("halftone"),
                           QStringLiteral("none (default: the threshold alone, for line-art logos), "
                                          "floyd-steinberg, atkinson or ordered (8x8 Bayer), for photos "
                                          "and gradients."),
                           QStringLiteral("KIND"), QStringLiteral("none")),
        QCommandLineOption(QStringLiteral("output"),
                           QStringLiteral("Write the text to FILE (replaced whole, or left untouched on failure)."),
                           QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("preview"),
                           QStringLiteral("Also write the black-and-white picture that is encoded (scaled, "
                                          "centred and halftoned) as a PNG file."),
                           QStringLiteral("OUT.png")),
        QCommandLineOption(QStringLiteral("check"),
                           QStringLiteral("Read back logo data text from TEXTFILE (- for standard input) "
                                          "instead of converting an IMAGE."),
                           QStringLiteral("TEXTFILE")),
        QCommandLineOption(QStringLiteral("dpi"),
                           QStringLiteral("With --check: the printer's dots per inch, 1-2400 (default 203)."),
                           QStringLiteral("N"), QStringLiteral("203")),
    };
}

HelpOptions describeCommandLine(QCommandLineParser &parser, const CliOptionSet &options)
{
    parser.setApplicationDescription(QStringLiteral(
        "Turns a PNG or JPEG logo into logo data text for a receipt printer: a pixel prints\n"
        "when the mean of its red, green and blue is below the threshold (above it with\n"
        "--reverse). The text goes to standard output unless --output names a file.\n"
        "\n"
        "For a photo or a big picture: --max-width scales it down to the printer's width\n"
        "(384 dots on 58 mm paper, 576 on 80 mm, 832 on 112 mm), --center-on pads it to the\n"
        "paper, and --halftone spreads its greys over black dots instead of cutting them at\n"
        "one threshold. An 80 mm receipt logo from a photo:\n"
        "  plovan-cli --max-width 576 --halftone floyd-steinberg photo.jpg\n"
        "\n"
        "With --check, reads logo data text back instead: when it is valid, prints its size\n"
        "as \"576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi\" (and\n"
        "--preview writes its picture); when not, says on standard error at which line and\n"
        "column and why, and exits with status 1."));
    HelpOptions help{parser.addHelpOption(), parser.addVersionOption()};
    for (const QCommandLineOption *option : options.conversion())
        parser.addOption(*option);
    parser.addOptions({options.preview, options.check, options.dpi});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The PNG or JPEG picture, or - for standard input."));
    return help;
}

} // namespace plovan::cli
