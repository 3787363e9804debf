#pragma once

#include "conversion/PrintSettings.h"
#include "platform/Picture.h"

#include <QRect>
#include <QSize>

#include <functional>
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
// turned (the sides swapped for a quarter turn), scaled, and widened to the paper when
// centred. Trimming is left out, as it depends on the pixels: it can only make the
// picture narrower or shorter before the scaling, which then fits what is left.
QSize preparedSize(QSize decoded, const PrintSettings &settings);

// What prepareForPrinter makes of one decoded picture, worked out before it makes any of
// it: trimming finds what it keeps by reading the picture, which takes no memory, and
// every size after that follows from the settings.
struct PreparationPlan {
    QRect kept;                   // the part of the decoded picture kept: all of it unless trimmed
    QSize adjusted;               // after orientation, tone and trim: kept's size, turned
    QSize prepared;               // after scaling and centring
    qint64 peakBytes = 0;         // the most its new pictures take at once, the prepared one included
    qint64 preparedBytes = 0;     // the prepared picture's; 0 when it is the decoded picture itself
};

// Asked with the plan before any picture is made: whether the memory is there for it
// (and for whatever the caller makes beside it). No is a NotEnoughMemory refusal.
using MemoryCheck = std::function<bool(const PreparationPlan &plan)>;

// Decoded picture -> turned and mirrored (Orientation) -> toned (Tone) -> trimmed (Trim)
// -> scaled (Fit) -> centred on the paper (paperWidth). Touches no window state and never
// changes `decoded`. When no step applies (the default orientation and tone, nothing
// trimmed, original size or a width equal to the picture's, and no paper wider than it)
// the result is `decoded` itself: no copy, no memory. The first three steps make at most
// one copy between them, of the part that trimming keeps (and `decoded` is read once
// more, from the edges, to find that part). Centring pads with white columns,
// floor((P - W) / 2) of them on the left; a picture wider than the paper is an error,
// never cropped. `enoughMemory`, when given, is asked before anything is made.
std::variant<PictureRef, PrepareError> prepareForPrinter(const PictureRef &decoded, const PrintSettings &settings,
                                                         const MemoryCheck &enoughMemory = {});

// decoded centred on a white picture paperWidth wide (at least its width): the left
// margin is floor((paperWidth - width) / 2). Throws std::bad_alloc.
PictureRef centreOnPaper(const Picture &decoded, int paperWidth);

} // namespace plovan
