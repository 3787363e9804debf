#pragma once

// The longest logo data text there can be, made a piece at a time rather than held in
// memory, and a feeder that writes it (or anything longer, without end) into a named pipe
// from a thread: the sizes around the longest text, through pipes, for the readers' bounds.
// The feeder is POSIX only, as the pipes are.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace longesttext {

// 4096 bands of 32767 columns: a picture of 32767 x 32767 dots, the last band's row past
// them white, as the format asks.
constexpr int kBands = 4096;
constexpr qint64 kBandBytes = 5 + 2 * 32767 + 2; // "BMD¶", the digits, "¶"
constexpr qint64 kBytes = 5 + kBands * kBandBytes + 5; // "OBM¶", the bands, "CBM¶"

// The text, then `extra` bytes of '0' (-1: without end), in pieces.
class Stream {
public:
    explicit Stream(qint64 extra) : extra_(extra)
    {
        band_ = "BMD\xC2\xB6" + QByteArray(2 * 32767, '0') + "\xC2\xB6";
        zeros_ = QByteArray(1 << 20, '0');
    }

    // The next piece, empty at the end.
    QByteArray next()
    {
        ++piece_;
        if (piece_ == 1)
            return QByteArray("OBM\xC2\xB6");
        if (piece_ <= 1 + kBands)
            return band_;
        if (piece_ == 2 + kBands)
            return QByteArray("CBM\xC2\xB6");
        if (extra_ < 0)
            return zeros_;
        const qint64 count = std::min<qint64>(extra_ - extraGiven_, zeros_.size());
        extraGiven_ += count;
        return zeros_.left(qsizetype(count));
    }

private:
    qint64 extra_;
    qint64 extraGiven_ = 0;
    qint64 piece_ = 0;
    QByteArray band_;
    QByteArray zeros_;
};

#if defined(Q_OS_UNIX)
// Writes a Stream into a named pipe from a thread of its own: it opens the pipe (waiting for
// a reader), writes until the stream ends or the reader goes away, and closes it. A reader
// that stops reading early ends the writing (the process must ignore SIGPIPE; the
// constructor does so).
class PipeFeeder {
public:
    PipeFeeder(const QString &path, qint64 extra) : path_(QFile::encodeName(path)), stream_(extra)
    {
        std::signal(SIGPIPE, SIG_IGN);
        thread_ = std::thread([this] { feed(); });
    }
    // Should no reader have come, one comes and goes at once, so that the feeder stops.
    ~PipeFeeder()
    {
        const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
        thread_.join();
    }
    PipeFeeder(const PipeFeeder &) = delete;
    PipeFeeder &operator=(const PipeFeeder &) = delete;

    // What was written, once the feeder has gone.
    qint64 written() const { return written_; }

private:
    void feed()
    {
        const int fd = ::open(path_.constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        for (QByteArray piece = stream_.next(); !piece.isEmpty(); piece = stream_.next()) {
            for (qsizetype at = 0; at < piece.size();) {
                const ssize_t n = ::write(fd, piece.constData() + at, size_t(piece.size() - at));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    ::close(fd);
                    return;
                }
                at += n;
                written_ += n;
            }
        }
        ::close(fd);
    }

    QByteArray path_;
    Stream stream_;
    std::atomic<qint64> written_{0};
    std::thread thread_;
};
#endif

} // namespace longesttext
