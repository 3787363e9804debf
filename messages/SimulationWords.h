#pragma once

#include <QString>

namespace plovan {

// Why the print of a picture cannot be simulated, in the words that follow "cannot write
// 'NAME': ": its side of `dots` is above the most that eight pixels a dot allow.
QString simulationTooLargeWords(int dots, int most);

} // namespace plovan
