#pragma once

namespace plovan {

// How the black and white is made from the prepared picture. None is the plain threshold
// rule; the others spread the grey of a photo or a gradient over black dots.
enum class Halftone {
    None,
    FloydSteinberg,
    Atkinson,
    Ordered, // 8 x 8 Bayer matrix
};

// How the decoded picture is fitted to the printer before the conversion.
enum class Fit {
    OriginalSize, // as decoded
    Width,        // scaled to `width` dots, smaller or larger
    MaxWidth,     // scaled down to `width` dots when wider, else as decoded
};

// Everything that turns a decoded picture into what is printed, besides the threshold and
// the reverse flag (the window's own controls). The window's menus and plovan-cli's options
// fill the same value; the defaults reproduce the picture as decoded, thresholded.
struct PrintSettings {
    Fit fit = Fit::OriginalSize;
    int width = 0;      // dots, 1-32767, for Fit::Width and Fit::MaxWidth
    int paperWidth = 0; // dots, 1-32767, to centre the picture on; 0 leaves it as it is
    Halftone halftone = Halftone::None;

    bool operator==(const PrintSettings &) const = default;

    // Whether the picture itself is changed (scaled or padded) before the conversion, which
    // a change of these makes again from the picture as decoded; the halftone is redraw's.
    bool reshapes() const { return fit != Fit::OriginalSize || paperWidth != 0; }
    bool sameShapeAs(const PrintSettings &other) const
    {
        return fit == other.fit && width == other.width && paperWidth == other.paperWidth;
    }
};

// The slider's value when the window opens, and plovan-cli's threshold without --threshold.
inline constexpr int kDefaultThreshold = 100;

// Everything that makes the text of a decoded picture: the print settings, and the threshold
// and the reverse flag, which the window keeps in its own controls and plovan-cli takes from
// its options.
struct ConversionSettings {
    PrintSettings print;
    int threshold = kDefaultThreshold; // 0-255
    bool automaticThreshold = false;   // the picture's own (Otsu's) threshold instead
    bool reverse = false;

    bool operator==(const ConversionSettings &) const = default;
};

} // namespace plovan
