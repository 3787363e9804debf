// Capture of standard error from the C library, for systems other than Linux (and for
// Linux built with PLOVAN_PORTABLE): see StderrCapture.h. The file descriptor calls are
// POSIX, and the C runtime of Windows has them under names with an underscore.
#include "platform/StderrCapture.h"

#include <QtGlobal>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

#if defined(PLOVAN_SANITIZE)
#include <sanitizer/common_interface_defs.h>
#endif

namespace plovan {
namespace {

#if defined(Q_OS_WIN)
int duplicate(int fd) { return _dup(fd); }
int duplicateTo(int fd, int to) { return _dup2(fd, to); }
int closeFd(int fd) { return _close(fd); }
long long readFd(int fd, char *data, unsigned size) { return _read(fd, data, size); }
long long writeFd(int fd, const char *data, unsigned size) { return _write(fd, data, size); }
bool rewindFd(int fd) { return _lseek(fd, 0, SEEK_SET) == 0; }
constexpr int kStderr = 2;
#else
int duplicate(int fd) { return dup(fd); }
int duplicateTo(int fd, int to) { return dup2(fd, to); }
int closeFd(int fd) { return close(fd); }
long long readFd(int fd, char *data, unsigned size) { return read(fd, data, size); }
long long writeFd(int fd, const char *data, unsigned size) { return write(fd, data, size); }
bool rewindFd(int fd) { return lseek(fd, 0, SEEK_SET) == 0; }
constexpr int kStderr = STDERR_FILENO;
#endif

volatile std::sig_atomic_t savedFd = -1;
volatile std::sig_atomic_t captureFd = -1;
std::FILE *captureFile = nullptr; // owns captureFd

constexpr int kFatalSignals[] = {SIGABRT, SIGSEGV, SIGFPE, SIGILL};
using Handler = void (*)(int);
Handler previousHandlers[std::size(kFatalSignals)];

void reportSanitizersTo(int fd)
{
#if defined(PLOVAN_SANITIZE)
    __sanitizer_set_report_fd(reinterpret_cast<void *>(std::intptr_t(fd)));
#else
    (void)fd;
#endif
}

void endCapture(bool drop) noexcept
{
    const int saved = savedFd;
    const int capture = captureFd;
    if (saved < 0)
        return;
    savedFd = -1;
    captureFd = -1;
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

void restoreSignalHandlers() noexcept
{
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        std::signal(kFatalSignals[i], previousHandlers[i] == SIG_ERR ? SIG_DFL : previousHandlers[i]);
}

void onFatalSignal(int signal)
{
    endCapture(false);
    reportSanitizersTo(kStderr);
    restoreSignalHandlers();
    std::raise(signal);
}

void onExit()
{
    endCapture(false);
}

void closeCaptureFile()
{
    if (captureFile)
        std::fclose(captureFile);
    captureFile = nullptr;
}

} // namespace

StderrCapture::StderrCapture()
{
    if (savedFd >= 0)
        return;
    std::fflush(stderr);
    std::FILE *file = std::tmpfile();
    if (!file)
        return; // nothing is captured: the messages go where they always went
#if defined(Q_OS_WIN)
    const int capture = _fileno(file);
#else
    const int capture = fileno(file);
#endif
    const int saved = duplicate(kStderr);
    if (saved < 0 || duplicateTo(capture, kStderr) < 0) {
        if (saved >= 0)
            closeFd(saved);
        std::fclose(file);
        return;
    }
    captureFile = file;
    captureFd = capture;
    savedFd = saved;
    active_ = true;
    reportSanitizersTo(saved);
    for (size_t i = 0; i < std::size(kFatalSignals); ++i)
        previousHandlers[i] = std::signal(kFatalSignals[i], onFatalSignal);
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
    reportSanitizersTo(kStderr);
    endCapture(false);
    closeCaptureFile();
}

void StderrCapture::drop()
{
    if (!active_)
        return;
    std::fflush(stderr);
    restoreSignalHandlers();
    reportSanitizersTo(kStderr);
    endCapture(true);
    closeCaptureFile();
    active_ = false;
}

} // namespace plovan
