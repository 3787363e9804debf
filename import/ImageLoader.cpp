#include "import/ImageLoader.h"

#include "platform/Exceptions.h"
#include "platform/PictureFile.h"

#include <new>

namespace plovan {

QString LoadError::message() const
{
    return QStringLiteral("Cannot load '%1': %2").arg(file, reason);
}

std::variant<LoadedPictures, LoadError> decodeForWindow(const QString &path)
{
    try {
        OpenedPicture opened = openPicture(path);
        if (!opened.picture)
            return LoadError{path, opened.error};
        PictureRef working = makePicture(opened.picture->Width(), opened.picture->Height());
        return LoadedPictures{std::move(opened.picture), std::move(working)};
    } catch (const OutOfBoundsException &error) {
        return LoadError{path, QString::fromUtf8(error.what())};
    } catch (const std::bad_alloc &) {
        return LoadError{path, QStringLiteral("not enough memory for a picture this large")};
    }
}

void commitLoad(WindowState &state, LoadView &view, LoadedPictures pictures)
{
    state.pix = std::move(pictures.pix);
    view.setSourceBackdrop(state.pix);
    state.destPix = std::move(pictures.destPix);
    view.setProcessedBackdrop(state.destPix);
    view.setDimensionsText(QString::number(state.pix->Width()) + QLatin1Char('x') + QString::number(state.pix->Height()));
}

bool loadFile(WindowState &state, LoadView &view, const QString &path)
{
    auto decoded = decodeForWindow(path);
    if (auto *error = std::get_if<LoadError>(&decoded)) {
        view.showLoadError(*error);
        return false;
    }
    commitLoad(state, view, std::get<LoadedPictures>(std::move(decoded)));
    return true;
}

bool chooseAndLoad(WindowState &state, LoadView &view)
{
    const std::optional<QString> path = view.chooseFile(filetypes::pictures());
    if (!path)
        return false;
    return loadFile(state, view, *path);
}

} // namespace plovan
