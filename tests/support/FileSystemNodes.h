#pragma once

#include <QString>

namespace plovan::testsupport {

// Named pipes, device nodes and sockets in the file system, which the readers and writers
// must refuse or handle: POSIX systems have them, Windows has none, so a case that needs
// one skips there with kNoFileSystemNodes. Each maker is false when the node could not be made
// (a device node takes root).
#if defined(Q_OS_UNIX)
inline constexpr bool kFileSystemNodes = true;
#else
inline constexpr bool kFileSystemNodes = false;
#endif
inline constexpr const char *kNoFileSystemNodes =
    "needs a named pipe, a device node or a socket in the file system, which Windows does not have";

bool makeNamedPipe(const QString &path);
// A character device node of the given numbers (1, 3 is the null device; 1, 5 the zero
// device), and whether `path` still is one of them.
bool makeCharacterDevice(const QString &path, unsigned major, unsigned minor);
bool isCharacterDevice(const QString &path, unsigned major, unsigned minor);
bool makeSocketFile(const QString &path);
bool runningAsRoot();

} // namespace plovan::testsupport

// The first line of a case that needs a named pipe, a device node or a socket.
#define PLOVAN_NEEDS_FILE_SYSTEM_NODES()                                                                                   \
    do {                                                                                                               \
        if (!plovan::testsupport::kFileSystemNodes)                                                                       \
            QSKIP(plovan::testsupport::kNoFileSystemNodes);                                                              \
    } while (false)
