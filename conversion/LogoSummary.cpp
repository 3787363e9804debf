#include "conversion/LogoSummary.h"

#include "conversion/LogoText.h"
#include "conversion/LogoTextSize.h"

namespace plovan {

LogoSummary logoSummary(int width, int height)
{
    LogoSummary summary;
    summary.width = width;
    summary.bands = int(logotext::bandsFor(height));
    summary.height = 8 * summary.bands;
    summary.characters = logotext::length(width, height);
    return summary;
}

double dotsToMillimetres(int dots, int dpi)
{
    return dots * 25.4 / dpi;
}

QString logoSummaryLine(const LogoSummary &summary, int dpi)
{
    const auto mm = [dpi](int dots) { return QString::number(dotsToMillimetres(dots, dpi), 'f', 1); };
    const QString format = summary.bands == 1 ? QStringLiteral("%1x%2 dots, %3 band, %4 characters, %5x%6 mm at %7 dpi")
                                              : QStringLiteral("%1x%2 dots, %3 bands, %4 characters, %5x%6 mm at %7 dpi");
    return format
        .arg(QString::number(summary.width), QString::number(summary.height), QString::number(summary.bands),
             QString::number(summary.characters), mm(summary.width), mm(summary.height), QString::number(dpi));
}

} // namespace plovan
