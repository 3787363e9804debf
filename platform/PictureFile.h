#pragma once

#include "platform/Picture.h"

#include <QString>

class QIODevice;

namespace plovan {

// The outcome of opening a picture file: a picture, or the reason it could not be had.
struct OpenedPicture {
    PictureRef picture;
    QString error; // empty on success; a reason fit to show after the file's name
};

// Decodes a PNG or JPEG file into an opaque picture of 8-bit red, green and blue.
OpenedPicture openPicture(const QString &path);
OpenedPicture openPicture(QIODevice *device);

} // namespace plovan
