#pragma once

#include <QtGlobal>

namespace plovan::testsupport {

// A field of /proc/self/status in KiB ("VmSize", "VmRSS", "VmHWM"); -1 when there is none.
qint64 statusKiB(const char *field);

// Loads the PNG and JPEG decoders' plugins and tables by decoding a tiny picture of each,
// so that a memory limit or a baseline taken afterwards falls on the picture, not on them.
void warmUpDecoders();
// The most memory the process has held resident so far, in KiB (VmHWM on Linux, the peak
// working set on Windows); -1 where the system does not say.
qint64 peakResidentKiB();

} // namespace plovan::testsupport
