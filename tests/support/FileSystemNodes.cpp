#include "support/FileSystemNodes.h"

#include <QFile>

#if defined(Q_OS_UNIX)
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#if defined(Q_OS_LINUX)
#include <sys/sysmacros.h>
#endif
#endif

namespace plovan::testsupport {

#if defined(Q_OS_UNIX)

bool makeNamedPipe(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeCharacterDevice(const QString &path, unsigned major, unsigned minor)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(major, minor)) == 0;
}

bool isCharacterDevice(const QString &path, unsigned major, unsigned minor)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode)
        && status.st_rdev == makedev(major, minor);
}

bool makeSocketFile(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || size_t(name.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd); // the socket file stays
    return bound;
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

#else

bool makeNamedPipe(const QString &)
{
    return false;
}

bool makeCharacterDevice(const QString &, unsigned, unsigned)
{
    return false;
}

bool isCharacterDevice(const QString &, unsigned, unsigned)
{
    return false;
}

bool makeSocketFile(const QString &)
{
    return false;
}

bool runningAsRoot()
{
    return false;
}

#endif

} // namespace plovan::testsupport
