#include "platform/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace plovan {

namespace {

WriteFailure systemFailure(const QString &reason)
{
    return {WriteFailure::Kind::System, reason};
}

// Why `write` or the flush after it failed: the device's own error where it has one (a
// write the system refused), else what `write` said (an encoder's failure).
QString failureOf(const QFileDevice &device, const QString &reason)
{
    if (device.error() != QFileDevice::NoError)
        return device.errorString();
    return reason.isEmpty() ? device.errorString() : reason;
}

// Writes, flushes and closes a device that is written straight into.
std::optional<WriteFailure> writeStraight(QFile &file, const WriteBytes &write)
{
    QString reason;
    if (!write(file, reason) || !file.flush() || file.error() != QFileDevice::NoError)
        return systemFailure(failureOf(file, reason));
    file.close();
    if (file.error() != QFileDevice::NoError)
        return systemFailure(file.errorString());
    return std::nullopt;
}

} // namespace

std::optional<WriteFailure> writeFile(const QString &path, const WriteBytes &write, const WriteOptions &options)
{
    if (!options.input.isEmpty() && outputfile::sameRegularFile(path, options.input))
        return WriteFailure{WriteFailure::Kind::IsInput, {}};

    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        QFile file;
        if (std::optional<QString> reason = outputfile::openStraight(file, path, options.waitForReader))
            return systemFailure(*reason);
        return writeStraight(file, write);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return systemFailure(file.errorString());
    QString reason;
    // QSaveFile::commit() puts the file in place even when the last flush fails, so the
    // flush and its error come first.
    if (!write(file, reason) || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString why = failureOf(file, reason);
        file.cancelWriting();
        return systemFailure(why);
    }
    if (!file.commit())
        return systemFailure(file.errorString());
    return std::nullopt;
}

std::optional<WriteFailure> writeStandardOutput(const WriteBytes &write)
{
    std::fflush(stdout);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return systemFailure(out.errorString());
    QString reason;
    if (!write(out, reason) || !out.flush() || out.error() != QFileDevice::NoError)
        return systemFailure(failureOf(out, reason));
    if (std::fflush(stdout) != 0)
        return systemFailure(qt_error_string(errno));
    return std::nullopt;
}

} // namespace plovan
