#include "CliOutput.h"
#include "CliWords.h"

#include "conversion/PrintSimulation.h"
#include "messages/SimulationWords.h"
#include "messages/WriteFailureWords.h"
#include "platform/OutputFile.h"
#include "platform/StderrCapture.h"

#include <QImageWriter>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>

namespace plovan::cli {

namespace {

std::optional<WriteFailure> writeTo(const OutputTarget &target, const WriteBytes &write)
{
    if (target.path.isEmpty())
        return writeStandardOutput(write);
    return writeFile(target.path, write, {target.input, true});
}

bool said(const OutputTarget &target, const std::optional<WriteFailure> &failure)
{
    if (failure) {
        const QString name = target.path.isEmpty() ? CliWords::tr("standard output") : target.path;
        printError(CliWords::tr("cannot write '%1': %2").arg(name, writeFailureWords(*failure)));
    }
    return !failure;
}

// The text as UTF-8, a slice at a time, so that no second copy of a big text is made. The
// one buffer the slices go through is had before the first byte is written, so running out
// of memory cannot cut the text off halfway.
bool writeUtf8(QIODevice &out, const QString &text)
{
    constexpr qsizetype kSlice = qsizetype(1) << 20;
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray bytes(encoder.requiredSpace(qMin(kSlice, text.size()) + 1), Qt::Uninitialized);
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

} // namespace

void printError(const QString &line)
{
    const QByteArray bytes = QStringLiteral("plovan-cli: %1\n").arg(line).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

bool writePreview(const Picture &picture, const OutputTarget &target)
{
    bool outOfMemory = false;
    std::optional<WriteFailure> failure;
    {
        // libpng prints its own fatal error ("libpng error: insufficient memory", "Write
        // Error") before Qt's writer returns; the tool's one line says what happened instead.
        StderrCapture encoderOutput;
        failure = writeTo(target, [&](QIODevice &device, QString &reason) {
            QImageWriter writer(&device, "png");
            errno = 0;
            if (writer.write(picture.image()))
                return true;
            // libpng reports running out of memory only as an unknown error; errno tells.
            if (errno == ENOMEM)
                outOfMemory = true;
            reason = writer.errorString();
            return false;
        });
        encoderOutput.drop();
    }
    if (outOfMemory)
        throw std::bad_alloc();
    return said(target, failure);
}

bool writeSimulation(const Picture &dots, int dotGainHundredths, const OutputTarget &target)
{
    const std::optional<PictureRef> print = simulatePrint(dots, dotGainHundredths);
    if (!print) {
        printError(CliWords::tr("cannot write '%1': %2")
                       .arg(target.path, simulationTooLargeWords(std::max(dots.Width(), dots.Height()), kMaxSimulatedDots)));
        return false;
    }
    return writePreview(**print, target);
}

bool writeText(const QString &text, const OutputTarget &target)
{
    return said(target, writeTo(target, [&](QIODevice &device, QString &) { return writeUtf8(device, text); }));
}

} // namespace plovan::cli
