#pragma once

#include <QtGlobal>

namespace plovan {

// SOF0-SOF15 except DHT (C4), JPG (C8) and DAC (CC), which share the range.
inline bool isJpegFrameMarker(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

inline qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}

// Calls f(h, v, columns, rows) for each component of a frame header (the payload after its
// length: precision, height, width, component count, then per component its id, sampling
// factors (horizontal << 4 | vertical) and table): its sampling factors, at least 1, and
// the 8 x 8 blocks across and down that its samples fill before padding to whole MCUs.
template <typename F>
void forEachJpegComponent(const uchar *frame, int components, F f)
{
    const qint64 height = frame[1] << 8 | frame[2];
    const qint64 width = frame[3] << 8 | frame[4];
    int hMax = 1;
    int vMax = 1;
    for (int c = 0; c < components; ++c) {
        hMax = qMax(hMax, frame[6 + 3 * c + 1] >> 4);
        vMax = qMax(vMax, frame[6 + 3 * c + 1] & 0x0F);
    }
    for (int c = 0; c < components; ++c) {
        const int h = qMax(1, frame[6 + 3 * c + 1] >> 4);
        const int v = qMax(1, frame[6 + 3 * c + 1] & 0x0F);
        f(h, v, ceilDiv(ceilDiv(width * h, hMax), 8), ceilDiv(ceilDiv(height * v, vMax), 8));
    }
}

} // namespace plovan
