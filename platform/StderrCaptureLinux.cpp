// Capture of standard error on Linux: see StderrCapture.h.
#include "platform/StderrCapture.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <sys/mman.h>
#include <unistd.h>

#if defined(PLOVAN_SANITIZE)
#include <sanitizer/common_interface_defs.h>
#endif

namespace plovan {
namespace {

// The state the signal handlers read: plain integers, set before they are installed.
volatile sig_atomic_t savedFd = -1;   // the real standard error
volatile sig_atomic_t captureFd = -1; // where fd 2 points meanwhile

constexpr int kFatalSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction previousActions[std::size(kFatalSignals)];

void reportSanitizersTo(int fd)
{
#if defined(PLOVAN_SANITIZE)
    __sanitizer_set_report_fd(reinterpret_cast<void *>(std::intptr_t(fd)));
#else
    (void)fd;
#endif
}

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

// Puts the real standard error back and, unless `drop`, copies what was captured to it.
// Async-signal-safe: it also runs in the fatal-signal handler.
void endCapture(bool drop) noexcept
{
    const int saved = savedFd;
    const int capture = captureFd;
    if (saved < 0)
        return;
    savedFd = -1;
    captureFd = -1;
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

void restoreSignalHandlers() noexcept
{
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], &previousActions[i], nullptr);
}

void onFatalSignal(int signal)
{
    const int errnoBefore = errno;
    endCapture(false);
    reportSanitizersTo(STDERR_FILENO);
    restoreSignalHandlers();
    errno = errnoBefore;
    // Raised again under the handler that was there before (the default ends the process
    // the way it would have ended); a fault, returned from, faults again the same way.
    raise(signal);
}

void onExit()
{
    endCapture(false);
}

} // namespace

StderrCapture::StderrCapture()
{
    if (savedFd >= 0)
        return;
    std::fflush(stderr);
    const int capture = memfd_create("plovan-stderr", MFD_CLOEXEC);
    if (capture < 0)
        return; // nothing is captured: the messages go where they always went
    const int saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (saved < 0 || dup2(capture, STDERR_FILENO) < 0) {
        if (saved >= 0)
            close(saved);
        close(capture);
        return;
    }
    captureFd = capture;
    savedFd = saved;
    active_ = true;
    reportSanitizersTo(saved);

    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_NODEFER;
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        sigaction(kFatalSignals[i], &action, &previousActions[i]);
    static const bool exitHook = std::atexit(onExit) == 0;
    (void)exitHook;
#if defined(PLOVAN_SANITIZE)
    // A sanitizer ends the process after its report without running atexit handlers.
    __sanitizer_set_death_callback(onExit);
#endif
}

StderrCapture::~StderrCapture()
{
    if (!active_)
        return;
    std::fflush(stderr);
    restoreSignalHandlers();
    reportSanitizersTo(STDERR_FILENO);
    endCapture(false);
}

void StderrCapture::drop()
{
    if (!active_)
        return;
    std::fflush(stderr);
    restoreSignalHandlers();
    reportSanitizersTo(STDERR_FILENO);
    endCapture(true);
    active_ = false;
}

} // namespace plovan
