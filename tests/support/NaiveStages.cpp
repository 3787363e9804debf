#include "support/NaiveStages.h"

#include <cmath>

namespace plovan::testsupport {
namespace {

PictureRef quarterTurn(const Picture &picture)
{
    const int width = picture.Width();
    const int height = picture.Height();
    PictureRef out = makePicture(height, width);
    RGBSurface surface = out->rgbSurface();
    const ConstRGBSurface in = picture.rgbSurface();
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < height; ++x)
            surface.row(y)[x] = in.row(height - 1 - x)[y];
    return out;
}

} // namespace

PictureRef naiveOrient(const Picture &picture, Orientation orientation)
{
    PictureRef out = naiveCrop(picture, QRect(0, 0, picture.Width(), picture.Height()));
    for (int turn = 0; turn < orientation.quarterTurns; ++turn)
        out = quarterTurn(*out);
    if (orientation.mirror) {
        PictureRef mirrored = makePicture(out->Width(), out->Height());
        RGBSurface surface = mirrored->rgbSurface();
        const ConstRGBSurface in = std::as_const(*out).rgbSurface();
        for (int y = 0; y < out->Height(); ++y)
            for (int x = 0; x < out->Width(); ++x)
                surface.row(y)[x] = in.row(y)[out->Width() - 1 - x];
        out = mirrored;
    }
    return out;
}

int naiveToneLevel(int v, const Tone &tone)
{
    const double x = v / 255.0;
    double shifted = (x - 0.5) * (1 + tone.contrast / 100.0) + 0.5 + tone.brightness / 100.0;
    // The formula's x' is a whole number of 51000ths; where it is 0 the doubles can land a
    // rounding away from it, which a large gamma (1 / G = 0.1) would make a visible grey.
    // The smallest x' that is not 0 is 1 / 51000, far above this.
    if (std::fabs(shifted) < 1e-12)
        shifted = 0;
    const double clamped = shifted < 0 ? 0 : shifted > 1 ? 1 : shifted;
    const double level = 255 * std::pow(clamped, 1 / (tone.gammaHundredths / 100.0));
    // An exact half (B = 10 gives 25.5 for v = 0) can come out of the doubles a rounding
    // below it; one within 1e-9 is taken as the half it is, and rounds up.
    return int(std::floor(level + 0.5 + 1e-9));
}

ToneTable naiveToneTable(const Tone &tone)
{
    ToneTable table{};
    for (int v = 0; v < 256; ++v)
        table[size_t(v)] = std::uint8_t(naiveToneLevel(v, tone));
    return table;
}

PictureRef naiveTone(const Picture &picture, const ToneTable &table)
{
    PictureRef out = makePicture(picture.Width(), picture.Height());
    RGBSurface surface = out->rgbSurface();
    const ConstRGBSurface in = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const std::uint32_t pixel = in.row(y)[x];
            surface.row(y)[x] = (pixel & 0xFF000000u) | RGB(table[size_t(Red(pixel))], table[size_t(Green(pixel))],
                                                            table[size_t(Blue(pixel))]);
        }
    }
    return out;
}

QRect naiveContent(const Picture &picture, Trim trim)
{
    const QRect whole(0, 0, picture.Width(), picture.Height());
    if (trim == Trim::Off)
        return whole;
    QRect content;
    const ConstRGBSurface in = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Colour c = in.Pixel(x, y);
            const int mean = (Red(c) + Green(c) + Blue(c)) / 3;
            const bool paper = trim == Trim::Light ? mean >= 250 : mean <= 5;
            if (!paper)
                content |= QRect(x, y, 1, 1);
        }
    }
    return content.isNull() ? whole : content;
}

PictureRef naiveCrop(const Picture &picture, QRect part)
{
    PictureRef out = makePicture(part.width(), part.height());
    RGBSurface surface = out->rgbSurface();
    const ConstRGBSurface in = picture.rgbSurface();
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            surface.row(y)[x] = in.row(part.top() + y)[part.left() + x];
    return out;
}

QString firstStoredDifference(const Picture &actual, const Picture &expected)
{
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.Width()).arg(actual.Height()).arg(expected.Width()).arg(expected.Height());
    const ConstRGBSurface a = actual.rgbSurface(), e = expected.rgbSurface();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (a.row(y)[x] != e.row(y)[x])
                return QStringLiteral("(%1, %2): %3, expected %4")
                    .arg(x).arg(y)
                    .arg(a.row(y)[x], 8, 16, QLatin1Char('0'))
                    .arg(e.row(y)[x], 8, 16, QLatin1Char('0'));
    return {};
}

} // namespace plovan::testsupport
