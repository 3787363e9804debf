#include "CliOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace plovan::cli {

QString usageText()
{
    return QStringLiteral("Usage: plovan-cli [--threshold N] [--reverse] [--output FILE] [--preview OUT.png] IMAGE\n"
                          "Try 'plovan-cli --help' for more information.\n");
}

std::optional<int> parseThreshold(const QString &text)
{
    // QString::toInt would also take "+7", " 7" and "0x7"; the window's slider gives
    // plain numbers, so the command line takes plain numbers too.
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value > 255)
        return std::nullopt;
    return value;
}

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Turns a PNG or JPEG logo into logo data text for a receipt printer: a pixel prints\n"
        "when the mean of its red, green and blue is below the threshold (above it with\n"
        "--reverse). The text goes to standard output unless --output names a file."));
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
    parser.addOptions({threshold, reverse, output, preview});
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
