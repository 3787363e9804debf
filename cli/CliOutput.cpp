#include "CliOutput.h"

#include <QImageWriter>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <new>

namespace plovan::cli {

void printError(const QString &line)
{
    const QByteArray bytes = QStringLiteral("plovan-cli: %1\n").arg(line).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

bool writePreview(const Picture &picture, const QString &path, QString &reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "png");
    errno = 0;
    if (!writer.write(picture.image())) {
        // libpng reports running out of memory only as an unknown error; errno tells.
        if (errno == ENOMEM)
            throw std::bad_alloc();
        reason = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace plovan::cli
