#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace plovan {

// Why a file could not be written, in the words of the system ("No space left on device");
// the window puts the file's name and its own sentence around it.
struct LogoTextFileError {
    QString reason;
};

// Writes the text exactly, as UTF-8 without a byte order mark and without a line break
// added. A regular file is replaced only once all of it is written and flushed, so a full
// disk leaves the old one whole; a named pipe or a device is written straight into, and a
// named pipe that nothing reads is refused at once rather than waited on.
std::optional<LogoTextFileError> writeLogoTextFile(const QString &path, QStringView text);

} // namespace plovan
