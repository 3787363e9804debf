#pragma once

#include <QString>

#include <functional>
#include <optional>

class QFile;
class QIODevice;

namespace plovan {

// Why a file could not be written, as a value; messages/WriteFailureWords words it.
struct WriteFailure {
    enum class Kind {
        System,  // `systemReason`: what the system said ("No space left on device")
        IsInput, // the path names the very file the run read its input from
    };
    Kind kind = Kind::System;
    QString systemReason;
};

// Puts the bytes into the device; false when it could not, with `reason` set unless the
// device's own error says why.
using WriteBytes = std::function<bool(QIODevice &device, QString &reason)>;

struct WriteOptions {
    // The file the run read its input from ("-" for standard input), which is never written
    // over: the output would destroy what it was made of. Empty when there is none.
    QString input;
    // A named pipe with nothing reading from it: wait for a reader to come, as shell
    // redirection does (plovan-cli), or fail at once (the window, which must not hang).
    bool waitForReader = true;
};

// Writes what `write` puts out to `path`. A regular file, or a new one, is replaced whole or
// not at all (QSaveFile): everything is flushed and the device's error checked before the
// file is put in place, so a full disk leaves the old file as it was. Anything else that is
// there already (a named pipe, a printer's device, a terminal) is written straight into,
// never replaced by a file. Nothing is thrown but what `write` throws.
std::optional<WriteFailure> writeFile(const QString &path, const WriteBytes &write, const WriteOptions &options = {});

// The same to the process's standard output.
std::optional<WriteFailure> writeStandardOutput(const WriteBytes &write);

// The corners that ask the operating system (OutputFileLinux.cpp, OutputFilePortable.cpp).
namespace outputfile {

// Whether `path` names the same existing regular file as `input` (same device and inode
// where the system tells them; "-" stands for standard input).
bool sameRegularFile(const QString &path, const QString &input);

// Opens the existing node at `path`, which is not a regular file, for writing straight
// into it; on failure, what the system said.
std::optional<QString> openStraight(QFile &file, const QString &path, bool waitForReader);

} // namespace outputfile

} // namespace plovan
