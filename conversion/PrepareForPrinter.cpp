#include "conversion/PrepareForPrinter.h"

#include "conversion/AreaScale.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace plovan {
namespace {

// The width Fit asks for, or the picture's own.
int fittedWidth(int width, const PrintSettings &settings)
{
    switch (settings.fit) {
    case Fit::OriginalSize:
        return width;
    case Fit::Width:
        return settings.width;
    case Fit::MaxWidth:
        return std::min(width, settings.width);
    }
    return width;
}

bool fitInRange(const PrintSettings &settings)
{
    return settings.fit == Fit::OriginalSize || Picture::sideInRange(settings.width);
}

} // namespace

QSize preparedSize(QSize decoded, const PrintSettings &settings)
{
    const int width = fittedWidth(decoded.width(), settings);
    const qint64 height = width == decoded.width() ? decoded.height() : scaledHeight(decoded.width(), decoded.height(), width);
    return QSize(std::max(width, settings.paperWidth), int(std::min<qint64>(height, INT_MAX)));
}

PictureRef centreOnPaper(const Picture &decoded, int paperWidth)
{
    const int width = decoded.Width();
    const int height = decoded.Height();
    PictureRef paper = makePicture(paperWidth, height); // white
    const int left = (paperWidth - width) / 2;
    const ConstRGBSurface in = decoded.rgbSurface();
    RGBSurface out = paper->rgbSurface();
    for (int y = 0; y < height; ++y)
        std::memcpy(out.row(y) + left, in.row(y), size_t(width) * 4);
    return paper;
}

std::variant<PictureRef, PrepareError> prepareForPrinter(const PictureRef &decoded, const PrintSettings &settings)
{
    if (!fitInRange(settings))
        return PrepareError{PrepareError::Reason::OutOfRange, settings.width, 0, settings.paperWidth};
    const int width = decoded->Width();
    const int height = decoded->Height();
    const int newWidth = fittedWidth(width, settings);
    const qint64 newHeight = newWidth == width ? height : scaledHeight(width, height, newWidth);
    const auto error = [&](PrepareError::Reason reason) {
        return PrepareError{reason, newWidth, newHeight, settings.paperWidth};
    };
    if (!Picture::sideInRange(int(std::min<qint64>(newHeight, INT_MAX)))
        || settings.paperWidth < 0 || settings.paperWidth > Picture::kMaxSide)
        return error(PrepareError::Reason::OutOfRange);
    if (settings.paperWidth > 0 && newWidth > settings.paperWidth)
        return error(PrepareError::Reason::WiderThanPaper);

    try {
        PictureRef prepared = decoded;
        if (newWidth != width)
            prepared = scalePicture(*decoded, newWidth, int(newHeight));
        if (settings.paperWidth > newWidth)
            prepared = centreOnPaper(*prepared, settings.paperWidth);
        return prepared;
    } catch (const std::bad_alloc &) {
        return error(PrepareError::Reason::NotEnoughMemory);
    }
}

} // namespace plovan
