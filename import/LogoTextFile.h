#pragma once

#include "conversion/LogoTextReader.h"
#include "platform/PictureFile.h"

#include <QByteArray>
#include <QString>
#include <variant>

class QIODevice;

namespace plovan {

// The most bytes logo data text can have in UTF-8: a picture of 32767 x 32768 dots, about
// 268 MB ("¶" is two bytes).
qint64 longestLogoTextBytes();

// Why logo data text could not be read, as a value; messages/ReadFailureWords words it.
struct LogoTextReadError {
    enum class Reason {
        NoSuchFile,
        IsFolder,
        NotRegularFile,  // a named pipe, a device or a socket, where only regular files are taken
        CannotRead,      // `systemReason`: what the system said
        TooLarge,        // more than longestLogoTextBytes()
        NotEnoughMemory, // for the bytes (width and height 0), or for the picture of width x height
    };
    Reason reason = Reason::CannotRead;
    QString systemReason;
    int width = 0;
    int height = 0;

    friend bool operator==(const LogoTextReadError &, const LogoTextReadError &) = default;
};

// Whether a valid text's picture is made, or the text only checked.
enum class LogoTextPicture { CheckOnly, Make };

// Logo data text as read: its bytes, read once and kept, and what reading those same bytes
// back found. reading.picture is set exactly when the text is valid and its picture was
// asked for.
struct ReadLogoText {
    QByteArray bytes;
    LogoTextReading reading;
};

// Reads logo data text from an open device, from its current position to its end, once and
// into memory, so that whatever changes the source meanwhile (a file rewritten, cut short)
// can change neither the check nor the picture: both come from the bytes read. A random-
// access device with more bytes left than the longest text is refused unread; from any
// other (a pipe, standard input, a device that never ends) at most one byte more than the
// longest text is read. Nothing is thrown: running out of memory is an error too.
std::variant<ReadLogoText, LogoTextReadError> readLogoText(QIODevice &device, LogoTextPicture picture);

// The same from a file. What `kinds` does not take (for the window: a named pipe, which
// would hold it in open() until something writes to it, or a device) is refused before
// anything is opened.
std::variant<ReadLogoText, LogoTextReadError> readLogoTextFile(const QString &path, FileKinds kinds,
                                                               LogoTextPicture picture);

} // namespace plovan
