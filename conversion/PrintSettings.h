#pragma once

namespace plovan {

// How the black and white is made from the prepared picture. None is the plain threshold
// rule; the others spread the grey of a photo or a gradient over black dots.
enum class Halftone {
    None,
    FloydSteinberg,
    Atkinson,
    Ordered, // 8 x 8 Bayer matrix
    Jarvis,    // Jarvis, Judice and Ninke's error diffusion
    Stucki,    // Stucki's error diffusion
    Sierra,    // Sierra's three-row error diffusion
    BlueNoise, // a void-and-cluster screen
    Clustered, // a clustered-dot screen
};

// Whether a halftone spreads each pixel's error over its neighbours (and so can run its
// rows serpentine), as against a screen that decides every pixel on its own.
constexpr bool isErrorDiffusion(Halftone halftone)
{
    return halftone == Halftone::FloydSteinberg || halftone == Halftone::Atkinson || halftone == Halftone::Jarvis
        || halftone == Halftone::Stucki || halftone == Halftone::Sierra;
}

// How the decoded picture is turned: `quarterTurns` clockwise quarter turns, then a
// left-right mirror. A W x H picture turned once is H x W, its pixel (x, y) taken from
// (y, H - 1 - x) of the original.
struct Orientation {
    int quarterTurns = 0; // 0-3
    bool mirror = false;

    bool operator==(const Orientation &) const = default;
    bool isIdentity() const { return quarterTurns == 0 && !mirror; }
};

// The tone curve every red, green and blue value goes through: v -> round(255 f(v / 255)),
// halves up, f(x) = clamp((x - 0.5)(1 + contrast / 100) + 0.5 + brightness / 100, 0, 1)
// ^ (1 / gamma). The defaults give every value back.
struct Tone {
    int brightness = 0;          // -100-100
    int contrast = 0;            // -100-100
    int gammaHundredths = 100;   // gamma x 100, 10-1000 (0.10-10.00)

    bool operator==(const Tone &) const = default;
    bool isIdentity() const { return brightness == 0 && contrast == 0 && gammaHundredths == 100; }
};

// Which outer rows and columns are removed as margins: those in which every pixel is
// paper, a floored mean of at least 250 (Light, the paper of a picture printed as it is)
// or at most 5 (Dark, the paper of a picture printed reversed).
enum class Trim {
    Off,
    Light,
    Dark,
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
    bool serpentine = false; // error diffusions run odd rows right to left
    Orientation orientation{};
    Tone tone{};
    Trim trim = Trim::Off;
    // How the printer's dots print (conversion/DotModel.h): 0 for the square cells they
    // are drawn as, else R x 100, 100-141, the discs' diameter over the cell's diagonal.
    // The halftones allow for it; redraw's, like the halftone.
    int dotGainHundredths = 0;

    bool operator==(const PrintSettings &) const = default;

    // Whether the picture itself is changed (turned, toned, trimmed, scaled or padded)
    // before the conversion, which a change of these makes again from the picture as
    // decoded; the halftone, serpentine and dot gain are redraw's.
    bool reshapes() const
    {
        return fit != Fit::OriginalSize || paperWidth != 0 || !orientation.isIdentity() || !tone.isIdentity()
            || trim != Trim::Off;
    }
    bool sameShapeAs(const PrintSettings &other) const
    {
        return fit == other.fit && width == other.width && paperWidth == other.paperWidth
            && orientation == other.orientation && tone == other.tone && trim == other.trim;
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
