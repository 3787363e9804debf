#pragma once

#include "platform/LoadReason.h"
#include "platform/Picture.h"

#include <QSize>
#include <QString>

#include <functional>

class QIODevice;

namespace plovan {

// The outcome of opening a picture file: a picture, or the reason it could not be had.
struct OpenedPicture {
    PictureRef picture;
    LoadReason error; // Kind::None on success
};

// How much a decode may allocate. The default lets every picture the range rule admits
// decode, 32767 x 32767 at 16 bits per channel included; a fuzzer sets a small cap.
struct DecodeLimits {
    static constexpr qint64 kDefaultMaxDecodedBytes = qint64(Picture::kMaxSide) * Picture::kMaxSide * 8;

    qint64 maxDecodedBytes = kDefaultMaxDecodedBytes;
    // Refuse a picture that needs more memory than the system says it has free, rather
    // than let the kernel kill the program halfway through (Linux hands out memory it
    // does not have and settles up on first touch).
    bool checkAvailableMemory = true;
    // What the caller will need besides the two pictures once the picture of this size is
    // loaded (the logo data text), counted in that check too.
    std::function<qint64(QSize)> bytesAfterLoad;
};

// Which files a path may name. Opening a named pipe waits for something to write to it,
// for ever if nothing does, and a device may never end: the window, which must not hang,
// takes regular files only, told before anything is opened; plovan-cli reads whatever it
// is given, as scripts hand it pipes.
enum class FileKinds { Any, RegularOnly };

// Decodes a PNG or JPEG picture into an opaque picture of 8-bit red, green and blue.
//
// The content decides the kind (a PNG named .jpg opens; a GIF named .png does not), and
// only Qt's PNG and JPEG readers ever see the bytes. The size the header declares is
// checked against 1-32767 before anything is allocated or decoded. EXIF orientation is
// applied, so the width and height are those of the upright picture. Transparency is laid
// over white, and grey, palette and 16-bit pictures become 8-bit red, green and blue.
// Failures, out of memory included, come back as a reason; nothing is thrown. A path that
// `kinds` does not take is refused unopened.
OpenedPicture openPicture(const QString &path, const DecodeLimits &limits = {}, FileKinds kinds = FileKinds::Any);
// The same from an open device: a random-access one is read from its current position;
// a sequential one (standard input) is read to its end first.
OpenedPicture openPicture(QIODevice *device, const DecodeLimits &limits = {});

} // namespace plovan
