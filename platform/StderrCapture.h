#pragma once

namespace plovan {

// Keeps what is written to the process's standard error (file descriptor 2) while it
// lives, for the command-line tool, whose standard error is meant to hold its own one
// line: libpng prints a fatal error ("libpng error: Read Error") itself before Qt's reader
// gets control back, and Qt's message handler prints the decoders' warnings.
//
// What was kept is dropped only by drop(), which the caller says once the load came back
// with a picture or a reason of ours. Everything else passes it on to the real standard
// error: the capture ending without drop() (an exception), exit() while it runs, and a
// crash, an abort, a failed Q_ASSERT or a glibc report (the fatal signals are caught just
// long enough to pass it on, then take their course). Sanitizer builds (PLOVAN_SANITIZE)
// send the sanitizers' reports straight to the real standard error while a capture runs.
//
// Linux (StderrCaptureLinux.cpp): an anonymous in-memory file (memfd) and sigaction. The
// portable version (StderrCapturePortable.cpp): a temporary file from the C library and
// std::signal; a system without dup2 would capture nothing and let everything through.
// One capture at a time: one started inside another leaves the outer one in charge.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    // The load ended as we expect: what was captured is not for the user.
    void drop();
    // Whether standard error is being captured (false when the system would not let us).
    bool capturing() const { return active_; }

private:
    // Ends the capture this object started: standard error, the signal handlers and the
    // sanitizers' reports back as they were, what was kept passed on unless `drop`.
    void finish(bool drop);

    bool active_ = false;
};

} // namespace plovan
