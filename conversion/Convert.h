#pragma once

#include "conversion/ConversionView.h"
#include "conversion/PrintSettings.h"
#include "conversion/ConversionState.h"

namespace plovan {

// What follows a load when nobody moves a slider (plovan-cli, and the tests that stand for
// the window): the threshold and the reverse flag from the settings (the picture's own
// threshold when they ask for it), then redraw and Create, as the window's Refresh and
// Create buttons do. The text and the working picture go to `view` and the state.
void convertLoaded(ConversionState &state, const ConversionSettings &settings, ConversionView &view);

} // namespace plovan
