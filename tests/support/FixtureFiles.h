#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace plovan::testsupport {

// `image` written by Qt's writer for `format` ("png", "jpeg", "bmp", ...) into memory. A
// fixture that cannot be written is a broken test setup, so it stops the program.
QByteArray encoded(const QImage &image, const char *format, int quality = -1, bool progressive = false,
                   bool optimized = false);

// The JPEG with an EXIF APP1 segment right after its start marker that carries only the
// orientation tag (0x0112, 1 ... 8), in a little-endian TIFF.
QByteArray withExifOrientation(const QByteArray &jpeg, int orientation);

// A 1 x 1 GIF that Qt itself could read: the content check has to refuse it.
QByteArray gif();

// Two bytes, most significant first, as JPEG and PNG store their numbers.
QByteArray bigEndian16(quint16 value);

// A photo-like picture of any size: gradients in every channel and varying alpha, in
// `format`, converted from ARGB32 so that every format starts from the same pixels.
QImage photo(int width, int height, QImage::Format format);

// Writes a fixture file; a fixture that cannot be written stops the program.
void writeFile(const QString &path, const QByteArray &bytes);

// What a file holds now, for comparing; "(cannot be read)" when it cannot be read, which no
// expected content is.
QByteArray fileBytes(const QString &path);

} // namespace plovan::testsupport
