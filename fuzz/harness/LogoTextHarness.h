#pragma once

#include "conversion/LogoTextReader.h"

#include <QByteArrayView>
#include <QString>

namespace plovan::fuzz {

// The most bytes of an input the logo data text harness looks at; the rest is cut off.
// Enough for the widest band that can be valid (65534 digits) and for one that is a
// column too wide, with the lines around them; small enough for many runs a second.
inline constexpr qsizetype kLogoTextInputCap = 72 * 1024;

// The input as the bytes of a logo data text file, and the same bytes as little-endian
// UTF-16 code units in a QString. Checks that:
// - checking and reading agree (verdict, fault, size), through the reader of files too,
//   from a random-access device and from a stream, and a picture comes exactly with a
//   valid text, every pixel stored black or white;
// - the bytes are valid exactly when a naive reading of the format says so, a fault lies
//   inside the text, at the character it names, and a byte that is not UTF-8 comes after
//   nothing but UTF-8;
// - the byte form and the QString form of the same text agree, except that only the byte
//   form sees a file saved as UTF-16 (its first two bytes say so, and only then);
// - a valid text read into a picture and written again by Create gives the same bytes.
// Empty when all holds.
QString checkLogoTextInput(QByteArrayView input);

// The enumerator's name, "NotHexDigit", for messages and for the names of seeds.
QString logoTextReasonName(LogoTextFault::Reason reason);

} // namespace plovan::fuzz
