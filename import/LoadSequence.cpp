#include "import/LoadSequence.h"

#include "conversion/LogoText.h"
#include "platform/AvailableMemory.h"
#include "platform/Exceptions.h"
#include "platform/PictureFile.h"

#include <algorithm>
#include <new>

namespace plovan {

namespace {

// Decodes the source, or takes the picture it already is.
OpenedPicture openSource(const PictureSource &source)
{
    if (source.decoded)
        return {source.decoded, {}};
    if (source.device)
        return openPicture(source.device, loadLimits());
    return openPicture(source.path, loadLimits(), source.kinds);
}

} // namespace

qint64 bytesAfterLoad(QSize size)
{
    return qint64(logotext::length(size.width(), size.height())) * qint64(sizeof(QChar));
}

DecodeLimits loadLimits()
{
    DecodeLimits limits;
    limits.bytesAfterLoad = bytesAfterLoad;
    return limits;
}

std::variant<LoadedPictures, PrepareError> prepareLoad(const PictureRef &original, const PrintSettings &print,
                                                       std::optional<qint64> availableBytes)
{
    // What is made, in bytes, checked before any of it is made, since Linux hands out
    // memory it does not have and settles up on first touch by ending a process: the
    // preparation's new pictures while it makes them (an intermediate one beside the
    // next), then the prepared picture (unless it is the original), its working picture
    // and the text Create makes of them. The preparation works the sizes out first, as
    // trimming depends on the pixels.
    const auto enoughMemory = [&availableBytes](const PreparationPlan &plan) {
        const qint64 pictureBytes = qint64(plan.prepared.width()) * plan.prepared.height() * 4;
        const qint64 needed = std::max(plan.peakBytes, plan.preparedBytes + pictureBytes + bytesAfterLoad(plan.prepared));
        if (!availableBytes)
            availableBytes = availableMemoryBytes();
        return !availableBytes || needed <= *availableBytes;
    };
    std::variant<PictureRef, PrepareError> prepared = prepareForPrinter(original, print, enoughMemory);
    if (auto *error = std::get_if<PrepareError>(&prepared))
        return *error;
    PictureRef pix = std::get<PictureRef>(std::move(prepared));
    try {
        PictureRef working = makePicture(pix->Width(), pix->Height());
        return LoadedPictures{std::move(pix), std::move(working), original};
    } catch (const std::bad_alloc &) {
        return PrepareError{PrepareError::Reason::NotEnoughMemory, pix->Width(), pix->Height(), print.paperWidth};
    }
}

LoadReason prepareFailure(const PrepareError &error)
{
    switch (error.reason) {
    case PrepareError::Reason::WiderThanPaper:
        return picturefile::widerThanPaper(error.width, error.paperWidth);
    case PrepareError::Reason::OutOfRange:
        return picturefile::outOfRange(error.width, error.height);
    case PrepareError::Reason::NotEnoughMemory:
        break;
    }
    return picturefile::notEnoughMemory(error.width, error.height);
}

std::variant<LoadedPictures, LoadError> decodeAndPrepare(const PictureSource &source, const PrintSettings &print,
                                                         std::optional<qint64> availableBytes)
{
    QSize size;
    try {
        OpenedPicture opened = openSource(source);
        if (!opened.picture)
            return LoadError{source.name, opened.error};
        size = QSize(opened.picture->Width(), opened.picture->Height());
        // A picture that is not reshaped needs only its working picture, which the decode
        // already made sure there is memory for; a picture read from a logo data text was
        // not decoded here, so it goes through the memory check too. A picture wider than
        // the paper keeps its size and must still be refused, so it is the settings that
        // decide, not a change of size.
        if (print.reshapes() || source.decoded) {
            std::variant<LoadedPictures, PrepareError> prepared = prepareLoad(opened.picture, print, availableBytes);
            if (auto *error = std::get_if<PrepareError>(&prepared))
                return LoadError{source.name, prepareFailure(*error)};
            return std::get<LoadedPictures>(std::move(prepared));
        }
        PictureRef working = makePicture(size.width(), size.height());
        return LoadedPictures{std::move(opened.picture), std::move(working), {}};
    } catch (const std::bad_alloc &) {
        return LoadError{source.name, picturefile::notEnoughMemory(size.width(), size.height())};
    } catch (const OutOfBoundsException &) {
        return LoadError{source.name, picturefile::outOfRange(size.width(), size.height())};
    } catch (const std::exception &error) {
        return LoadError{source.name, picturefile::unexpected(QString::fromUtf8(error.what()))};
    }
}

void commitLoad(ConversionState &state, LoadView *view, LoadedPictures pictures)
{
    // The pictures first, with moves that cannot throw: showing them may (a canvas
    // scales its backdrop), and the state must never hold pictures of two sizes.
    state.original = pictures.original ? std::move(pictures.original) : pictures.pix;
    state.pix = std::move(pictures.pix);
    state.destPix = std::move(pictures.destPix);
    if (!view)
        return;
    view->setSourceBackdrop(state.pix);
    view->setProcessedBackdrop(state.destPix);
    view->setDimensionsText(QString::number(state.pix->Width()) + QLatin1Char('x') + QString::number(state.pix->Height()));
}

std::optional<LoadError> load(ConversionState &state, const PictureSource &source, LoadView *view,
                              std::optional<qint64> availableBytes)
{
    std::variant<LoadedPictures, LoadError> loaded = decodeAndPrepare(source, state.print, availableBytes);
    if (auto *error = std::get_if<LoadError>(&loaded)) {
        if (view)
            view->showLoadError(*error);
        return *error;
    }
    commitLoad(state, view, std::get<LoadedPictures>(std::move(loaded)));
    return std::nullopt;
}

bool loadFile(ConversionState &state, LoadView &view, const QString &path, FileKinds kinds)
{
    return !load(state, PictureSource::file(path, kinds), &view);
}

std::optional<QString> chooseAndLoad(ConversionState &state, LoadView &view, FileKinds kinds)
{
    const std::optional<QString> path = view.chooseFile(filetypes::pictures());
    if (!path || !loadFile(state, view, *path, kinds))
        return std::nullopt;
    return path;
}

std::optional<PrepareError> changePrintSettings(ConversionState &state, LoadView &view, const PrintSettings &print,
                                                std::optional<qint64> availableBytes)
{
    if (!print.sameShapeAs(state.print) && state.original) {
        std::variant<LoadedPictures, PrepareError> prepared = prepareLoad(state.original, print, availableBytes);
        if (const auto *error = std::get_if<PrepareError>(&prepared))
            return *error;
        // Copies of plain values and moves of pointers: nothing from here on throws before
        // the pictures are stored.
        state.print = print;
        commitLoad(state, view, std::get<LoadedPictures>(std::move(prepared)));
        return std::nullopt;
    }
    state.print = print;
    return std::nullopt;
}

} // namespace plovan
