#include "CliOptions.h"
#include "CliWords.h"

#include "CliHelp.h"
#include "conversion/CalibrationStrip.h"
#include "conversion/DotModel.h"
#include "conversion/HalftoneNames.h"
#include "conversion/LogoSummary.h"
#include "platform/Picture.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>
#include <utility>

namespace plovan::cli {

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

std::optional<int> parseSignedWholeNumber(const QString &text, int min, int max)
{
    if (!text.startsWith(QLatin1Char('-')))
        return max < 0 ? std::nullopt : parseWholeNumber(text, std::max(min, 0), max);
    if (min > 0)
        return std::nullopt;
    const std::optional<int> magnitude = parseWholeNumber(text.mid(1), max < 0 ? -max : 0, -min);
    if (!magnitude)
        return std::nullopt;
    return -*magnitude;
}

std::optional<int> parseHundredths(const QString &text, int min, int max)
{
    // Whole units, then optionally a point and one or two decimals: "2", "0.5", "10.00".
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString decimals = point < 0 ? QString() : text.mid(point + 1);
    if (point >= 0 && (decimals.isEmpty() || decimals.size() > 2))
        return std::nullopt;
    const std::optional<int> units = parseWholeNumber(whole, 0, max / 100);
    const std::optional<int> fraction = decimals.isEmpty() ? 0 : parseWholeNumber(decimals, 0, 99);
    if (!units || !fraction)
        return std::nullopt;
    const int value = *units * 100 + *fraction * (decimals.size() == 1 ? 10 : 1);
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

namespace {

// "a, b or c": the names of the halftones that `which` takes, in the table's order.
QString halftoneList(bool (*which)(Halftone))
{
    QStringList names;
    for (const HalftoneName &entry : kHalftoneNames) {
        if (which(entry.halftone))
            names.append(QString(entry.name));
    }
    const QString last = names.takeLast();
    return names.isEmpty() ? last : CliWords::tr("%1 or %2").arg(names.join(QLatin1String(", ")), last);
}

// The picture's turn from --rotate's degrees: 90, 180 or 270, as written.
std::optional<int> quarterTurns(const QString &degrees)
{
    for (int turns = 1; turns <= 3; ++turns) {
        if (degrees == QString::number(90 * turns))
            return turns;
    }
    return std::nullopt;
}

// --halftone and --serpentine into `settings`.
std::optional<UsageError> readHalftone(const QCommandLineParser &parser, const CliOptionSet &known, PrintSettings &settings)
{
    const std::optional<Halftone> kind = halftoneNamed(parser.value(known.halftone));
    if (!kind)
        return UsageError{CliWords::tr("the halftone must be %1, not '%2'")
                              .arg(halftoneList([](Halftone) { return true; }), parser.value(known.halftone))};
    settings.halftone = *kind;
    if (parser.isSet(known.serpentine)) {
        if (!isErrorDiffusion(*kind))
            return UsageError{CliWords::tr("--serpentine goes with an error diffusion (%1), not with the halftone '%2'")
                                  .arg(halftoneList(isErrorDiffusion), QString(halftoneName(*kind)))};
        settings.serpentine = true;
    }
    return std::nullopt;
}

// --dot-gain's R in hundredths into `settings`, when it is given.
std::optional<UsageError> readDotGain(const QCommandLineParser &parser, const CliOptionSet &known, PrintSettings &settings)
{
    if (!parser.isSet(known.dotGain))
        return std::nullopt;
    const std::optional<int> value = parseHundredths(parser.value(known.dotGain), kMinDotGain, kMaxDotGain);
    if (!value)
        return UsageError{CliWords::tr("--dot-gain must be a number from 1.00 to 1.41 with at most two decimals, not '%1'")
                              .arg(parser.value(known.dotGain))};
    settings.dotGainHundredths = *value;
    return std::nullopt;
}

// --preview and --simulate, each needing a file name when it is given.
std::optional<UsageError> readPictureOutputs(const QCommandLineParser &parser, const CliOptionSet &known, CliOptions &options)
{
    for (const auto &[option, field] : {std::pair{&known.preview, &CliOptions::preview}, std::pair{&known.simulate, &CliOptions::simulate}}) {
        options.*field = parser.value(*option);
        if (parser.isSet(*option) && (options.*field).isEmpty())
            return UsageError{CliWords::tr("--%1 needs a file name").arg(option->names().first())};
    }
    return std::nullopt;
}

// The command line of --check: the text file, --preview, --simulate (with --dot-gain) and
// --dpi, and nothing of the conversion.
std::variant<CliOptions, UsageError> checkArguments(const QCommandLineParser &parser, const CliOptionSet &known)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError{CliWords::tr("--check reads a text, not an IMAGE ('%1')").arg(parser.positionalArguments().first())};
    for (const QCommandLineOption *option : known.conversion()) {
        if (parser.isSet(*option))
            return UsageError{CliWords::tr("--%1 does not go with --check").arg(option->names().first())};
    }
    CliOptions options;
    options.check = parser.value(known.check);
    if (options.check.isEmpty())
        return UsageError{CliWords::tr("--check needs a file name")};
    const std::optional<int> value = parseWholeNumber(parser.value(known.dpi), kMinDpi, kMaxDpi);
    if (!value)
        return UsageError{CliWords::tr("the dpi must be a whole number from %1 to %2, not '%3'")
                              .arg(QString::number(kMinDpi), QString::number(kMaxDpi), parser.value(known.dpi))};
    options.dpi = *value;
    if (const std::optional<UsageError> error = readPictureOutputs(parser, known, options))
        return *error;
    // The text's dots are already decided; R only says how they print.
    if (parser.isSet(known.dotGain) && !parser.isSet(known.simulate))
        return UsageError{CliWords::tr("--dot-gain goes with --check only for --simulate")};
    if (const std::optional<UsageError> error = readDotGain(parser, known, options.conversion.print))
        return *error;
    return options;
}

// The command line of --calibration-strip: its width, halftone and outputs; the picture is
// its own, so nothing that shapes or thresholds one.
std::variant<CliOptions, UsageError> stripArguments(const QCommandLineParser &parser, const CliOptionSet &known)
{
    if (!parser.positionalArguments().isEmpty())
        return UsageError{CliWords::tr("--calibration-strip makes its own picture, not one of an IMAGE ('%1')")
                              .arg(parser.positionalArguments().first())};
    for (const QCommandLineOption *option : {&known.threshold, &known.reverse, &known.rotate, &known.mirror, &known.brightness,
                                             &known.contrast, &known.gamma, &known.trim, &known.maxWidth, &known.centerOn,
                                             &known.dpi}) {
        if (parser.isSet(*option))
            return UsageError{CliWords::tr("--%1 does not go with --calibration-strip").arg(option->names().first())};
    }
    CliOptions options;
    options.calibrationStrip = true;
    PrintSettings &print = options.conversion.print;
    print.width = kDefaultCalibrationStripWidth;
    if (parser.isSet(known.width)) {
        const std::optional<int> value = parseWholeNumber(parser.value(known.width), kMinCalibrationStripWidth, Picture::kMaxSide);
        if (!value)
            return UsageError{CliWords::tr("--width must be a whole number of dots from %1 to %2 for the calibration "
                                             "strip, not '%3'")
                                  .arg(QString::number(kMinCalibrationStripWidth), QString::number(Picture::kMaxSide),
                                       parser.value(known.width))};
        print.width = *value;
    }
    if (const std::optional<UsageError> error = readHalftone(parser, known, print))
        return *error;
    // The strip's rows are made for their own R; --dot-gain says only how it prints.
    if (parser.isSet(known.dotGain) && !parser.isSet(known.simulate))
        return UsageError{CliWords::tr("--dot-gain goes with --calibration-strip only for --simulate")};
    if (const std::optional<UsageError> error = readDotGain(parser, known, print))
        return *error;
    options.output = parser.value(known.output);
    if (parser.isSet(known.output) && options.output.isEmpty())
        return UsageError{CliWords::tr("--output needs a file name")};
    if (const std::optional<UsageError> error = readPictureOutputs(parser, known, options))
        return *error;
    return options;
}

} // namespace

std::variant<CliOptions, UsageError> parseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    const CliOptionSet known = cliOptionSet();
    const HelpOptions help = describeCommandLine(parser, known);

    if (!parser.parse(arguments))
        return UsageError{parser.errorText()};
    // addHelpOption() also adds --help-all (help with Qt's own options, which this tool
    // does not take); both print on standard output and exit.
    if (parser.isSet(help.help) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(help.version))
        parser.showVersion();

    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(known.check) && parser.isSet(known.calibrationStrip))
        return UsageError{CliWords::tr("--calibration-strip does not go with --check")};
    if (parser.isSet(known.check))
        return checkArguments(parser, known);
    if (parser.isSet(known.calibrationStrip))
        return stripArguments(parser, known);
    if (parser.isSet(known.dpi))
        return UsageError{CliWords::tr("--dpi goes with --check only")};
    if (positional.isEmpty())
        return UsageError{CliWords::tr("no IMAGE given")};
    if (positional.size() > 1)
        return UsageError{CliWords::tr("only one IMAGE, not %1").arg(positional.size())};

    CliOptions options;
    options.image = positional.first();
    if (parser.value(known.threshold) == QLatin1String("auto")) {
        options.conversion.automaticThreshold = true;
    } else {
        const std::optional<int> value = parseThreshold(parser.value(known.threshold));
        if (!value)
            return UsageError{CliWords::tr("the threshold must be a whole number from 0 to 255 or auto, not '%1'")
                                  .arg(parser.value(known.threshold))};
        options.conversion.threshold = *value;
    }
    options.conversion.reverse = parser.isSet(known.reverse);

    // Dots: a width or a paper width, 1-32767 like every side of a picture.
    auto dots = [&parser](const QCommandLineOption &option) -> std::variant<int, UsageError> {
        const QString name = option.names().first();
        const std::optional<int> value = parseWholeNumber(parser.value(option), 1, Picture::kMaxSide);
        if (!value)
            return UsageError{CliWords::tr("--%1 must be a whole number of dots from 1 to %2, not '%3'")
                                  .arg(name, QString::number(Picture::kMaxSide), parser.value(option))};
        return *value;
    };
    if (parser.isSet(known.width) && parser.isSet(known.maxWidth))
        return UsageError{CliWords::tr("--width and --max-width do not go together")};
    for (const auto &[option, fit] : {std::pair{&known.width, Fit::Width}, std::pair{&known.maxWidth, Fit::MaxWidth}}) {
        if (!parser.isSet(*option))
            continue;
        const std::variant<int, UsageError> value = dots(*option);
        if (const auto *error = std::get_if<UsageError>(&value))
            return *error;
        options.conversion.print.fit = fit;
        options.conversion.print.width = std::get<int>(value);
    }
    if (parser.isSet(known.centerOn)) {
        const std::variant<int, UsageError> value = dots(known.centerOn);
        if (const auto *error = std::get_if<UsageError>(&value))
            return *error;
        options.conversion.print.paperWidth = std::get<int>(value);
    }
    if (const std::optional<UsageError> error = readHalftone(parser, known, options.conversion.print))
        return *error;

    // The picture's turn and tone, and its margins.
    if (parser.isSet(known.rotate)) {
        const std::optional<int> turns = quarterTurns(parser.value(known.rotate));
        if (!turns)
            return UsageError{CliWords::tr("--rotate must be 90, 180 or 270 (degrees clockwise), not '%1'")
                                  .arg(parser.value(known.rotate))};
        options.conversion.print.orientation.quarterTurns = *turns;
    }
    options.conversion.print.orientation.mirror = parser.isSet(known.mirror);
    for (const auto &[option, field] : {std::pair{&known.brightness, &Tone::brightness}, std::pair{&known.contrast, &Tone::contrast}}) {
        if (!parser.isSet(*option))
            continue;
        const std::optional<int> value = parseSignedWholeNumber(parser.value(*option), -100, 100);
        if (!value)
            return UsageError{CliWords::tr("--%1 must be a whole number from -100 to 100, not '%2'")
                                  .arg(option->names().first(), parser.value(*option))};
        options.conversion.print.tone.*field = *value;
    }
    if (parser.isSet(known.gamma)) {
        const std::optional<int> value = parseHundredths(parser.value(known.gamma), 10, 1000);
        if (!value)
            return UsageError{CliWords::tr("--gamma must be a number from 0.10 to 10.00 with at most two decimals, not '%1'")
                                  .arg(parser.value(known.gamma))};
        options.conversion.print.tone.gammaHundredths = *value;
    }
    if (parser.isSet(known.trim))
        options.conversion.print.trim = options.conversion.reverse ? Trim::Dark : Trim::Light;
    if (const std::optional<UsageError> error = readDotGain(parser, known, options.conversion.print))
        return *error;
    options.output = parser.value(known.output);
    if (parser.isSet(known.output) && options.output.isEmpty())
        return UsageError{CliWords::tr("--output needs a file name")};
    if (const std::optional<UsageError> error = readPictureOutputs(parser, known, options))
        return *error;
    return options;
}

} // namespace plovan::cli
