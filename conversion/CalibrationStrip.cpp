#include "conversion/CalibrationStrip.h"

#include "conversion/ConversionState.h"
#include "conversion/HeadlessView.h"
#include "conversion/Redraw.h"
#include "platform/StoredPixel.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace plovan {
namespace {

constexpr int kMargin = 8;
constexpr int kRowGap = 16;
constexpr int kGap = 8;
constexpr int kFontScale = 4;
constexpr int kLabelWidth = 36;
constexpr int kSquare = 8;

// A 3 x 5 font: five rows of three bits, the highest on the left; '.' one column wide.
struct Glyph {
    int width;
    std::uint8_t rows[5];
};

Glyph glyphOf(char c)
{
    switch (c) {
    case '0': return {3, {7, 5, 5, 5, 7}};
    case '1': return {3, {2, 6, 2, 2, 7}};
    case '2': return {3, {7, 1, 7, 4, 7}};
    case '3': return {3, {7, 1, 7, 1, 7}};
    case '4': return {3, {5, 5, 7, 1, 1}};
    case '5': return {3, {7, 4, 7, 1, 7}};
    case '6': return {3, {7, 4, 7, 5, 7}};
    case '7': return {3, {7, 1, 2, 2, 2}};
    case '8': return {3, {7, 5, 7, 5, 7}};
    case '9': return {3, {7, 5, 7, 1, 7}};
    default: return {1, {0, 0, 0, 0, 1}}; // '.'
    }
}

void fill(RGBSurface &surface, int x, int y, int width, int height)
{
    for (int row = y; row < y + height; ++row)
        std::fill(surface.row(row) + x, surface.row(row) + x + width, kStoredBlackPixel);
}

// `text` at (x, y), each font pixel kFontScale dots a side, a font pixel between figures.
void drawLabel(RGBSurface &surface, std::string_view text, int x, int y)
{
    for (const char c : text) {
        const Glyph glyph = glyphOf(c);
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < glyph.width; ++column)
                if ((glyph.rows[row] >> (glyph.width - 1 - column)) & 1)
                    fill(surface, x + column * kFontScale, y + row * kFontScale, kFontScale, kFontScale);
        x += (glyph.width + 1) * kFontScale;
    }
}

} // namespace

PictureRef calibrationStrip(int width, Halftone halftone, bool serpentine)
{
    PictureRef strip = makePicture(width, kCalibrationStripHeight);
    RGBSurface surface = strip->rgbSurface();
    const int patchX = kMargin + kLabelWidth + kGap;
    const int halves = width - patchX - kMargin - kGap;
    const int patchWidth = halves / 2, referenceWidth = halves - patchWidth;
    const int referenceX = patchX + patchWidth + kGap;
    // The patch, the same grey for every row; each row halftones it for its own R.
    const PictureRef grey = makePicture(patchWidth, kCalibrationRowHeight);
    {
        RGBSurface patch = grey->rgbSurface();
        for (int y = 0; y < kCalibrationRowHeight; ++y)
            for (int x = 0; x < patchWidth; ++x)
                patch.Pixel(x, y, RGB(128, 128, 128));
    }
    for (int row = 0; row < 5; ++row) {
        const int top = kMargin + row * (kCalibrationRowHeight + kRowGap);
        const int dotGain = kCalibrationDotGains[row];
        const char label[] = {char('0' + dotGain / 100), '.', char('0' + dotGain / 10 % 10)};
        drawLabel(surface, std::string_view(label, 3), kMargin, top + (kCalibrationRowHeight - 5 * kFontScale) / 2);
        ConversionState state;
        state.pix = grey;
        state.destPix = makePicture(patchWidth, kCalibrationRowHeight);
        state.threshold = 128;
        state.print.halftone = halftone == Halftone::None ? Halftone::FloydSteinberg : halftone;
        state.print.serpentine = serpentine && isErrorDiffusion(state.print.halftone);
        state.print.dotGainHundredths = dotGain;
        HeadlessView view;
        redraw(state, view);
        const ConstRGBSurface patch = std::as_const(*state.destPix).rgbSurface();
        for (int y = 0; y < kCalibrationRowHeight; ++y)
            std::copy(patch.row(y), patch.row(y) + patchWidth, surface.row(top + y) + patchX);
        for (int y = 0; y < kCalibrationRowHeight; y += kSquare)
            for (int x = 0; x < referenceWidth; x += kSquare)
                if ((x / kSquare + y / kSquare) % 2 == 0)
                    fill(surface, referenceX + x, top + y, std::min(kSquare, referenceWidth - x), kSquare);
    }
    return strip;
}

} // namespace plovan
