// The system's half of OutputFile where only Qt and the C++ library are asked: files told
// apart by std::filesystem::equivalent (device and inode, or the file's index on Windows,
// so a hard link counts), and nodes opened as Qt opens them (a named pipe waits for its
// reader, so one that must not be waited on is refused).
#include "platform/OutputFile.h"

#include <QFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace plovan::outputfile {

bool sameRegularFile(const QString &path, const QString &input)
{
    if (input == QLatin1String("-"))
        return false; // standard input has no path to compare here
    const std::filesystem::path out(path.toStdU16String()), in(input.toStdU16String());
    std::error_code error;
    return std::filesystem::is_regular_file(out, error) && std::filesystem::is_regular_file(in, error)
        && std::filesystem::equivalent(out, in, error) && !error;
}

std::optional<QString> openStraight(QFile &file, const QString &path, bool waitForReader)
{
    // Qt cannot open a named pipe without waiting for its reader: where that must not
    // happen (the window), a named pipe is refused as opening it without waiting is on
    // Linux when nobody reads it.
    std::error_code error;
    if (!waitForReader
        && std::filesystem::status(std::filesystem::path(path.toStdU16String()), error).type()
            == std::filesystem::file_type::fifo)
        return qt_error_string(ENXIO);
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::ExistingOnly))
        return file.errorString();
    return std::nullopt;
}

} // namespace plovan::outputfile
