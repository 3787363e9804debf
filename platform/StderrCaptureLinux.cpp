// Capture of standard error on Linux: an anonymous in-memory file (memfd) and sigaction.
// See StderrCapture.h; what every system shares is in StderrCapture.cpp.
#include "platform/StderrCaptureSystem.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <sys/mman.h>
#include <unistd.h>

namespace plovan::stderrcapture {
namespace {

constexpr int kFatalSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction previousActions[std::size(kFatalSignals)];

void writeAll(int fd, const char *data, ssize_t size) noexcept
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= written;
    }
}

} // namespace

bool redirect(int &capture, int &saved)
{
    const int file = memfd_create("plovan-stderr", MFD_CLOEXEC);
    if (file < 0)
        return false;
    const int copy = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (copy < 0 || dup2(file, STDERR_FILENO) < 0) {
        if (copy >= 0)
            close(copy);
        close(file);
        return false;
    }
    capture = file;
    saved = copy;
    return true;
}

void restore(int capture, int saved, bool drop) noexcept
{
    dup2(saved, STDERR_FILENO);
    if (!drop) {
        char buffer[4096];
        off_t at = 0;
        for (;;) {
            const ssize_t got = pread(capture, buffer, sizeof buffer, at);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            writeAll(STDERR_FILENO, buffer, got);
            at += got;
        }
    }
    close(saved);
    close(capture);
}

void release()
{
    // restore() closed everything already.
}

void catchFatalSignals(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_NODEFER;
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], &action, &previousActions[i]);
}

void restoreSignalHandlers() noexcept
{
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], &previousActions[i], nullptr);
}

} // namespace plovan::stderrcapture
