#include "support/AreaAverage.h"

#include <algorithm>
#include <cmath>

namespace plovan::testsupport {

PictureRef naiveAreaScale(const Picture &source, int newWidth, int newHeight)
{
    const int width = source.Width(), height = source.Height();
    const ConstRGBSurface in = source.rgbSurface();
    PictureRef out = makePicture(newWidth, newHeight);
    RGBSurface surface = out->rgbSurface();
    auto overlap = [](double a0, double a1, double b0, double b1) {
        return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
    };
    for (int Y = 0; Y < newHeight; ++Y) {
        // New row Y covers [Y height, (Y + 1) height), source row y covers [y newHeight,
        // (y + 1) newHeight): only the rows from the one holding the top edge can touch it.
        const int firstRow = int(qint64(Y) * height / newHeight);
        for (int X = 0; X < newWidth; ++X) {
            const int firstColumn = int(qint64(X) * width / newWidth);
            double red = 0, green = 0, blue = 0;
            for (int y = firstRow; y < height && qint64(y) * newHeight < qint64(Y + 1) * height; ++y) {
                const double dy = overlap(double(Y) * height, double(Y + 1) * height, double(y) * newHeight,
                                          double(y + 1) * newHeight);
                for (int x = firstColumn; x < width && qint64(x) * newWidth < qint64(X + 1) * width; ++x) {
                    const double dx = overlap(double(X) * width, double(X + 1) * width, double(x) * newWidth,
                                              double(x + 1) * newWidth);
                    const Colour c = in.Pixel(x, y);
                    red += dx * dy * Red(c);
                    green += dx * dy * Green(c);
                    blue += dx * dy * Blue(c);
                }
            }
            const double area = double(width) * height;
            auto level = [area](double sum) { return int(std::floor(sum / area + 0.5)); };
            surface.Pixel(X, Y, RGB(level(red), level(green), level(blue)));
        }
    }
    return out;
}

PictureRef onWhitePaper(const Picture &picture, QSize paper, QPoint at)
{
    PictureRef out = makePicture(paper.width(), paper.height());
    RGBSurface surface = out->rgbSurface();
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x)
            surface.Pixel(x, y, kWhite);
    const ConstRGBSurface in = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            surface.Pixel(at.x() + x, at.y() + y, in.Pixel(x, y));
    return out;
}

QString firstDifference(const Picture &actual, const Picture &expected)
{
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.Width()).arg(actual.Height()).arg(expected.Width()).arg(expected.Height());
    const ConstRGBSurface a = actual.rgbSurface(), e = expected.rgbSurface();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (a.Pixel(x, y) != e.Pixel(x, y))
                return QStringLiteral("(%1, %2): %3, expected %4")
                    .arg(x).arg(y)
                    .arg(a.Pixel(x, y), 6, 16, QLatin1Char('0'))
                    .arg(e.Pixel(x, y), 6, 16, QLatin1Char('0'));
    return {};
}

} // namespace plovan::testsupport
