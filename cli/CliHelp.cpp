#include "CliHelp.h"
#include "CliWords.h"

#include <QCommandLineParser>

namespace plovan::cli {

QString usageText()
{
    return CliWords::tr("Usage: plovan-cli [--threshold N|auto] [--reverse] [--rotate 90|180|270] [--mirror]\n"
                          "                  [--brightness B] [--contrast C] [--gamma G] [--trim]\n"
                          "                  [--width D | --max-width D] [--center-on P]\n"
                          "                  [--halftone KIND [--serpentine]] [--dot-gain R]\n"
                          "                  [--output FILE] [--preview OUT.png] [--simulate OUT.png] IMAGE\n"
                          "       plovan-cli --check TEXTFILE [--preview OUT.png] [--simulate OUT.png\n"
                          "                  [--dot-gain R]] [--dpi N]\n"
                          "       plovan-cli --calibration-strip [--width D] [--halftone KIND [--serpentine]]\n"
                          "                  [--output FILE] [--preview OUT.png] [--simulate OUT.png [--dot-gain R]]\n"
                          "Try 'plovan-cli --help' for more information.\n");
}

CliOptionSet cliOptionSet()
{
    return {
        QCommandLineOption(QStringLiteral("threshold"),
                           CliWords::tr("Brightness threshold, 0-255 (default 100), or auto: the one that "
                                          "best separates the picture's dark and light parts (Otsu's "
                                          "method). With a halftone, 128 is neutral: every grey is "
                                          "moved by 128 - N before it is spread."),
                           QStringLiteral("N|auto"), QStringLiteral("100")),
        QCommandLineOption(QStringLiteral("reverse"), CliWords::tr("Print the pixels lighter than the threshold instead.")),
        QCommandLineOption(QStringLiteral("rotate"),
                           CliWords::tr("Turn the picture clockwise by 90, 180 or 270 degrees (after the "
                                          "turn its camera recorded, before anything else)."),
                           QStringLiteral("DEGREES")),
        QCommandLineOption(QStringLiteral("mirror"), CliWords::tr("Mirror the picture left to right, after --rotate.")),
        QCommandLineOption(QStringLiteral("brightness"),
                           CliWords::tr("Lighten (up to 100) or darken (down to -100) every colour, in "
                                          "hundredths of the range; default 0."),
                           QStringLiteral("B")),
        QCommandLineOption(QStringLiteral("contrast"),
                           CliWords::tr("Spread the colours apart from the middle grey (up to 100: twice as "
                                          "far) or draw them together (down to -100: all middle grey); "
                                          "default 0."),
                           QStringLiteral("C")),
        QCommandLineOption(QStringLiteral("gamma"),
                           CliWords::tr("Gamma, 0.10-10.00, at most two decimals (default 1): above 1 "
                                          "lightens the middle greys, below 1 darkens them. Each colour v "
                                          "becomes 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, "
                                          "held within 0-1) ^ (1 / G), rounded."),
                           QStringLiteral("G")),
        QCommandLineOption(QStringLiteral("trim"),
                           CliWords::tr("Remove the margins: the outer rows and columns that are paper all "
                                          "along (a mean of 250 or more; with --reverse, 5 or less), after "
                                          "the tone and before the scaling. A picture that is paper "
                                          "everywhere is kept whole.")),
        QCommandLineOption(QStringLiteral("width"),
                           CliWords::tr("Scale the picture to D dots wide, 1-32767, keeping its proportions "
                                          "(each dot the average of the area it covers)."),
                           QStringLiteral("D")),
        QCommandLineOption(QStringLiteral("max-width"),
                           CliWords::tr("Scale the picture down to D dots wide, 1-32767, only when it is "
                                          "wider; never enlarges."),
                           QStringLiteral("D")),
        QCommandLineOption(QStringLiteral("center-on"),
                           CliWords::tr("Centre the picture on paper P dots wide, 1-32767, with white on "
                                          "either side; a picture wider than P is an error."),
                           QStringLiteral("P")),
        QCommandLineOption(QStringLiteral("halftone"),
                           CliWords::tr("none (default: the threshold alone, for line-art logos and text); "
                                          "for photos and gradients the error diffusions floyd-steinberg, "
                                          "atkinson (lighter, cleaner highlights), jarvis, stucki and sierra "
                                          "(smoother, wider), or the screens ordered (8x8 Bayer), "
                                          "blue-noise (no pattern) and clustered (dots grown in clusters, "
                                          "about 50 lines per inch at 203 dpi, for heads that lose single "
                                          "dots)."),
                           QStringLiteral("KIND"), QStringLiteral("none")),
        QCommandLineOption(QStringLiteral("serpentine"),
                           CliWords::tr("With an error diffusion: run every other row right to left, "
                                          "which breaks up its diagonal worms.")),
        QCommandLineOption(QStringLiteral("dot-gain"),
                           CliWords::tr("How large the printer's dots print: round dots of R x the "
                                          "diagonal of their square cell, 1.00-1.41, at most two decimals "
                                          "(thermal heads lie between about 1.0 and 1.4). The halftones "
                                          "allow for the overlap, so that a grey prints at its own tone: "
                                          "the error diffusions weigh each dot by what it prints, the "
                                          "screens go through a tone curve. Without it the dots are taken "
                                          "to be their square cells. With --check, for --simulate only."),
                           QStringLiteral("R")),
        QCommandLineOption(QStringLiteral("output"),
                           CliWords::tr("Write the text to FILE (replaced whole, or left untouched on failure)."),
                           QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("preview"),
                           CliWords::tr("Also write the black-and-white picture that is encoded (scaled, "
                                          "centred and halftoned) as a PNG file."),
                           QStringLiteral("OUT.png")),
        QCommandLineOption(QStringLiteral("simulate"),
                           CliWords::tr("Also write the picture as it will print, as a PNG file: 8 x 8 "
                                          "pixels a dot, each black dot a disc of 8 x 1.41 x R pixels "
                                          "across for --dot-gain R (the square cells without it), black "
                                          "on white. At most 4095 dots a side."),
                           QStringLiteral("OUT.png")),
        QCommandLineOption(QStringLiteral("calibration-strip"),
                           CliWords::tr("Instead of an IMAGE, make a strip to print once: a row for each "
                                          "dot gain 1.0, 1.1, 1.2, 1.3 and 1.4, labelled, a mid grey patch "
                                          "halftoned for it beside a coarse 50 % checkerboard. The row "
                                          "whose patch looks as dark as its checkerboard is the printer's "
                                          "--dot-gain. As wide as --width (default 384, at least 128), "
                                          "through --halftone (floyd-steinberg for none), written as logo "
                                          "data text like a picture.")),
        QCommandLineOption(QStringLiteral("check"),
                           CliWords::tr("Read back logo data text from TEXTFILE (- for standard input) "
                                          "instead of converting an IMAGE."),
                           QStringLiteral("TEXTFILE")),
        QCommandLineOption(QStringLiteral("dpi"),
                           CliWords::tr("With --check: the printer's dots per inch, 1-2400 (default 203)."),
                           QStringLiteral("N"), QStringLiteral("203")),
    };
}

HelpOptions describeCommandLine(QCommandLineParser &parser, const CliOptionSet &options)
{
    parser.setApplicationDescription(CliWords::tr(
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
        "The steps run in the order: decode (with the camera's turn), --rotate, --mirror,\n"
        "--brightness, --contrast and --gamma, --trim, --width or --max-width, --center-on,\n"
        "then the threshold or halftone.\n"
        "\n"
        "With --check, reads logo data text back instead: when it is valid, prints its size\n"
        "as \"576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi\" (and\n"
        "--preview writes its picture); when not, says on standard error at which line and\n"
        "column and why, and exits with status 1."));
    HelpOptions help{parser.addHelpOption(), parser.addVersionOption()};
    for (const QCommandLineOption *option : options.conversion())
        parser.addOption(*option);
    parser.addOptions({options.dotGain, options.preview, options.simulate, options.calibrationStrip, options.check,
                       options.dpi});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), CliWords::tr("The PNG or JPEG picture, or - for standard input."));
    return help;
}

} // namespace plovan::cli
