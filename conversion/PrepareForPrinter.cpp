#include "conversion/PrepareForPrinter.h"

#include "conversion/AreaScale.h"
#include "conversion/Orientation.h"
#include "conversion/ToneCurve.h"
#include "conversion/TrimMargins.h"

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

qint64 bytesOf(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

// The memory of the plan's new pictures, in the order prepareForPrinter makes them: the
// copy that orientation, tone and trim share, the scaled picture while that copy still
// exists, the centred picture while the scaled one does.
void countBytes(PreparationPlan &plan, bool copied, QSize scaled)
{
    qint64 live = copied ? bytesOf(plan.adjusted) : 0;
    plan.peakBytes = live;
    if (scaled != plan.adjusted) {
        plan.peakBytes = std::max(plan.peakBytes, live + bytesOf(scaled));
        live = bytesOf(scaled);
    }
    if (plan.prepared != scaled) {
        plan.peakBytes = std::max(plan.peakBytes, live + bytesOf(plan.prepared));
        live = bytesOf(plan.prepared);
    }
    plan.preparedBytes = live;
}

} // namespace

QSize preparedSize(QSize decoded, const PrintSettings &settings)
{
    const QSize oriented = orientedSize(decoded, settings.orientation);
    const int width = fittedWidth(oriented.width(), settings);
    const qint64 height = width == oriented.width() ? oriented.height() : scaledHeight(oriented.width(), oriented.height(), width);
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

std::variant<PictureRef, PrepareError> prepareForPrinter(const PictureRef &decoded, const PrintSettings &settings,
                                                         const MemoryCheck &enoughMemory)
{
    if (!fitInRange(settings))
        return PrepareError{PrepareError::Reason::OutOfRange, settings.width, 0, settings.paperWidth};
    const QRect whole(0, 0, decoded->Width(), decoded->Height());
    const bool turned = !settings.orientation.isIdentity();
    const bool toned = !settings.tone.isIdentity();
    const ToneTable table = toned ? toneTable(settings.tone) : ToneTable{};

    // What trimming keeps is found on the decoded picture, read through the tone table,
    // before anything is turned or toned: a row or column that is paper all along is one
    // whichever way the picture is turned, and the tone changes each pixel on its own. So
    // the one copy of the first three stages holds only the part that is kept.
    PreparationPlan plan;
    plan.kept = settings.trim == Trim::Off ? whole
        : toned                            ? contentRect(*decoded, settings.trim, table)
                                           : contentRect(*decoded, settings.trim);
    plan.adjusted = orientedSize(plan.kept.size(), settings.orientation);
    const int width = plan.adjusted.width();
    const int height = plan.adjusted.height();
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

    const QSize scaled(newWidth, int(newHeight));
    plan.prepared = QSize(std::max(newWidth, settings.paperWidth), int(newHeight));
    const bool copied = turned || toned || plan.kept != whole;
    countBytes(plan, copied, scaled);
    if (enoughMemory && !enoughMemory(plan))
        return PrepareError{PrepareError::Reason::NotEnoughMemory, plan.prepared.width(), plan.prepared.height(),
                            settings.paperWidth};

    try {
        PictureRef prepared = decoded;
        if (turned) {
            prepared = orientPart(*decoded, plan.kept, settings.orientation);
            if (toned) // in place: the copy is ours
                toneInto(*prepared, QRect(QPoint(0, 0), plan.adjusted), table, *prepared);
        } else if (toned) {
            prepared = tonePart(*decoded, plan.kept, table);
        } else if (copied) {
            prepared = orientPart(*decoded, plan.kept, Orientation{}); // the kept part, as it is
        }
        if (newWidth != width)
            prepared = scalePicture(*prepared, newWidth, int(newHeight));
        if (settings.paperWidth > newWidth)
            prepared = centreOnPaper(*prepared, settings.paperWidth);
        return prepared;
    } catch (const std::bad_alloc &) {
        return error(PrepareError::Reason::NotEnoughMemory);
    }
}

} // namespace plovan
