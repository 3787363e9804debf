#include "platform/PictureFile.h"

#include <QFile>
#include <QImageReader>

namespace plovan {

OpenedPicture openPicture(QIODevice *device)
{
    QImageReader reader(device);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {nullptr, reader.errorString()};
    if (!Picture::sideInRange(image.width()) || !Picture::sideInRange(image.height()))
        return {nullptr, QStringLiteral("Width/Height needs to be in the range 1-32767")};
    return {std::make_shared<Picture>(std::move(image).convertToFormat(Picture::kStorageFormat)), {}};
}

OpenedPicture openPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, file.errorString()};
    return openPicture(&file);
}

} // namespace plovan
