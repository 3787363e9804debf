#include "ui/ImageChoices.h"

#include "conversion/DotModel.h"
#include "conversion/HalftoneNames.h"
#include "platform/Picture.h"

#include <QSettings>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace plovan {
namespace {

// The group and keys in the settings file; the halftone is kept by name, as plovan-cli's
// --halftone takes it, so that a file edited by hand reads the same.
constexpr char kGroup[] = "Image";
constexpr char kPrinterWidth[] = "printerWidth";
constexpr char kCentre[] = "centreOnPaper";
constexpr char kHalftone[] = "halftone";
constexpr char kSerpentine[] = "serpentine";
constexpr char kTrim[] = "trimMargins";
constexpr char kDotGain[] = "dotGain";
constexpr char kSquareDots[] = "square";

// A remembered value is taken only as remember() writes it: a whole number as decimal digits
// (or, within this run, the int itself), a flag as "true" or "false" (or the bool). QVariant's
// own conversions take far more: toInt() narrows 4294967297 to 1 and reads "+576" and a
// @ByteArray, toBool() is true for any text but "", "0" and "false". Anything else is nothing.
std::optional<qint64> wholeNumber(const QVariant &value)
{
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString();
    // 18 digits always fit in 64 bits, so nothing wraps before the caller's range check; a
    // longer run of digits is out of any range (but for leading zeros, which no one writes).
    constexpr qsizetype kMostDigits = 18;
    if (text.isEmpty() || text.size() > kMostDigits
        || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return text.toLongLong();
}

std::optional<bool> flag(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    if (value.toString() == QLatin1String("true"))
        return true;
    if (value.toString() == QLatin1String("false"))
        return false;
    return std::nullopt;
}

// The dot gain as remember() writes it: "square", or one digit, a point and two digits
// within range ("1.20"). Not "1.2", "1,20" nor " 1.20": a file edited by hand says R as
// the window wrote it or is read as nothing.
std::optional<int> dotGain(const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString();
    if (text == QLatin1String(kSquareDots))
        return 0;
    const auto digit = [&text](qsizetype i) { return text.at(i) >= u'0' && text.at(i) <= u'9'; };
    if (text.size() != 4 || !digit(0) || text.at(1) != u'.' || !digit(2) || !digit(3))
        return std::nullopt;
    const int hundredths = (text.at(0).unicode() - u'0') * 100 + (text.at(2).unicode() - u'0') * 10
        + (text.at(3).unicode() - u'0');
    if (hundredths < kMinDotGain || hundredths > kMaxDotGain)
        return std::nullopt;
    return hundredths;
}

QString dotGainText(int hundredths)
{
    if (hundredths == 0)
        return QLatin1String(kSquareDots);
    return QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

PrintSettings ImageChoices::printSettings(bool reverse) const
{
    PrintSettings print;
    print.halftone = halftone;
    print.serpentine = serpentine && isErrorDiffusion(halftone);
    print.orientation = orientation;
    print.tone = tone;
    print.dotGainHundredths = dotGainHundredths;
    if (trim)
        print.trim = reverse ? Trim::Dark : Trim::Light;
    if (printerWidth > 0) {
        print.fit = Fit::MaxWidth;
        print.width = printerWidth;
        if (centre)
            print.paperWidth = printerWidth;
    }
    return print;
}

ImageChoices ImageChoices::forNewPicture() const
{
    ImageChoices fresh = *this;
    fresh.orientation = {};
    fresh.tone = {};
    return fresh;
}

Orientation ImageChoices::turnedAsSeen(Orientation orientation, int quarterTurns)
{
    // What is seen is mirror . turn(q); turned by t it is turn(t) . mirror . turn(q), and
    // as a turn seen in a mirror goes the other way, turn(t) . mirror = mirror . turn(-t):
    // mirror . turn(q - t).
    const int turns = orientation.quarterTurns + (orientation.mirror ? -quarterTurns : quarterTurns);
    orientation.quarterTurns = ((turns % 4) + 4) % 4;
    return orientation;
}

ImageChoices ImageChoices::remembered()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    ImageChoices choices;
    if (const std::optional<qint64> width = wholeNumber(settings.value(QLatin1String(kPrinterWidth)));
        width && *width >= 0 && *width <= Picture::kMaxSide)
        choices.printerWidth = int(*width);
    if (const std::optional<bool> centre = flag(settings.value(QLatin1String(kCentre))))
        choices.centre = *centre;
    if (const std::optional<bool> serpentine = flag(settings.value(QLatin1String(kSerpentine))))
        choices.serpentine = *serpentine;
    if (const std::optional<bool> trim = flag(settings.value(QLatin1String(kTrim))))
        choices.trim = *trim;
    // A halftone by one of its names exactly, as text (not a @ByteArray or a list).
    const QVariant halftone = settings.value(QLatin1String(kHalftone));
    if (halftone.typeId() == QMetaType::QString)
        if (const std::optional<Halftone> named = halftoneNamed(halftone.toString()))
            choices.halftone = *named;
    if (const std::optional<int> gain = dotGain(settings.value(QLatin1String(kDotGain))))
        choices.dotGainHundredths = *gain;
    return choices;
}

void ImageChoices::remember() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(QLatin1String(kPrinterWidth), printerWidth);
    settings.setValue(QLatin1String(kCentre), centre);
    settings.setValue(QLatin1String(kHalftone), QString(halftoneName(halftone)));
    settings.setValue(QLatin1String(kSerpentine), serpentine);
    settings.setValue(QLatin1String(kTrim), trim);
    settings.setValue(QLatin1String(kDotGain), dotGainText(dotGainHundredths));
}

} // namespace plovan
