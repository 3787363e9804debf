#pragma once

#include "conversion/PrepareForPrinter.h"
#include "conversion/ConversionState.h"
#include "import/LoadView.h"
#include "platform/PictureFile.h"

#include <optional>
#include <variant>

class QIODevice;

namespace plovan {

// The loading sequence, written once for the window's three ways in (Load Image or a drop,
// Open Logo Data Text, a changed Image menu choice) and for plovan-cli:
//
//   decode -> prepare for the printer (prepareForPrinter) -> make the blank working picture
//          -> commit (store both pictures, then show them)
//
// Everything is made before anything is stored, so a failure at any step leaves the state
// and the view as they were. The decoded original is kept, and a changed print setting
// prepares the picture again from it.

// A decoded picture with its blank working picture of the same size, not yet shown.
struct LoadedPictures {
    PictureRef pix;     // prepared for the printer: scaled and centred as the settings say
    PictureRef destPix;
    // As decoded, before scaling and centring; empty when pix is the picture as decoded.
    PictureRef original{};
};

// Where the picture of a load comes from: a file to decode, an open device to decode
// (standard input), or a picture already decoded (the one a logo data text encodes).
struct PictureSource {
    QString name; // as the user named it, for the error
    QString path;
    FileKinds kinds = FileKinds::Any;
    QIODevice *device = nullptr;
    PictureRef decoded;

    static PictureSource file(const QString &path, FileKinds kinds = FileKinds::Any) { return {path, path, kinds, nullptr, {}}; }
    static PictureSource openDevice(QIODevice *device, const QString &name) { return {name, {}, FileKinds::Any, device, {}}; }
    static PictureSource picture(PictureRef decoded, const QString &name)
    {
        return {name, {}, FileKinds::Any, nullptr, std::move(decoded)};
    }
};

// Memory a loaded picture of this size still calls for after its two pictures: the logo
// data text Create makes of it. A load refuses a picture when the system cannot give the
// pictures and this.
qint64 bytesAfterLoad(QSize size);

// How much a load's decode may take: every picture the range rule admits, and no more
// than the system can give it with its text.
DecodeLimits loadLimits();

// Prepares `original` for the printer (the stages of `print` up to the centring; its
// halftone is redraw's) and makes a blank working picture of the prepared size, touching
// no state. It first makes sure the memory is there for the pictures it makes, the
// preparation's intermediate ones included, and the logo data text of them:
// `availableBytes` is how much there is (nothing: ask the system), and less than that is
// a NotEnoughMemory refusal before any picture is made.
std::variant<LoadedPictures, PrepareError> prepareLoad(const PictureRef &original, const PrintSettings &print,
                                                       std::optional<qint64> availableBytes = std::nullopt);
// Why a preparation was refused, as the reason of a refused load.
LoadReason prepareFailure(const PrepareError &error);

// The steps before the commit: decodes the source (unless it is a picture already), then
// prepares it as prepareLoad does, touching no state. Any failure (unreadable, not PNG or
// JPEG, undecodable, out of range, out of memory, wider than the paper, not of the source's
// kinds) is a LoadError.
std::variant<LoadedPictures, LoadError> decodeAndPrepare(const PictureSource &source, const PrintSettings &print = {},
                                                         std::optional<qint64> availableBytes = std::nullopt);

// Makes loaded or prepared pictures the state's and, with a view, shows them: both
// backdrops and the size text of the prepared picture ("192x64"). The threshold, reverse
// flag, print settings, progress and text area stay as they are. The pictures are stored
// before anything is shown, so a view that throws leaves the state holding the new pair.
void commitLoad(ConversionState &state, LoadView *view, LoadedPictures pictures);
inline void commitLoad(ConversionState &state, LoadView &view, LoadedPictures pictures)
{
    commitLoad(state, &view, std::move(pictures));
}

// The whole load, prepared with the state's print settings. On failure nothing changes, the
// view (when there is one) is told why, and the error comes back. plovan-cli loads without a
// view: only the state takes the pictures.
std::optional<LoadError> load(ConversionState &state, const PictureSource &source, LoadView *view,
                              std::optional<qint64> availableBytes = std::nullopt);

// load() of a file already chosen (after the dialog, or dropped on the window); true when
// loaded. The window asks for FileKinds::RegularOnly: a named pipe would hold it in open()
// until something writes to it.
bool loadFile(ConversionState &state, LoadView &view, const QString &path, FileKinds kinds = FileKinds::Any);

// "Load Image....": asks for a JPEG or PNG file, then loads it; the path loaded, or nothing
// when cancelled (which changes nothing) or refused.
std::optional<QString> chooseAndLoad(ConversionState &state, LoadView &view, FileKinds kinds = FileKinds::Any);

// A changed print setting: when it reshapes the picture (another fit, width or paper) the
// picture is prepared again from the one decoded and committed; then the settings are the
// state's. On failure the reason comes back and nothing has changed. Converting the picture
// anew (redraw) is the caller's, as after any load.
std::optional<PrepareError> changePrintSettings(ConversionState &state, LoadView &view, const PrintSettings &print,
                                                std::optional<qint64> availableBytes = std::nullopt);

} // namespace plovan
