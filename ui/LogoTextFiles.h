#pragma once

#include "conversion/LogoTextReader.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <variant>

namespace plovan {

// Logo data text read from a file: the text as it stands in the file, and what reading it
// back found (the picture, or the first fault).
struct OpenedLogoText {
    QString text;
    LogoTextReading reading;
};

// Why a file could not be read or written, in the words of the file system ("No such file
// or directory"); the window puts the file's name and its own sentence around it.
struct LogoTextFileError {
    QString reason;
};

// Reads a file as bytes and reads those back as logo data text. A file larger than the
// longest logo data text (a picture of 32767 x 32768 dots, about 268 MB) is refused before
// it is read. Throws std::bad_alloc when the file or its picture does not fit in memory.
std::variant<OpenedLogoText, LogoTextFileError> readLogoTextFile(const QString &path);

// Writes the text exactly, as UTF-8 without a byte order mark and without a line break
// added, through QSaveFile: the file is replaced only once all of it is written.
std::optional<LogoTextFileError> writeLogoTextFile(const QString &path, QStringView text);

// The most bytes logo data text can have in UTF-8 ("¶" is two bytes).
qint64 longestLogoTextBytes();

} // namespace plovan
