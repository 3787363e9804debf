#pragma once

#include "conversion/LogoTextReader.h"

#include <QString>

namespace plovan {

// The reason in plain words, starting in lower case, without the place: for example
// "'G' is not an uppercase hexadecimal digit (0-9, A-F)". Translatable.
QString logoTextFaultWords(const LogoTextFault &fault);

// "line L, column C: " followed by the words.
QString logoTextFaultPlaceAndWords(const LogoTextFault &fault);

} // namespace plovan
