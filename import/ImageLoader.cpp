#include "import/ImageLoader.h"

#include "conversion/LogoText.h"
#include "platform/AvailableMemory.h"
#include "platform/Exceptions.h"
#include "platform/PictureFile.h"

#include <new>

namespace plovan {

namespace {

// Whether the settings ask for scaling or centring, which preparePictures checks and
// applies. Not the same as a change of size: a picture wider than the paper keeps its size
// in preparedSize, and must still be refused.
bool asksForPreparation(const PrintSettings &print)
{
    return print.fit != Fit::OriginalSize || print.paperWidth != 0;
}

// All pictures are made before anything is shown, so a failure at any step leaves the
// window as it was; the decoded picture goes when this returns an error.
template<typename Open>
std::variant<LoadedPictures, LoadError> decodeAndPrepare(const QString &name, const PrintSettings &print, Open open)
{
    QSize size;
    try {
        OpenedPicture opened = open();
        if (!opened.picture)
            return LoadError{name, opened.error};
        size = QSize(opened.picture->Width(), opened.picture->Height());
        if (asksForPreparation(print)) {
            std::variant<LoadedPictures, PrepareError> prepared = preparePictures(opened.picture, print);
            if (auto *error = std::get_if<PrepareError>(&prepared))
                return LoadError{name, prepareFailure(*error)};
            return std::get<LoadedPictures>(std::move(prepared));
        }
        PictureRef working = makePicture(size.width(), size.height());
        return LoadedPictures{std::move(opened.picture), std::move(working), {}};
    } catch (const std::bad_alloc &) {
        return LoadError{name, picturefile::notEnoughMemory(size.width(), size.height())};
    } catch (const OutOfBoundsException &) {
        return LoadError{name, picturefile::outOfRange(size.width(), size.height())};
    } catch (const std::exception &error) {
        return LoadError{name, picturefile::unexpected(QString::fromUtf8(error.what()))};
    }
}

DecodeLimits windowLimits()
{
    DecodeLimits limits;
    limits.bytesAfterLoad = bytesAfterLoad;
    return limits;
}

bool finishLoad(WindowState &state, LoadView &view, std::variant<LoadedPictures, LoadError> decoded)
{
    if (auto *error = std::get_if<LoadError>(&decoded)) {
        view.showLoadError(*error);
        return false;
    }
    commitLoad(state, view, std::get<LoadedPictures>(std::move(decoded)));
    return true;
}

} // namespace

qint64 bytesAfterLoad(QSize size)
{
    return qint64(logotext::length(size.width(), size.height())) * qint64(sizeof(QChar));
}

std::variant<LoadedPictures, PrepareError> preparePictures(const PictureRef &original, const PrintSettings &print,
                                                           std::optional<qint64> availableBytes)
{
    const QSize decoded(original->Width(), original->Height());
    const QSize size = preparedSize(decoded, print);
    if (Picture::sideInRange(size.width()) && Picture::sideInRange(size.height())) {
        // What is made, in bytes: the prepared picture (unless it is the original), its
        // working picture and the text Create makes of them. Checked first, since Linux
        // hands out memory it does not have and settles up on first touch by ending a
        // process.
        const qint64 pictureBytes = qint64(size.width()) * size.height() * 4;
        const qint64 textBytes = qint64(logotext::length(size.width(), size.height())) * qint64(sizeof(QChar));
        const qint64 needed = (size != decoded ? 2 : 1) * pictureBytes + textBytes;
        if (!availableBytes)
            availableBytes = availableMemoryBytes();
        if (availableBytes && needed > *availableBytes)
            return PrepareError{PrepareError::Reason::NotEnoughMemory, size.width(), size.height(), print.paperWidth};
    }
    std::variant<PictureRef, PrepareError> prepared = preparePicture(original, print);
    if (auto *error = std::get_if<PrepareError>(&prepared))
        return *error;
    PictureRef pix = std::get<PictureRef>(std::move(prepared));
    try {
        PictureRef working = makePicture(pix->Width(), pix->Height());
        return LoadedPictures{std::move(pix), std::move(working), original};
    } catch (const std::bad_alloc &) {
        return PrepareError{PrepareError::Reason::NotEnoughMemory, size.width(), size.height(), print.paperWidth};
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

std::variant<LoadedPictures, LoadError> decodeForWindow(const QString &path, const PrintSettings &print, FileKinds kinds)
{
    return decodeAndPrepare(path, print, [&] { return openPicture(path, windowLimits(), kinds); });
}

std::variant<LoadedPictures, LoadError> decodeForWindow(QIODevice *device, const QString &name, const PrintSettings &print)
{
    return decodeAndPrepare(name, print, [&] { return openPicture(device, windowLimits()); });
}

void commitLoad(WindowState &state, LoadView &view, LoadedPictures pictures)
{
    // The pictures first, with moves that cannot throw: showing them may (a canvas
    // scales its backdrop), and the state must never hold pictures of two sizes.
    state.original = pictures.original ? std::move(pictures.original) : pictures.pix;
    state.pix = std::move(pictures.pix);
    state.destPix = std::move(pictures.destPix);
    view.setSourceBackdrop(state.pix);
    view.setProcessedBackdrop(state.destPix);
    view.setDimensionsText(QString::number(state.pix->Width()) + QLatin1Char('x') + QString::number(state.pix->Height()));
}

bool loadFile(WindowState &state, LoadView &view, const QString &path, FileKinds kinds)
{
    return finishLoad(state, view, decodeForWindow(path, state.print, kinds));
}

bool loadFrom(WindowState &state, LoadView &view, QIODevice *device, const QString &name)
{
    return finishLoad(state, view, decodeForWindow(device, name, state.print));
}

bool chooseAndLoad(WindowState &state, LoadView &view)
{
    const std::optional<QString> path = view.chooseFile(filetypes::pictures());
    if (!path)
        return false;
    return loadFile(state, view, *path);
}

} // namespace plovan
