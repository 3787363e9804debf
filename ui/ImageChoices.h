#pragma once

#include "conversion/PrintSettings.h"

namespace plovan {

// What the Image menu has chosen. The window prepares its picture and converts it with
// these. What belongs to the printer (its width, centring on its paper, the halftone, its
// rows serpentine, trimming the margins) is remembered between runs; what belongs to the
// picture (its turn, mirror and tone) starts afresh with each picture loaded, as the
// threshold and "Reverse Image" start afresh every run.
struct ImageChoices {
    int printerWidth = 0; // dots, 1-32767; 0 for "Original Size"
    bool centre = false;  // "Centre on Paper": pads to printerWidth, with nothing to pad to without one
    Halftone halftone = Halftone::None;
    // "Serpentine": odd rows right to left. Only an error diffusion has rows to run so; the
    // check is kept for the next one, as centring is kept without a width.
    bool serpentine = false;
    bool trim = false; // "Trim White Margins": the paper's margins, white, or black when reversed
    Orientation orientation{}; // as the picture is to be seen: Rotate Right and Left, Mirror
    Tone tone{};               // "Adjust Tone…"
    // "Printer Dots": 0 for square cells (no model), else R x 100, kMinDotGain-kMaxDotGain
    // (conversion/DotModel.h). Redraw's, as the halftone is.
    int dotGainHundredths = 0;

    // The settings the loader and redraw take: a printer width shrinks a picture wider
    // than it and leaves a narrower one as it is, as no print head can use more dots. The
    // margins trimmed are those of the paper as printed: light ones, or dark ones when the
    // picture is printed reversed.
    PrintSettings printSettings(bool reverse = false) const;

    // The choices for a picture just loaded: the printer's kept, the picture's back to none.
    ImageChoices forNewPicture() const;

    // `orientation` with the picture as seen turned clockwise by `quarterTurns` (negative:
    // anticlockwise). The mirror comes after the turn, so a mirrored picture is seen to turn
    // the other way: turning it right as seen is a quarter turn fewer.
    static Orientation turnedAsSeen(Orientation orientation, int quarterTurns);

    // The printer's choices remembered from the last run (QSettings, under the names the
    // application set at start-up), or the defaults where nothing valid is remembered, key
    // by key: a width of decimal digits 0-32767, centring, serpentine and trimming "true" or
    // "false", a halftone by its name, the dot gain as "square" or R with two decimals
    // ("1.20", as plovan-cli's --dot-gain takes it) within range. The picture's choices are
    // never remembered.
    static ImageChoices remembered();
    void remember() const;

    bool operator==(const ImageChoices &) const = default;
};

} // namespace plovan
