#include "CliRun.h"

#include "CliOutput.h"
#include "messages/LoadReasonWords.h"

#include "conversion/AutoThreshold.h"
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/ImageLoader.h"
#include "platform/PictureFile.h"
#include "platform/StderrCapture.h"

#include <QFile>

#include <new>

namespace plovan::cli {
namespace {

// The loading half of the window, without a window: it only keeps the error.
class CliLoadView : public LoadView {
public:
    std::optional<QString> chooseFile(const FileTypeSet &) override { return std::nullopt; }
    void setSourceBackdrop(const PictureRef &) override {}
    void setProcessedBackdrop(const PictureRef &) override {}
    void setDimensionsText(const QString &) override {}
    void showLoadError(const LoadError &error) override { this->error = error; }

    LoadError error;
};

bool load(const CliOptions &options, WindowState &state, LoadError &error)
{
    CliLoadView view;
    bool loaded = false;
    {
        // What the decoders print is no news once the load came back, with a picture or
        // with a reason of ours; anything else (a crash, an abort) gets through.
        StderrCapture decoderOutput;
        if (options.image == QLatin1String("-")) {
            QFile input;
            if (!input.open(stdin, QIODevice::ReadOnly)) {
                view.showLoadError({options.image, picturefile::cannotRead(input.errorString())});
            } else {
                loaded = loadFrom(state, view, &input, options.image);
            }
        } else {
            loaded = loadFile(state, view, options.image);
        }
        decoderOutput.drop();
    }
    error = view.error;
    return loaded;
}

// Everything after the load: the conversion, the text, the preview and the output. Any
// allocation on the way may fail; `run` answers that as a refused load.
int convertAndWrite(const CliOptions &options, WindowState &state)
{
    state.reverse = options.reverse;
    state.threshold = options.automaticThreshold ? automaticThreshold(*state.pix, state.reverse) : options.threshold;

    HeadlessView view;
    redraw(state, view);
    createLogoText(state, view);

    if (!options.preview.isEmpty() && !writePreview(*state.destPix, {options.preview, options.image}))
        return kExitFailed;
    state = WindowState(); // the pictures are done with; only the text is written now
    if (!writeText(view.takeText(), {options.output, options.image}))
        return kExitFailed;
    return kExitOk;
}

} // namespace

int run(const CliOptions &options)
{
    WindowState state;
    // Scaling and centring happen in the load, as in the window; the halftone in redraw.
    state.print = options.print;
    LoadError error;
    if (!load(options, state, error)) {
        printError(QStringLiteral("cannot load '%1': %2").arg(error.file, reasonWords(error.reason)));
        return kExitFailed;
    }
    const int width = state.pix->Width(), height = state.pix->Height();
    try {
        return convertAndWrite(options, state);
    } catch (const std::bad_alloc &) {
        // The pictures and the text are gone by now (the view with the unwinding, the state
        // here), so the line has the memory it needs. A file being written is a QSaveFile
        // that was never committed: the earlier file, or none, stays.
        state = WindowState();
        printError(QStringLiteral("cannot load '%1': %2")
                       .arg(options.image, reasonWords(picturefile::notEnoughMemory(width, height))));
        return kExitFailed;
    }
}

} // namespace plovan::cli
