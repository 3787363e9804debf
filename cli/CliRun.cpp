#include "CliRun.h"

#include "CliOutput.h"
#include "import/ReasonWords.h"

#include "conversion/AutoThreshold.h"
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/ImageLoader.h"
#include "platform/PictureFile.h"
#include "platform/StderrCapture.h"

#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>

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

// The text as UTF-8, a slice at a time, so that no second copy of a big text is made. The
// one buffer the slices go through is had before the first byte is written, so running out
// of memory cannot cut the text off halfway.
bool writeUtf8(QIODevice &out, const QString &text)
{
    constexpr qsizetype kSlice = qsizetype(1) << 20;
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray bytes(encoder.requiredSpace(kSlice + 1), Qt::Uninitialized);
    for (qsizetype from = 0; from < text.size();) {
        qsizetype count = qMin(kSlice, text.size() - from);
        if (from + count < text.size() && text.at(from + count - 1).isHighSurrogate())
            ++count; // keep a surrogate pair in one slice
        const char *end = encoder.appendToBuffer(bytes.data(), QStringView(text).mid(from, count));
        const qint64 size = end - bytes.constData();
        if (out.write(bytes.constData(), size) != size)
            return false;
        from += count;
    }
    return true;
}

bool writeText(const QString &text, const QString &path, QString &reason)
{
    if (path.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeUtf8(out, text) || !out.flush()) {
            reason = out.errorString();
            return false;
        }
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !writeUtf8(file, text) || !file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
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

    QString reason;
    if (!options.preview.isEmpty()) {
        bool written = false;
        bool outOfMemory = false;
        {
            // libpng prints its own fatal error ("libpng error: insufficient memory") before
            // Qt's writer returns; the tool's one line says what happened instead.
            StderrCapture encoderOutput;
            try {
                written = writePreview(*state.destPix, options.preview, reason);
            } catch (const std::bad_alloc &) {
                outOfMemory = true;
            }
            encoderOutput.drop();
        }
        if (outOfMemory)
            throw std::bad_alloc();
        if (!written) {
            printError(QStringLiteral("cannot write '%1': %2").arg(options.preview, reason));
            return kExitFailed;
        }
    }
    state = WindowState(); // the pictures are done with; only the text is written now
    if (!writeText(view.takeText(), options.output, reason)) {
        printError(QStringLiteral("cannot write '%1': %2")
                       .arg(options.output.isEmpty() ? QStringLiteral("standard output") : options.output, reason));
        return kExitFailed;
    }
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
