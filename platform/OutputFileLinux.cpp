// The system's half of OutputFile on Linux: files told apart by device and inode, and
// nodes opened without waiting when asked.
#include "platform/OutputFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plovan::outputfile {

namespace {

bool regularAt(const QString &path, struct stat &status)
{
    if (path == QLatin1String("-"))
        return fstat(STDIN_FILENO, &status) == 0 && S_ISREG(status.st_mode);
    return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

bool sameRegularFile(const QString &path, const QString &input)
{
    struct stat out {}, in {};
    return regularAt(path, out) && regularAt(input, in) && out.st_dev == in.st_dev && out.st_ino == in.st_ino;
}

std::optional<QString> openStraight(QFile &file, const QString &path, bool waitForReader)
{
    // O_NONBLOCK makes opening a named pipe nobody reads fail at once (ENXIO) instead of
    // waiting; the writes after it wait as usual.
    const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC | (waitForReader ? 0 : O_NONBLOCK);
    int fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), flags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return qt_error_string(errno);
    if (!waitForReader) {
        const int status = fcntl(fd, F_GETFL);
        if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) < 0) {
            const int error = errno;
            ::close(fd);
            return qt_error_string(error);
        }
    }
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace plovan::outputfile
