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

} // namespace plovan
