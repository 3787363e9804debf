#pragma once

#include "conversion/WindowState.h"
#include "import/LoadView.h"

#include <variant>

namespace plovan {

// A decoded picture with its blank working picture of the same size, not yet shown.
struct LoadedPictures {
    PictureRef pix;
    PictureRef destPix;
};

// Decodes `path` and creates the working picture, touching no window state. Any failure
// (unreadable, not PNG or JPEG, undecodable, out of range, out of memory) is a LoadError.
std::variant<LoadedPictures, LoadError> decodeForWindow(const QString &path);

// Makes freshly loaded pictures the window's: both pictures, both backdrops and the size
// text ("192x64"). The threshold, reverse flag, progress and text area stay as they are.
void commitLoad(WindowState &state, LoadView &view, LoadedPictures pictures);

// The whole load of a file already chosen (after the dialog, or dropped on the window).
// On failure the view is told why and nothing else changes. True when loaded.
bool loadFile(WindowState &state, LoadView &view, const QString &path);

// "Load Image....": asks for a JPEG or PNG file, then loads it. Cancelling changes nothing.
bool chooseAndLoad(WindowState &state, LoadView &view);

} // namespace plovan
