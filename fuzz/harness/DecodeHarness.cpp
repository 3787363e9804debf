#include "harness/DecodeHarness.h"

#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "harness/Reference.h"
#include "support/LoadReasons.h"
#include "support/WindowRecorder.h"
#include "import/LoadSequence.h"
#include "platform/PictureFile.h"
#include "platform/PictureHeader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace plovan::fuzz {

using testsupport::pictureDigest;
using testsupport::WindowRecorder;
using testsupport::WindowSnapshot;
namespace {

// One scratch directory per process; the file in it is rewritten for every input.
QString scratchPath(const QString &fileName)
{
    static QTemporaryDir dir;
    return dir.path() + QLatin1Char('/') + fileName;
}

// A window that already shows something: a 3 x 2 picture converted at threshold 180 in
// reverse mode, its logo data text, and an edit the user made to that text.
void showEarlierPicture(ConversionState &state, WindowRecorder &window)
{
    PictureRef pix = makePicture(3, 2);
    RGBSurface surface = pix->rgbSurface();
    const Colour colours[] = {RGB(10, 20, 30), RGB(200, 190, 180), RGB(181, 181, 181),
                              RGB(0, 0, 0), RGB(255, 255, 255), RGB(179, 181, 180)};
    for (int i = 0; i < 6; ++i)
        surface.Pixel(i % 3, i / 3, colours[i]);
    commitLoad(state, window, {pix, makePicture(3, 2)});
    state.threshold = 180;
    state.reverse = true;
    redraw(state, window);
    createLogoText(state, window);
    window.setImageDataText(window.text + QStringLiteral("edited by hand"));
}

bool allWhite(const Picture &picture)
{
    const ConstRGBSurface surface = picture.rgbSurface();
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.row(y)[x] != 0xFFFFFFFFu)
                return false;
        }
    }
    return true;
}

} // namespace

DecodeOutcome runDecodePath(QByteArrayView input, qint64 maxPixels, const QString &fileName)
{
    if (maxPixels > 0) {
        // The size the header declares is the one the loader allocates for.
        QBuffer buffer;
        buffer.setData(input.toByteArray());
        buffer.open(QIODevice::ReadOnly);
        const PictureKind kind = sniffPictureKind(input.first(qMin<qsizetype>(8, input.size())));
        const QSize size = kind == PictureKind::Unknown ? QSize() : readDeclaredSize(&buffer, kind).value_or(QSize());
        if (size.isValid() && Picture::sideInRange(size.width()) && Picture::sideInRange(size.height())
            && qint64(size.width()) * size.height() > maxPixels) {
            DecodeOutcome skipped;
            skipped.skipped = true;
            return skipped;
        }
    }

    const QString path = scratchPath(fileName);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input.data(), input.size()) != input.size()) {
            DecodeOutcome out;
            out.failure = QStringLiteral("cannot write the scratch file %1").arg(path);
            return out;
        }
    }
    DecodeOutcome out = runWindowLoad(path);
    QStringList failures;
    if (!out.failure.isEmpty())
        failures << out.failure;

    // The command line reads standard input through the same decoding as a stream.
    QBuffer buffer;
    buffer.setData(input.toByteArray());
    buffer.open(QIODevice::ReadOnly);
    const OpenedPicture streamed = openPicture(&buffer);
    if (bool(streamed.picture) != out.loaded) {
        failures << QStringLiteral("as a file it was %1, as a stream %2")
                        .arg(out.loaded ? QStringLiteral("loaded") : QStringLiteral("refused (%1)").arg(testsupport::describe(out.reason)),
                             streamed.picture ? QStringLiteral("loaded")
                                              : QStringLiteral("refused (%1)").arg(testsupport::describe(streamed.error)));
    } else if (streamed.picture && out.pix && pictureDigest(*streamed.picture) != pictureDigest(*out.pix)) {
        failures << QStringLiteral("the file and the stream decode to different pixels");
    }
    out.failure = failures.join(QStringLiteral("; "));
    return out;
}

DecodeOutcome runWindowLoad(const QString &path)
{
    DecodeOutcome out;
    ConversionState state;
    WindowRecorder window;
    showEarlierPicture(state, window);
    const WindowSnapshot before = WindowSnapshot::take(state, window);
    const qsizetype callsBefore = window.calls.size();

    out.loaded = loadFile(state, window, path);
    const QStringList calls = window.calls.mid(callsBefore);
    QStringList failures;
    if (!out.loaded) {
        if (window.errors.size() != 1) {
            failures << QStringLiteral("the refusal was reported %1 times").arg(window.errors.size());
        } else {
            const LoadError &error = window.errors.first();
            out.reason = error.reason;
            if (error.file != path)
                failures << QStringLiteral("the refusal names '%1', not the file").arg(error.file);
            if (error.reason.kind == LoadReason::Kind::None)
                failures << QStringLiteral("the refusal gives no reason");
        }
        if (calls.size() != 1)
            failures << QStringLiteral("a refused load also told the window: %1").arg(calls.join(QStringLiteral("; ")));
        if (const QString changed = WindowSnapshot::take(state, window).differencesFrom(before); !changed.isEmpty())
            failures << QStringLiteral("a refused load changed %1").arg(changed);
    } else {
        out.pix = state.pix;
        if (!window.errors.isEmpty())
            failures << QStringLiteral("loaded but also reported %1").arg(testsupport::describe(window.errors.first().reason));
        if (!state.hasPictures()) {
            failures << QStringLiteral("loaded without both pictures");
        } else {
            const int w = state.pix->Width(), h = state.pix->Height();
            if (state.pix.get() == before.pix || state.destPix.get() == before.destPix)
                failures << QStringLiteral("a load kept an earlier picture");
            if (!Picture::sideInRange(w) || !Picture::sideInRange(h))
                failures << QStringLiteral("loaded a %1x%2 picture").arg(w).arg(h);
            if (state.destPix->Width() != w || state.destPix->Height() != h)
                failures << QStringLiteral("destPix %1x%2 for pix %3x%4").arg(state.destPix->Width()).arg(state.destPix->Height()).arg(w).arg(h);
            if (state.pix->image().format() != Picture::kStorageFormat || state.destPix->image().format() != Picture::kStorageFormat)
                failures << QStringLiteral("a picture not in the storage format");
            if (window.sourceBackdrop != state.pix || window.processedBackdrop != state.destPix)
                failures << QStringLiteral("the canvases do not show the new pictures");
            if (window.dimensionsText != QStringLiteral("%1x%2").arg(w).arg(h))
                failures << QStringLiteral("dimensions_label '%1' for %2x%3").arg(window.dimensionsText).arg(w).arg(h);
            if (state.threshold != before.threshold || state.reverse != before.reverse || window.text != before.text
                || window.progressText != before.progressText)
                failures << QStringLiteral("a load changed the threshold, reverse flag, text or progress");
            if (state.destPix->Width() == w && state.destPix->Height() == h) {
                if (!allWhite(*state.destPix))
                    failures << QStringLiteral("the new working picture is not blank white");
                else if (const QString wrong = checkRedrawAndCreate(state, window); !wrong.isEmpty())
                    failures << wrong;
            }
        }
    }

    out.failure = failures.join(QStringLiteral("; "));
    return out;
}

} // namespace plovan::fuzz
