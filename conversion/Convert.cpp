#include "conversion/Convert.h"

#include "conversion/AutoThreshold.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"

namespace plovan {

void convertLoaded(ConversionState &state, const ConversionSettings &settings, ConversionView &view)
{
    state.reverse = settings.reverse;
    state.threshold = settings.automaticThreshold && state.hasPictures() ? automaticThreshold(*state.pix, state.reverse)
                                                                         : settings.threshold;
    redraw(state, view);
    createLogoText(state, view);
}

} // namespace plovan
