#pragma once

namespace plovan::cli {

// Sends file descriptor 2 to /dev/null while it lives, and puts it back afterwards.
// libpng reports a fatal error ("libpng error: Read Error") by printing it itself before
// Qt's reader gets control back, so no Qt message handler can catch it; the tool's
// standard error is meant to hold its own one line and nothing else. Only the decoding
// runs inside one of these.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr &) = delete;
    QuietStderr &operator=(const QuietStderr &) = delete;

private:
    int saved_ = -1;
};

} // namespace plovan::cli
