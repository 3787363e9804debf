#include "support/WindowRecorder.h"

#include "support/LoadReasons.h"

#include <QCryptographicHash>

namespace plovan::testsupport {

std::optional<QString> WindowRecorder::chooseFile(const FileTypeSet &types)
{
    calls << QStringLiteral("chooseFile %1").arg(types.filterString());
    return nextChoice;
}

void WindowRecorder::setSourceBackdrop(const PictureRef &picture)
{
    calls << QStringLiteral("setSourceBackdrop");
    sourceBackdrop = picture;
}

void WindowRecorder::setProcessedBackdrop(const PictureRef &picture)
{
    calls << QStringLiteral("setProcessedBackdrop");
    processedBackdrop = picture;
}

void WindowRecorder::setDimensionsText(const QString &newText)
{
    calls << QStringLiteral("setDimensionsText %1").arg(newText);
    dimensionsText = newText;
}

void WindowRecorder::showLoadError(const LoadError &error)
{
    calls << QStringLiteral("showLoadError %1: %2").arg(error.file, describe(error.reason));
    errors << error;
}

void WindowRecorder::setProgressText(const QString &newText)
{
    calls << QStringLiteral("setProgressText %1").arg(newText);
    progressText = newText;
    progressHistory << newText;
}

void WindowRecorder::setImageDataText(const QString &newText)
{
    calls << QStringLiteral("setImageDataText");
    text = newText;
    textHistory << text;
}

void WindowRecorder::appendImageDataText(QStringView more)
{
    calls << QStringLiteral("appendImageDataText");
    text.append(more);
    textHistory << text;
}

QByteArray pictureDigest(const Picture &picture)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const ConstRGBSurface surface = picture.rgbSurface();
    const qsizetype rowBytes = qsizetype(surface.width()) * 4;
    for (int y = 0; y < surface.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(surface.row(y)), rowBytes));
    return hash.result();
}

WindowSnapshot WindowSnapshot::take(const ConversionState &state, const WindowRecorder &window)
{
    WindowSnapshot s;
    s.pix = state.pix.get();
    s.destPix = state.destPix.get();
    if (state.pix)
        s.pixDigest = pictureDigest(*state.pix);
    if (state.destPix)
        s.destPixDigest = pictureDigest(*state.destPix);
    s.threshold = state.threshold;
    s.reverse = state.reverse;
    s.sourceBackdrop = window.sourceBackdrop.get();
    s.processedBackdrop = window.processedBackdrop.get();
    s.dimensionsText = window.dimensionsText;
    s.progressText = window.progressText;
    s.text = window.text;
    return s;
}

QString WindowSnapshot::differencesFrom(const WindowSnapshot &o) const
{
    QStringList d;
    if (pix != o.pix)
        d << QStringLiteral("pix");
    if (destPix != o.destPix)
        d << QStringLiteral("destPix");
    if (pixDigest != o.pixDigest)
        d << QStringLiteral("pix pixels");
    if (destPixDigest != o.destPixDigest)
        d << QStringLiteral("destPix pixels");
    if (threshold != o.threshold)
        d << QStringLiteral("threshold");
    if (reverse != o.reverse)
        d << QStringLiteral("reverse");
    if (sourceBackdrop != o.sourceBackdrop)
        d << QStringLiteral("Canvas1 backdrop");
    if (processedBackdrop != o.processedBackdrop)
        d << QStringLiteral("Canvas2 backdrop");
    if (dimensionsText != o.dimensionsText)
        d << QStringLiteral("dimensions_label");
    if (progressText != o.progressText)
        d << QStringLiteral("progress_label");
    if (text != o.text)
        d << QStringLiteral("TextArea1");
    return d.join(QStringLiteral(", "));
}

} // namespace plovan::testsupport
