#include "conversion/LogoSummary.h"

#include "conversion/LogoText.h"

namespace plovan {

LogoSummary logoSummary(int width, int height)
{
    LogoSummary summary;
    summary.width = width;
    summary.bands = (height + 7) / 8;
    summary.height = 8 * summary.bands;
    summary.characters = logotext::length(width, height);
    return summary;
}

double dotsToMillimetres(int dots, int dpi)
{
    return dots * 25.4 / dpi;
}

} // namespace plovan
