// Capture of standard error from the C library, for systems other than Linux (and for
// Linux built with PLOVAN_PORTABLE): a temporary file and std::signal. See
// StderrCapture.h; what every system shares is in StderrCapture.cpp. The file descriptor
// calls are POSIX, and the C runtime of Windows has them under names with an underscore.
#include "platform/StderrCaptureSystem.h"

#include <QtGlobal>

#include <csignal>
#include <cstdio>
#include <iterator>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace plovan::stderrcapture {
namespace {

#if defined(Q_OS_WIN)
int duplicate(int fd) { return _dup(fd); }
int duplicateTo(int fd, int to) { return _dup2(fd, to); }
int closeFd(int fd) { return _close(fd); }
long long readFd(int fd, char *data, unsigned size) { return _read(fd, data, size); }
long long writeFd(int fd, const char *data, unsigned size) { return _write(fd, data, size); }
bool rewindFd(int fd) { return _lseek(fd, 0, SEEK_SET) == 0; }
#else
int duplicate(int fd) { return dup(fd); }
int duplicateTo(int fd, int to) { return dup2(fd, to); }
int closeFd(int fd) { return close(fd); }
long long readFd(int fd, char *data, unsigned size) { return read(fd, data, size); }
long long writeFd(int fd, const char *data, unsigned size) { return write(fd, data, size); }
bool rewindFd(int fd) { return lseek(fd, 0, SEEK_SET) == 0; }
#endif

std::FILE *captureFile = nullptr; // owns the capture's file descriptor

constexpr int kFatalSignals[] = {SIGABRT, SIGSEGV, SIGFPE, SIGILL};
using Handler = void (*)(int);
Handler previousHandlers[std::size(kFatalSignals)];

} // namespace

bool redirect(int &capture, int &saved)
{
    std::FILE *file = std::tmpfile();
    if (!file)
        return false;
#if defined(Q_OS_WIN)
    const int fd = _fileno(file);
#else
    const int fd = fileno(file);
#endif
    const int copy = duplicate(kStderr);
    if (copy < 0 || duplicateTo(fd, kStderr) < 0) {
        if (copy >= 0)
            closeFd(copy);
        std::fclose(file);
        return false;
    }
    captureFile = file;
    capture = fd;
    saved = copy;
    return true;
}

void restore(int capture, int saved, bool drop) noexcept
{
    duplicateTo(saved, kStderr);
    if (!drop && rewindFd(capture)) {
        char buffer[4096];
        long long got = 0;
        while ((got = readFd(capture, buffer, sizeof buffer)) > 0) {
            for (long long done = 0; done < got;) {
                const long long written = writeFd(kStderr, buffer + done, unsigned(got - done));
                if (written <= 0)
                    break;
                done += written;
            }
        }
    }
    closeFd(saved);
}

void release()
{
    // The temporary file is closed by the C library, which a signal handler may not call.
    if (captureFile)
        std::fclose(captureFile);
    captureFile = nullptr;
}

void catchFatalSignals(void (*handler)(int))
{
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        previousHandlers[i] = std::signal(kFatalSignals[i], handler);
}

void restoreSignalHandlers() noexcept
{
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        std::signal(kFatalSignals[i], previousHandlers[i] == SIG_ERR ? SIG_DFL : previousHandlers[i]);
}

} // namespace plovan::stderrcapture
