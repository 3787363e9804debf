#include "CheckRun.h"

#include "CliOutput.h"
#include "CliRun.h"
#include "import/ReasonWords.h"

#include "conversion/LogoSummary.h"
#include "conversion/LogoTextReader.h"
#include "platform/PictureFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <new>

namespace plovan::cli {
namespace {

// The bytes of the text. A file is mapped rather than read, so a big file (or a big
// mistake, such as a video given for a text) costs no memory of its own: the check
// stops at the first fault and reads no further.
struct TextBytes {
    QFile file;
    QByteArray read; // standard input, or a file that cannot be mapped
    QByteArrayView bytes;
};

bool openText(const QString &name, TextBytes &text, QString &reason)
{
    if (name == QLatin1String("-")) {
        if (!text.file.open(stdin, QIODevice::ReadOnly)) {
            reason = reasonWords(picturefile::cannotRead(text.file.errorString()));
            return false;
        }
    } else {
        const QFileInfo info(name);
        if (!info.exists()) {
            reason = reasonWords(picturefile::noSuchFile());
            return false;
        }
        if (info.isDir()) {
            reason = QStringLiteral("it is a folder, not a text file");
            return false;
        }
        text.file.setFileName(name);
        if (!text.file.open(QIODevice::ReadOnly)) {
            reason = reasonWords(picturefile::cannotRead(text.file.errorString()));
            return false;
        }
        const qint64 size = text.file.size();
        if (size > 0) {
            if (const uchar *mapped = text.file.map(0, size)) {
                text.bytes = QByteArrayView(mapped, size);
                return true;
            }
        }
    }
    try {
        text.read = text.file.readAll();
    } catch (const std::bad_alloc &) {
        reason = QStringLiteral("not enough memory to read it");
        return false;
    }
    if (text.file.error() != QFileDevice::NoError) {
        reason = reasonWords(picturefile::cannotRead(text.file.errorString()));
        return false;
    }
    text.bytes = text.read;
    return true;
}

bool printLine(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0;
}

} // namespace

int runCheck(const CliOptions &options)
{
    const QString &name = options.check;
    TextBytes text;
    QString reason;
    if (!openText(name, text, reason)) {
        printError(QStringLiteral("cannot read '%1': %2").arg(name, reason));
        return kExitFailed;
    }

    const LogoTextCheck check = checkLogoTextUtf8(text.bytes);
    if (!check.valid) {
        printError(QStringLiteral("'%1' is not logo data text: %2").arg(name, logoTextFaultPlaceAndWords(check.fault)));
        return kExitFailed;
    }

    if (!options.preview.isEmpty()) {
        LogoTextReading reading;
        try {
            reading = readLogoTextUtf8(text.bytes);
        } catch (const std::bad_alloc &) {
            printError(QStringLiteral("cannot read '%1': %2")
                           .arg(name, reasonWords(picturefile::notEnoughMemory(check.width, check.height()))));
            return kExitFailed;
        }
        if (!writePreview(*reading.picture, options.preview, reason)) {
            printError(QStringLiteral("cannot write '%1': %2").arg(options.preview, reason));
            return kExitFailed;
        }
    }

    if (!printLine(logoSummaryLine(logoSummary(check.width, check.height()), options.dpi))) {
        printError(QStringLiteral("cannot write 'standard output'"));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace plovan::cli
