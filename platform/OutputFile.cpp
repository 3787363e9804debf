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

// Runs `write` and flushes: nothing when every byte reached the system, else why not (the
// device's own error where it has one, a write the system refused; else what `write` said,
// an encoder's failure).
std::optional<WriteFailure> writeAndFlush(QFileDevice &device, const WriteBytes &write)
{
    QString reason;
    if (write(device, reason) && device.flush() && device.error() == QFileDevice::NoError)
        return std::nullopt;
    if (device.error() != QFileDevice::NoError || reason.isEmpty())
        return systemFailure(device.errorString());
    return systemFailure(reason);
}

// Writes, flushes and closes a device that is written straight into.
std::optional<WriteFailure> writeStraight(QFile &file, const WriteBytes &write)
{
    if (std::optional<WriteFailure> failure = writeAndFlush(file, write))
        return failure;
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
    // QSaveFile::commit() puts the file in place even when the last flush fails, so the
    // flush and its error come first.
    if (std::optional<WriteFailure> failure = writeAndFlush(file, write)) {
        file.cancelWriting();
        return failure;
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
    if (std::optional<WriteFailure> failure = writeAndFlush(out, write))
        return failure;
    if (std::fflush(stdout) != 0)
        return systemFailure(qt_error_string(errno));
    return std::nullopt;
}

} // namespace plovan
