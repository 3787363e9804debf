#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QSize>
#include <variant>

namespace plovan {

// Why a decoded picture could not be prepared for the printer. Sentences for the user are
// made by whoever shows them, from these values.
struct PrepareError {
    enum class Reason {
        WiderThanPaper,  // after scaling, `width` dots do not fit on `paperWidth`
        OutOfRange,      // a width, paper width or scaled height outside 1-32767
        NotEnoughMemory, // for the prepared picture of width x height
    };
    Reason reason;
    int width = 0;       // the picture's width after scaling (the width asked for when out of range)
    qint64 height = 0;   // its height after scaling (0 when the width asked for is out of range)
    int paperWidth = 0;

    bool operator==(const PrepareError &) const = default;
};

// The size prepareForPrinter gives a picture of `decoded` size, before any range check:
// after scaling, and widened to the paper when centred.
QSize preparedSize(QSize decoded, const PrintSettings &settings);

// Decoded picture -> scaled (Fit) -> centred on the paper (paperWidth). Touches no window
// state and never changes `decoded`. When neither step applies (original size, or a
// width equal to the picture's, and no paper wider than it) the result is `decoded`
// itself: no copy, no memory. Centring pads with white columns, floor((P - W) / 2) of them
// on the left; a picture wider than the paper is an error, never cropped.
std::variant<PictureRef, PrepareError> prepareForPrinter(const PictureRef &decoded, const PrintSettings &settings);

// decoded centred on a white picture paperWidth wide (at least its width): the left
// margin is floor((paperWidth - width) / 2). Throws std::bad_alloc.
PictureRef centreOnPaper(const Picture &decoded, int paperWidth);

} // namespace plovan
