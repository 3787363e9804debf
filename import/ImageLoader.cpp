#include "import/ImageLoader.h"

#include "conversion/LogoText.h"
#include "platform/Exceptions.h"
#include "platform/PictureFile.h"

#include <new>

namespace plovan {

namespace {

// Both pictures are made before anything is shown, so a failure at either step leaves
// the window as it was; the decoded picture goes when this returns an error.
template<typename Open>
std::variant<LoadedPictures, LoadError> decodeAndPrepare(const QString &name, Open open)
{
    QSize size;
    try {
        OpenedPicture opened = open();
        if (!opened.picture)
            return LoadError{name, opened.error};
        size = QSize(opened.picture->Width(), opened.picture->Height());
        PictureRef working = makePicture(size.width(), size.height());
        return LoadedPictures{std::move(opened.picture), std::move(working)};
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

std::variant<LoadedPictures, LoadError> decodeForWindow(const QString &path)
{
    return decodeAndPrepare(path, [&] { return openPicture(path, windowLimits()); });
}

std::variant<LoadedPictures, LoadError> decodeForWindow(QIODevice *device, const QString &name)
{
    return decodeAndPrepare(name, [&] { return openPicture(device, windowLimits()); });
}

void commitLoad(WindowState &state, LoadView &view, LoadedPictures pictures)
{
    // Both pictures first, with moves that cannot throw: showing them may (a canvas
    // scales its backdrop), and the state must never hold pictures of two sizes.
    state.pix = std::move(pictures.pix);
    state.destPix = std::move(pictures.destPix);
    view.setSourceBackdrop(state.pix);
    view.setProcessedBackdrop(state.destPix);
    view.setDimensionsText(QString::number(state.pix->Width()) + QLatin1Char('x') + QString::number(state.pix->Height()));
}

bool loadFile(WindowState &state, LoadView &view, const QString &path)
{
    return finishLoad(state, view, decodeForWindow(path));
}

bool loadFrom(WindowState &state, LoadView &view, QIODevice *device, const QString &name)
{
    return finishLoad(state, view, decodeForWindow(device, name));
}

bool chooseAndLoad(WindowState &state, LoadView &view)
{
    const std::optional<QString> path = view.chooseFile(filetypes::pictures());
    if (!path)
        return false;
    return loadFile(state, view, *path);
}

} // namespace plovan
