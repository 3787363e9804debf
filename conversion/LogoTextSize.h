#pragma once

// How long a logo data text is, from the picture's size: "OBM¶", a band of "BMD¶", two
// digits a column and "¶" for every eight rows, the last band padded, then "CBM¶". Counted
// in the units of the text's encoding, where every character but the mark "¶" is one: the
// mark is one unit of UTF-16 (a QString) and two bytes of UTF-8 (a file).

#include "platform/Picture.h"

#include <QtGlobal>

namespace plovan::logotext {

inline constexpr qint64 kUtf16MarkUnits = 1;
inline constexpr qint64 kUtf8MarkUnits = 2;

// The bands of eight rows of a picture `height` rows high.
constexpr qint64 bandsFor(qint64 height)
{
    return (height + 7) / 8;
}

// The most bands a picture can have: 4096, for 32761-32767 rows. The last band's bottom
// row would be row 32768, past the range rule, so it has to be the white padding that
// Create writes there, and the picture read back is 32767 rows high.
inline constexpr int kMaxBands = int(bandsFor(Picture::kMaxSide));

// A line of three letters and the mark: "OBM¶", "BMD¶", "CBM¶".
constexpr qint64 lineUnits(qint64 markUnits)
{
    return 3 + markUnits;
}

// A band `width` columns wide: "BMD¶", two digits a column, "¶".
constexpr qint64 bandUnits(int width, qint64 markUnits)
{
    return lineUnits(markUnits) + 2 * qint64(width) + markUnits;
}

// The whole text for a picture of `width` x `height`.
constexpr qint64 textUnits(int width, int height, qint64 markUnits)
{
    return 2 * lineUnits(markUnits) + bandsFor(height) * bandUnits(width, markUnits);
}

} // namespace plovan::logotext
