#pragma once

#include "conversion/PrintSettings.h"

namespace plovan {

// What the Image menu has chosen: the printer's width, whether to centre on its paper, and
// the halftone. The window prepares its picture and converts it with these, and remembers
// them between runs (the threshold and "Reverse Image" start afresh every time).
struct ImageChoices {
    int printerWidth = 0; // dots, 1-32767; 0 for "Original Size"
    bool centre = false;  // "Centre on Paper": pads to printerWidth, with nothing to pad to without one
    Halftone halftone = Halftone::None;

    // The settings the loader and redraw take: a printer width shrinks a picture wider
    // than it and leaves a narrower one as it is, as no print head can use more dots.
    PrintSettings printSettings() const;

    // The choices remembered from the last run (QSettings, under the names the application
    // set at start-up), or the defaults where nothing valid is remembered, key by key: a
    // width of decimal digits 0-32767, centring "true" or "false", a halftone by its name.
    static ImageChoices remembered();
    void remember() const;

    bool operator==(const ImageChoices &) const = default;
};

} // namespace plovan
