#include "CliOptions.h"

#include "conversion/LogoSummary.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace plovan::cli {

QString usageText()
{
    return QStringLiteral("Usage: plovan-cli [--threshold N] [--reverse] [--output FILE] [--preview OUT.png] IMAGE\n"
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

namespace {

// The command line of --check: the text file, --preview and --dpi, and nothing of the
// conversion.
std::variant<CliOptions, UsageError> checkArguments(const QCommandLineParser &parser, const QCommandLineOption &check,
                                                    const QCommandLineOption &dpi, const QCommandLineOption &preview)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("--check reads a text, not an IMAGE ('%1')").arg(parser.positionalArguments().first())};
    for (const QString &option : {QStringLiteral("threshold"), QStringLiteral("reverse"), QStringLiteral("output")}) {
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
        "With --check, reads logo data text back instead: when it is valid, prints its size\n"
        "as \"576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi\" (and\n"
        "--preview writes its picture); when not, says on standard error at which line and\n"
        "column and why, and exits with status 1."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption threshold(QStringLiteral("threshold"),
                                       QStringLiteral("Brightness threshold, 0-255 (default 100)."), QStringLiteral("N"),
                                       QStringLiteral("100"));
    const QCommandLineOption reverse(QStringLiteral("reverse"),
                                     QStringLiteral("Print the pixels lighter than the threshold instead."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Write the text to FILE (replaced whole, or left untouched on failure)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Also write the black-and-white picture as a PNG file."),
                                     QStringLiteral("OUT.png"));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Read back logo data text from TEXTFILE (- for standard input) "
                                                  "instead of converting an IMAGE."),
                                   QStringLiteral("TEXTFILE"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("With --check: the printer's dots per inch, 1-2400 (default 203)."),
                                 QStringLiteral("N"), QStringLiteral("203"));
    parser.addOptions({threshold, reverse, output, preview, check, dpi});
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
    const std::optional<int> value = parseThreshold(parser.value(threshold));
    if (!value)
        return UsageError{QStringLiteral("the threshold must be a whole number from 0 to 255, not '%1'")
                              .arg(parser.value(threshold))};
    options.threshold = *value;
    options.reverse = parser.isSet(reverse);
    options.output = parser.value(output);
    options.preview = parser.value(preview);
    if (parser.isSet(output) && options.output.isEmpty())
        return UsageError{QStringLiteral("--output needs a file name")};
    if (parser.isSet(preview) && options.preview.isEmpty())
        return UsageError{QStringLiteral("--preview needs a file name")};
    return options;
}

} // namespace plovan::cli
