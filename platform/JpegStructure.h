#pragma once

#include <QtGlobal>

class QIODevice;

namespace plovan {

// What a walk over a whole JPEG file finds, before any decoder sees it.
struct JpegStructure {
    int scans = 0;             // start-of-scan segments, each a pass of the decoder
    bool progressive = false;  // a progressive frame (SOF2, SOF6, SOF10, SOF14)
    // An end-of-image marker follows the scans. A file cut short has none: libjpeg then
    // makes up the missing rows as grey (a baseline file) or stops at the last whole scan
    // (a progressive one) and reports success, so the walk is what tells us.
    bool complete = false;
    // What libjpeg keeps of a progressive picture while its scans come in: every DCT
    // coefficient of every block of every component, 2 bytes each. 0 for other frames.
    qint64 coefficientBytes = 0;
};

// The scan limit. libjpeg's own progressive script writes 10 scans (6 for grey), and the
// JPEGs found on our machines, from several encoders, had 1 to 10; a hand-made file can
// have thousands, each a pass over every block of the picture (8192 x 8192 with 1000
// scans took 10.9 s to decode), while its bytes stay few. Ten times what we found keeps
// every real file and bounds the work.
inline constexpr int kMaxJpegScans = 100;

// Walks the marker segments from the current position of a random-access device,
// skipping the entropy-coded data after each scan header, to the end-of-image marker or
// the end of the data. Reads the file once in large pieces and puts the position back.
JpegStructure walkJpeg(QIODevice *device);

} // namespace plovan
