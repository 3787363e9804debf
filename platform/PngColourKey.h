#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

class QIODevice;

namespace plovan {

// Qt 6.4 decodes a 16-bit RGB PNG that has a tRNS colour key wrongly: it reads the
// samples shifted and leaves the end of every row unwritten. We take the key out before
// Qt sees the file, so that it decodes the opaque picture it handles well, and turn the
// pixels that match the key white ourselves (a transparent pixel prints as paper).
struct Rgb16ColourKey {
    quint16 red = 0;
    quint16 green = 0;
    quint16 blue = 0;
};

struct UnkeyedPng {
    QByteArray file;                   // the PNG without its tRNS chunks
    std::optional<Rgb16ColourKey> key; // none when the tRNS chunk was not a valid key
};

// For a PNG on a random-access device that is 16-bit RGB with a tRNS chunk before its
// image data: the file without that chunk, and the key. Nothing for every other PNG,
// which is read as it is; only the chunk headers are read then. Puts the position back.
std::optional<UnkeyedPng> takeOutRgb16ColourKey(QIODevice *device);

// Pixels of a 16-bit RGB picture (QImage::Format_RGBX64 or Format_RGBA64) whose red, green
// and blue equal the key become white.
void whitenColourKey(QImage &picture, const Rgb16ColourKey &key);

} // namespace plovan
