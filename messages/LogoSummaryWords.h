#pragma once

#include "conversion/LogoSummary.h"

#include <QString>

namespace plovan {

// "576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi": millimetres to
// one decimal. The print preview shows it, plovan-cli --check prints it.
QString logoSummaryLine(const LogoSummary &summary, int dpi);

} // namespace plovan
