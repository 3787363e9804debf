#pragma once

// The half of StderrCapture that asks the operating system for something: where standard
// error goes meanwhile, how it is put back, and how the fatal signals are caught. Linux
// (StderrCaptureLinux.cpp) and the portable version (StderrCapturePortable.cpp) each
// give it; StderrCapture.cpp holds the rest, the same on every system.

namespace plovan::stderrcapture {

// The real standard error, on every system the capture supports.
constexpr int kStderr = 2;

// Points standard error at a new, empty place that keeps what is written there. True with
// the place (`capture`) and a copy of the real standard error (`saved`); false, with
// nothing changed, when the system would not let us.
bool redirect(int &capture, int &saved);

// Puts `saved` back as standard error and, unless `drop`, copies what `capture` kept to
// it; closes `saved` and whatever of `capture` can be closed here. Async-signal-safe: it
// also runs in the fatal-signal handler.
void restore(int capture, int saved, bool drop) noexcept;

// Frees what restore() could not free in a signal handler; called outside of one, after it.
void release();

// Sends the fatal signals (abort, the faults) to `handler` until restoreSignalHandlers().
void catchFatalSignals(void (*handler)(int));
void restoreSignalHandlers() noexcept;

} // namespace plovan::stderrcapture
