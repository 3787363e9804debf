#include "CliOptions.h"

#include "conversion/LogoSummary.h"
#include "platform/Picture.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <utility>

namespace plovan::cli {

QString usageText()
{
    return QStringLiteral("Usage: plovan-cli [--threshold N|auto] [--reverse] [--width D | --max-width D]\n"
                          "                  [--center-on P] [--halftone none|floyd-steinberg|atkinson|ordered]\n"
                          "                  [--output FILE] [--preview OUT.png] IMAGE\n"
                          "       plovan-cli --check TEXTFILE [--preview OUT.png] [--dpi N]\n"
                          "Try 'plovan-cli --help' for more information.\n");
}

std::optional<int> parseWholeNumber(const QString &text, int min, int max)
{
    // QString::toInt would also take "+7", " 7" and "0x7"; the window's slider gives
    // plain numbers, so the command line takes plain numbers too. Leading zeros are
    // fine, but no more digits than the largest value has.
    if (text.isEmpty() || text.size() > QString::number(max).size())
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<int> parseThreshold(const QString &text)
{
    return parseWholeNumber(text, 0, 255);
}

std::optional<Halftone> parseHalftone(const QString &text)
{
    static const std::pair<QLatin1StringView, Halftone> kNames[] = {
        {QLatin1StringView("none"), Halftone::None},
        {QLatin1StringView("floyd-steinberg"), Halftone::FloydSteinberg},
        {QLatin1StringView("atkinson"), Halftone::Atkinson},
        {QLatin1StringView("ordered"), Halftone::Ordered},
    };
    for (const auto &[name, halftone] : kNames) {
        if (text == name)
            return halftone;
    }
    return std::nullopt;
}

namespace {

// The command line of --check: the text file, --preview and --dpi, and nothing of the
// conversion.
std::variant<CliOptions, UsageError> checkArguments(const QCommandLineParser &parser, const QCommandLineOption &check,
                                                    const QCommandLineOption &dpi, const QCommandLineOption &preview)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("--check reads a text, not an IMAGE ('%1')").arg(parser.positionalArguments().first())};
    for (const QString &option : {QStringLiteral("threshold"), QStringLiteral("reverse"), QStringLiteral("output"),
                                  QStringLiteral("width"), QStringLiteral("max-width"), QStringLiteral("center-on"),
                                  QStringLiteral("halftone")}) {
        if (parser.isSet(option))
            return UsageError{QStringLiteral("--%1 does not go with --check").arg(option)};
    }
    CliOptions options;
    options.check = parser.value(check);
    if (options.check.isEmpty())
        return UsageError{QStringLiteral("--check needs a file name")};
    const std::optional<int> value = parseWholeNumber(parser.value(dpi), kMinDpi, kMaxDpi);
    if (!value)
        return UsageError{QStringLiteral("the dpi must be a whole number from %1 to %2, not '%3'")
                              .arg(QString::number(kMinDpi), QString::number(kMaxDpi), parser.value(dpi))};
    options.dpi = *value;
    options.preview = parser.value(preview);
    if (parser.isSet(preview) && options.preview.isEmpty())
        return UsageError{QStringLiteral("--preview needs a file name")};
    return options;
}

} // namespace

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
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
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption threshold(QStringLiteral("threshold"),
                                       QStringLiteral("Brightness threshold, 0-255 (default 100), or auto: the one that "
                                                      "best separates the picture's dark and light parts (Otsu's "
                                                      "method). With a halftone, 128 is neutral: every grey is "
                                                      "moved by 128 - N before it is spread."),
                                       QStringLiteral("N|auto"), QStringLiteral("100"));
    const QCommandLineOption reverse(QStringLiteral("reverse"),
                                     QStringLiteral("Print the pixels lighter than the threshold instead."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Write the text to FILE (replaced whole, or left untouched on failure)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Also write the black-and-white picture that is encoded (scaled, "
                                                    "centred and halftoned) as a PNG file."),
                                     QStringLiteral("OUT.png"));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Read back logo data text from TEXTFILE (- for standard input) "
                                                  "instead of converting an IMAGE."),
                                   QStringLiteral("TEXTFILE"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("With --check: the printer's dots per inch, 1-2400 (default 203)."),
                                 QStringLiteral("N"), QStringLiteral("203"));
    const QCommandLineOption width(QStringLiteral("width"),
                                   QStringLiteral("Scale the picture to D dots wide, 1-32767, keeping its proportions "
                                                  "(each dot the average of the area it covers)."),
                                   QStringLiteral("D"));
    const QCommandLineOption maxWidth(QStringLiteral("max-width"),
                                      QStringLiteral("Scale the picture down to D dots wide, 1-32767, only when it is "
                                                     "wider; never enlarges."),
                                      QStringLiteral("D"));
    const QCommandLineOption centerOn(QStringLiteral("center-on"),
                                      QStringLiteral("Centre the picture on paper P dots wide, 1-32767, with white on "
                                                     "either side; a picture wider than P is an error."),
                                      QStringLiteral("P"));
    const QCommandLineOption halftone(QStringLiteral("halftone"),
                                      QStringLiteral("none (default: the threshold alone, for line-art logos), "
                                                     "floyd-steinberg, atkinson or ordered (8x8 Bayer), for photos "
                                                     "and gradients."),
                                      QStringLiteral("KIND"), QStringLiteral("none"));
    parser.addOptions({threshold, reverse, width, maxWidth, centerOn, halftone, output, preview, check, dpi});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("The PNG or JPEG picture, or - for standard input."));

    if (!parser.parse(arguments))
        return UsageError{parser.errorText()};
    // addHelpOption() also adds --help-all (help with Qt's own options, which this tool
    // does not take); both print on standard output and exit.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();

    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(check))
        return checkArguments(parser, check, dpi, preview);
    if (parser.isSet(dpi))
        return UsageError{QStringLiteral("--dpi goes with --check only")};
    if (positional.isEmpty())
        return UsageError{QStringLiteral("no IMAGE given")};
    if (positional.size() > 1)
        return UsageError{QStringLiteral("only one IMAGE, not %1").arg(positional.size())};

    CliOptions options;
    options.image = positional.first();
    if (parser.value(threshold) == QLatin1String("auto")) {
        options.automaticThreshold = true;
    } else {
        const std::optional<int> value = parseThreshold(parser.value(threshold));
        if (!value)
            return UsageError{QStringLiteral("the threshold must be a whole number from 0 to 255 or auto, not '%1'")
                                  .arg(parser.value(threshold))};
        options.threshold = *value;
    }
    options.reverse = parser.isSet(reverse);

    // Dots: a width or a paper width, 1-32767 like every side of a picture.
    auto dots = [&parser](const QCommandLineOption &option) -> std::variant<int, UsageError> {
        const QString name = option.names().first();
        const std::optional<int> value = parseWholeNumber(parser.value(option), 1, Picture::kMaxSide);
        if (!value)
            return UsageError{QStringLiteral("--%1 must be a whole number of dots from 1 to %2, not '%3'")
                                  .arg(name, QString::number(Picture::kMaxSide), parser.value(option))};
        return *value;
    };
    if (parser.isSet(width) && parser.isSet(maxWidth))
        return UsageError{QStringLiteral("--width and --max-width do not go together")};
    for (const auto &[option, fit] : {std::pair{&width, Fit::Width}, std::pair{&maxWidth, Fit::MaxWidth}}) {
        if (!parser.isSet(*option))
            continue;
        const std::variant<int, UsageError> value = dots(*option);
        if (const auto *error = std::get_if<UsageError>(&value))
            return *error;
        options.print.fit = fit;
        options.print.width = std::get<int>(value);
    }
    if (parser.isSet(centerOn)) {
        const std::variant<int, UsageError> value = dots(centerOn);
        if (const auto *error = std::get_if<UsageError>(&value))
            return *error;
        options.print.paperWidth = std::get<int>(value);
    }
    const std::optional<Halftone> kind = parseHalftone(parser.value(halftone));
    if (!kind)
        return UsageError{QStringLiteral("the halftone must be none, floyd-steinberg, atkinson or ordered, not '%1'")
                              .arg(parser.value(halftone))};
    options.print.halftone = *kind;
    options.output = parser.value(output);
    options.preview = parser.value(preview);
    if (parser.isSet(output) && options.output.isEmpty())
        return UsageError{QStringLiteral("--output needs a file name")};
    if (parser.isSet(preview) && options.preview.isEmpty())
        return UsageError{QStringLiteral("--preview needs a file name")};
    return options;
}

} // namespace plovan::cli
