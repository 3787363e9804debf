#pragma once

#include <QString>
#include <QTemporaryDir>

namespace plovan::testsupport {

// A tiny file system of its own (tmpfs), mounted in a temporary folder and filled up to the
// last byte once the files a test wants there have been put in: every write after that fails
// with "No space left on device", as on a full disk. Mounting takes root (CI runs as root);
// elsewhere `mounted()` is false and the test skips. Unmounted when it goes.
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool mounted() const { return mounted_; }
    QString path(const QString &name) const { return dir_.filePath(name); }
    // Takes up what room is left; true when the disk is full afterwards.
    bool fill();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace plovan::testsupport

// In a test function: skips unless a full disk could be had.
#if defined(Q_OS_LINUX)
#define PLOVAN_NO_FULL_DISK "mounting a small tmpfs needs root"
#else
#define PLOVAN_NO_FULL_DISK "a full disk is made as a small tmpfs, which only Linux has"
#endif
#define PLOVAN_REQUIRE_FULL_DISK(disk)                                                        \
    do {                                                                                      \
        if (!(disk).mounted())                                                                \
            QSKIP(PLOVAN_NO_FULL_DISK);                                                       \
    } while (false)
