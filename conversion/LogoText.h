#pragma once

#include "conversion/ConversionView.h"
#include "conversion/ConversionState.h"

#include <QString>
#include <cstdint>

namespace plovan {

// The logo data text, the form in which the printer takes the logo: "OBM¶", then for each
// band of eight rows "BMD¶" and two uppercase hex digits per column byte followed by "¶",
// then "CBM¶". Bit 7 of a column byte is the band's top row; a bit is 1 when the pixel's
// red is 0. Rows past the bottom edge give 0 bits.
namespace logotext {
inline constexpr QStringView kOpenLine = u"OBM\u00B6";
inline constexpr QStringView kBandHeader = u"BMD\u00B6";
inline constexpr QStringView kCloseLine = u"CBM\u00B6";
inline constexpr QChar kLineMark = QChar(0x00B6);

// Length in characters of the text for a picture of the given size.
qsizetype length(int width, int height);
} // namespace logotext

// Writes the logo data text of destPix into the image data text, replacing whatever was
// there, appending band by band (so after each band the text is complete up to it) and
// setting the progress text to 8, 16, ... after each band. Does nothing at all before a
// picture has been loaded.
void createLogoText(const ConversionState &state, ConversionView &view);

// One band row into the column bytes: ORs (red == 0) of each of `width` stored pixels into
// bit `bit` (7 = top row of the band) of bytes[x].
void packBandRow(const std::uint32_t *row, std::uint8_t *bytes, int width, int bit);

// Writes two uppercase hex digits per byte, high half first, to out (2 * count chars).
void appendHexDigits(const std::uint8_t *bytes, int count, char16_t *out);

} // namespace plovan
