#include "support/FullDisk.h"

#include <QFile>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace plovan::testsupport {

#if defined(Q_OS_LINUX)

FullDisk::FullDisk()
{
    if (!dir_.isValid() || geteuid() != 0)
        return;
    mounted_ = mount("plovan-full", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                     "size=64k,mode=0700")
        == 0;
}

FullDisk::~FullDisk()
{
    if (mounted_)
        umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool FullDisk::fill()
{
    const QByteArray name = QFile::encodeName(path(QStringLiteral(".filler")));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    static const char block[4096] = {};
    // Big writes first, then single bytes, until not even one byte more fits.
    for (size_t size = sizeof block; size > 0; size /= 2) {
        while (::write(fd, block, size) == ssize_t(size)) {
        }
    }
    const bool full = ::write(fd, block, 1) < 0 && errno == ENOSPC;
    ::close(fd);
    return full;
}

#else

// A file system of one's own to fill is Linux's (tmpfs): elsewhere there is none, and the
// cases that need one skip.
FullDisk::FullDisk() = default;
FullDisk::~FullDisk() = default;

bool FullDisk::fill()
{
    return false;
}

#endif

} // namespace plovan::testsupport
