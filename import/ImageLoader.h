#pragma once

#include "conversion/PreparePicture.h"
#include "conversion/WindowState.h"
#include "import/LoadView.h"
#include "platform/PictureFile.h"

#include <optional>
#include <variant>

class QIODevice;

namespace plovan {

// A decoded picture with its blank working picture of the same size, not yet shown.
struct LoadedPictures {
    PictureRef pix;     // prepared for the printer: scaled and centred as the settings say
    PictureRef destPix;
    // As decoded, before scaling and centring; empty when pix is the picture as decoded.
    PictureRef original{};
};

// Memory a loaded picture of this size still calls for after its two pictures: the logo
// data text Create makes of it. A load refuses a picture when the system cannot give the
// pictures and this.
qint64 bytesAfterLoad(QSize size);

// Prepares `original` for the printer (the scaling and centring of `print`; its halftone is
// redraw's) and makes a blank working picture of the prepared size, touching no window
// state. It first makes sure the memory is there for the pictures it makes and the logo
// data text of them: `availableBytes` is how much there is (nothing: ask the system), and
// less than that is a NotEnoughMemory refusal before any work.
std::variant<LoadedPictures, PrepareError> preparePictures(const PictureRef &original, const PrintSettings &print,
                                                           std::optional<qint64> availableBytes = std::nullopt);
// Why a preparation was refused, as the reason of a refused load.
LoadReason prepareFailure(const PrepareError &error);

// Decodes `path`, prepares it for the printer as `print` says and creates the working
// picture, touching no window state. Any failure (unreadable, not PNG or JPEG, undecodable,
// out of range, out of memory, wider than the paper, not of `kinds`) is a LoadError.
std::variant<LoadedPictures, LoadError> decodeForWindow(const QString &path, const PrintSettings &print = {},
                                                        FileKinds kinds = FileKinds::Any);
// The same from an open device (standard input for the command-line tool); `name` is how
// the user named it, for the error.
std::variant<LoadedPictures, LoadError> decodeForWindow(QIODevice *device, const QString &name,
                                                        const PrintSettings &print = {});

// Makes freshly loaded or prepared pictures the window's: the pictures, both backdrops and
// the size text of the prepared picture ("192x64"). The threshold, reverse flag, print
// settings, progress and text area stay as they are. The pictures are stored before
// anything is shown, so a view that throws leaves the state holding the new pair.
void commitLoad(WindowState &state, LoadView &view, LoadedPictures pictures);

// The whole load of a file already chosen (after the dialog, or dropped on the window),
// prepared with the state's print settings. On failure the view is told why and nothing
// else changes. True when loaded. The window asks for FileKinds::RegularOnly: a named pipe
// would hold it in open() until something writes to it.
bool loadFile(WindowState &state, LoadView &view, const QString &path, FileKinds kinds = FileKinds::Any);
// The same from an open device named `name`.
bool loadFrom(WindowState &state, LoadView &view, QIODevice *device, const QString &name);

// "Load Image....": asks for a JPEG or PNG file, then loads it. Cancelling changes nothing.
bool chooseAndLoad(WindowState &state, LoadView &view);

} // namespace plovan
