#pragma once

#include <QString>

namespace plovan {

// What the window says when memory runs out in the middle of something it was asked to do:
// "There is not enough memory for this picture."
QString notEnoughMemoryWords();

} // namespace plovan
