#pragma once

#include "conversion/WindowState.h"
#include "import/LoadView.h"

#include <variant>

class QIODevice;

namespace plovan {

// A decoded picture with its blank working picture of the same size, not yet shown.
struct LoadedPictures {
    PictureRef pix;
    PictureRef destPix;
};

// Memory a loaded picture of this size still calls for after its two pictures: the logo
// data text Create makes of it. A load refuses a picture when the system cannot give the
// pictures and this.
qint64 bytesAfterLoad(QSize size);

// Decodes `path` and creates the working picture, touching no window state. Any failure
// (unreadable, not PNG or JPEG, undecodable, out of range, out of memory) is a LoadError.
std::variant<LoadedPictures, LoadError> decodeForWindow(const QString &path);
// The same from an open device (standard input for the command-line tool); `name` is how
// the user named it, for the error.
std::variant<LoadedPictures, LoadError> decodeForWindow(QIODevice *device, const QString &name);

// Makes freshly loaded pictures the window's: both pictures, both backdrops and the size
// text ("192x64"). The threshold, reverse flag, progress and text area stay as they are.
// Both pictures are stored before anything is shown, so a view that throws leaves the
// state holding the new pair.
void commitLoad(WindowState &state, LoadView &view, LoadedPictures pictures);

// The whole load of a file already chosen (after the dialog, or dropped on the window).
// On failure the view is told why and nothing else changes. True when loaded.
bool loadFile(WindowState &state, LoadView &view, const QString &path);
// The same from an open device named `name`.
bool loadFrom(WindowState &state, LoadView &view, QIODevice *device, const QString &name);

// "Load Image....": asks for a JPEG or PNG file, then loads it. Cancelling changes nothing.
bool chooseAndLoad(WindowState &state, LoadView &view);

} // namespace plovan
