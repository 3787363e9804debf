#include "CliRun.h"
#include "CliWords.h"

#include "CliOutput.h"
#include "messages/LoadReasonWords.h"

#include "conversion/CalibrationStrip.h"
#include "conversion/Convert.h"
#include "conversion/HeadlessView.h"
#include "import/LoadSequence.h"
#include "platform/PictureFile.h"
#include "platform/StderrCapture.h"

#include <QFile>

#include <new>

namespace plovan::cli {
namespace {

// The loading sequence, without a window: the state takes the pictures.
std::optional<LoadError> loadImage(const CliOptions &options, ConversionState &state)
{
    // What the decoders print is no news once the load came back, with a picture or with a
    // reason of ours; anything else (a crash, an abort) gets through.
    StderrCapture decoderOutput;
    std::optional<LoadError> error;
    if (options.image == QLatin1String("-")) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly))
            error = LoadError{options.image, picturefile::cannotRead(input.errorString())};
        else
            error = load(state, PictureSource::openDevice(&input, options.image), nullptr);
    } else {
        error = load(state, PictureSource::file(options.image), nullptr);
    }
    decoderOutput.drop();
    return error;
}

// Everything after the load: the conversion, the text, the preview and the output. Any
// allocation on the way may fail; `run` answers that as a refused load.
int convertAndWrite(const CliOptions &options, ConversionState &state)
{
    HeadlessView view;
    convertLoaded(state, options.conversion, view);
    if (!options.preview.isEmpty() && !writePreview(*state.destPix, {options.preview, options.image}))
        return kExitFailed;
    if (!options.simulate.isEmpty()
        && !writeSimulation(*state.destPix, options.conversion.print.dotGainHundredths, {options.simulate, options.image}))
        return kExitFailed;
    state = ConversionState(); // the pictures are done with; only the text is written now
    if (!writeText(view.takeText(), {options.output, options.image}))
        return kExitFailed;
    return kExitOk;
}

// The calibration strip in place of a loaded picture: already black and white, so the
// plain threshold encodes it as it is (and --dot-gain, for --simulate, leaves it so).
int runStrip(const CliOptions &options)
{
    const PrintSettings &print = options.conversion.print;
    try {
        ConversionState state;
        state.pix = calibrationStrip(print.width, print.halftone, print.serpentine);
        state.destPix = makePicture(state.pix->Width(), state.pix->Height());
        CliOptions strip = options;
        strip.image.clear(); // no file was read
        strip.conversion = ConversionSettings{};
        strip.conversion.threshold = 128;
        strip.conversion.print.dotGainHundredths = print.dotGainHundredths;
        return convertAndWrite(strip, state);
    } catch (const std::bad_alloc &) {
        printError(CliWords::tr("cannot make the calibration strip: %1")
                       .arg(reasonWords(picturefile::notEnoughMemory(print.width, kCalibrationStripHeight))));
        return kExitFailed;
    }
}

} // namespace

int run(const CliOptions &options)
{
    if (options.calibrationStrip)
        return runStrip(options);
    ConversionState state;
    // Scaling and centring happen in the load, as in the window; the halftone in redraw.
    state.print = options.conversion.print;
    if (const std::optional<LoadError> error = loadImage(options, state)) {
        printError(CliWords::tr("cannot load '%1': %2").arg(error->file, reasonWords(error->reason)));
        return kExitFailed;
    }
    const int width = state.pix->Width(), height = state.pix->Height();
    try {
        return convertAndWrite(options, state);
    } catch (const std::bad_alloc &) {
        // The pictures and the text are gone by now (the view with the unwinding, the state
        // here), so the line has the memory it needs. A file being written is a QSaveFile
        // that was never committed: the earlier file, or none, stays.
        state = ConversionState();
        printError(CliWords::tr("cannot load '%1': %2")
                       .arg(options.image, reasonWords(picturefile::notEnoughMemory(width, height))));
        return kExitFailed;
    }
}

} // namespace plovan::cli
