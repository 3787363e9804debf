#pragma once

// A named pipe that nothing writes to, for checks that the window refuses one rather than
// wait in open() for a writer. Should the program under test wait all the same, the pipe
// lets it go: it is opened for writing (which succeeds only while someone waits to read it)
// and closed again, so the waiting program reads an empty file and the test fails on what
// it does next, instead of hanging. POSIX only, as the pipes are: elsewhere none is made.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

class UnwrittenPipe {
public:
    explicit UnwrittenPipe(const QString &path) : path_(QFile::encodeName(path))
    {
#if defined(Q_OS_UNIX)
        made_ = ::mkfifo(path_.constData(), 0600) == 0;
#endif
        if (made_)
            watch_ = std::thread([this] { watch(); });
    }
    ~UnwrittenPipe()
    {
        stop_ = true;
        if (watch_.joinable())
            watch_.join();
        if (made_)
            QFile::remove(QFile::decodeName(path_));
    }
    UnwrittenPipe(const UnwrittenPipe &) = delete;
    UnwrittenPipe &operator=(const UnwrittenPipe &) = delete;

    bool made() const { return made_; }
    // How often someone was found waiting to read the pipe, and let go.
    int released() const { return released_; }

private:
    void watch()
    {
#if defined(Q_OS_UNIX)
        while (!stop_) {
            // Without a reader this fails at once (ENXIO); with one waiting, it lets it go.
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                ++released_;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
#endif
    }

    QByteArray path_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<int> released_{0};
    std::thread watch_;
};
