#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace plovan {

// Why a file could not be read or written, in the words of the file system ("No such file
// or directory"); the window puts the file's name and its own sentence around it.
struct LogoTextFileError {
    QString reason;
};

// Writes the text exactly, as UTF-8 without a byte order mark and without a line break
// added, through QSaveFile: the file is replaced only once all of it is written.
std::optional<LogoTextFileError> writeLogoTextFile(const QString &path, QStringView text);

} // namespace plovan
