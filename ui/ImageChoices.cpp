#include "ui/ImageChoices.h"

#include "conversion/HalftoneNames.h"
#include "platform/Picture.h"

#include <QSettings>

namespace plovan {
namespace {

// The group and keys in the settings file; the halftone is kept by name, as plovan-cli's
// --halftone takes it, so that a file edited by hand reads the same.
constexpr char kGroup[] = "Image";
constexpr char kPrinterWidth[] = "printerWidth";
constexpr char kCentre[] = "centreOnPaper";
constexpr char kHalftone[] = "halftone";

} // namespace

PrintSettings ImageChoices::printSettings() const
{
    PrintSettings print;
    print.halftone = halftone;
    if (printerWidth > 0) {
        print.fit = Fit::MaxWidth;
        print.width = printerWidth;
        if (centre)
            print.paperWidth = printerWidth;
    }
    return print;
}

ImageChoices ImageChoices::remembered()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    ImageChoices choices;
    bool isNumber = false;
    const int width = settings.value(QLatin1String(kPrinterWidth)).toInt(&isNumber);
    if (isNumber && Picture::sideInRange(width))
        choices.printerWidth = width;
    choices.centre = settings.value(QLatin1String(kCentre), false).toBool();
    if (const std::optional<Halftone> halftone = halftoneNamed(settings.value(QLatin1String(kHalftone)).toString()))
        choices.halftone = *halftone;
    return choices;
}

void ImageChoices::remember() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(QLatin1String(kPrinterWidth), printerWidth);
    settings.setValue(QLatin1String(kCentre), centre);
    settings.setValue(QLatin1String(kHalftone), QString(halftoneName(halftone)));
}

} // namespace plovan
