// Capture of standard error, what every system shares: see StderrCapture.h. What asks the
// operating system for something is in StderrCaptureLinux.cpp or StderrCapturePortable.cpp.
#include "platform/StderrCapture.h"

#include "platform/StderrCaptureSystem.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#if defined(PLOVAN_SANITIZE)
#include <sanitizer/common_interface_defs.h>
#endif

namespace plovan {
namespace {

using namespace stderrcapture;

// The state the signal handlers read: plain integers, set before they are installed.
volatile std::sig_atomic_t savedFd = -1;   // the real standard error
volatile std::sig_atomic_t captureFd = -1; // where fd 2 points meanwhile

void reportSanitizersTo(int fd)
{
#if defined(PLOVAN_SANITIZE)
    __sanitizer_set_report_fd(reinterpret_cast<void *>(std::intptr_t(fd)));
#else
    (void)fd;
#endif
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
    restore(capture, saved, drop);
}

void onFatalSignal(int signal)
{
    const int errnoBefore = errno;
    endCapture(false);
    reportSanitizersTo(kStderr);
    restoreSignalHandlers();
    errno = errnoBefore;
    // Raised again under the handler that was there before (the default ends the process
    // the way it would have ended); a fault, returned from, faults again the same way.
    std::raise(signal);
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
    int capture = -1;
    int saved = -1;
    if (!redirect(capture, saved))
        return; // nothing is captured: the messages go where they always went
    captureFd = capture;
    savedFd = saved;
    active_ = true;
    reportSanitizersTo(saved);
    catchFatalSignals(onFatalSignal);
    static const bool exitHook = std::atexit(onExit) == 0;
    (void)exitHook;
#if defined(PLOVAN_SANITIZE)
    // A sanitizer ends the process after its report without running atexit handlers.
    __sanitizer_set_death_callback(onExit);
#endif
}

StderrCapture::~StderrCapture()
{
    if (active_)
        finish(false);
}

void StderrCapture::drop()
{
    if (!active_)
        return;
    finish(true);
    active_ = false;
}

void StderrCapture::finish(bool drop)
{
    std::fflush(stderr);
    restoreSignalHandlers();
    reportSanitizersTo(kStderr);
    endCapture(drop);
    release();
}

} // namespace plovan
