#include "platform/JpegStructure.h"

#include "platform/JpegFrame.h"

#include <QByteArray>
#include <QIODevice>
#include <QScopeGuard>

#include <cstring>
#include <utility>

namespace plovan {
namespace {

// The file a piece at a time, forwards only, with skips that seek past what is not read.
class ByteStream {
public:
    explicit ByteStream(QIODevice *device) : device_(device) {}

    // The next byte, or -1 at the end of the data.
    int next()
    {
        if (at_ == buffer_.size() && !refill())
            return -1;
        return uchar(buffer_[at_++]);
    }

    bool skip(qint64 count)
    {
        const qint64 buffered = buffer_.size() - at_;
        if (count <= buffered) {
            at_ += count;
            return true;
        }
        const qint64 target = device_->pos() + (count - buffered);
        buffer_.clear();
        at_ = 0;
        return target <= device_->size() && device_->seek(target);
    }

    // Moves just past the next 0xFF byte; false at the end of the data.
    bool skipPastFF()
    {
        for (;;) {
            const char *from = buffer_.constData() + at_;
            const void *found = std::memchr(from, 0xFF, size_t(buffer_.size() - at_));
            if (found) {
                at_ += static_cast<const char *>(found) - from + 1;
                return true;
            }
            at_ = buffer_.size();
            if (!refill())
                return false;
        }
    }

private:
    bool refill()
    {
        buffer_ = device_->read(kPiece);
        at_ = 0;
        return !buffer_.isEmpty();
    }

    static constexpr qint64 kPiece = qint64(1) << 20;
    QIODevice *device_;
    QByteArray buffer_;
    qsizetype at_ = 0;
};

int readLength(ByteStream &in)
{
    const int high = in.next();
    const int low = in.next();
    return high < 0 || low < 0 ? -1 : high << 8 | low;
}

bool isProgressive(int marker)
{
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

// The frame header after its length: precision, height, width, component count, then
// per component its id, sampling factors (horizontal << 4 | vertical) and table.
qint64 coefficientBytes(ByteStream &in, int payload)
{
    uchar frame[6 + 3 * 255];
    const int kept = qMin(payload, int(sizeof frame));
    for (int i = 0; i < kept; ++i) {
        const int byte = in.next();
        if (byte < 0)
            return 0;
        frame[i] = uchar(byte);
    }
    if (!in.skip(payload - kept) || kept < 6)
        return 0;
    const int components = qMin<int>(frame[5], (payload - 6) / 3);
    qint64 bytes = 0;
    forEachJpegComponent(frame, components, [&](int h, int v, qint64 columns, qint64 rows) {
        // libjpeg pads each component to whole MCUs: round up to the sampling factor.
        bytes += ceilDiv(columns, h) * h * ceilDiv(rows, v) * v * 64 * 2;
    });
    return bytes;
}

} // namespace

JpegStructure walkJpeg(QIODevice *device)
{
    const qint64 start = device->pos();
    auto restore = qScopeGuard([&] { device->seek(start); });
    JpegStructure found;
    ByteStream in(device);
    if (in.next() != 0xFF || in.next() != 0xD8)
        return found;

    int marker = -1; // a marker already read, ending the entropy-coded data before it
    for (;;) {
        if (marker < 0) {
            // Between segments libjpeg passes over stray bytes up to the next 0xFF.
            if (!in.skipPastFF())
                return found;
            do
                marker = in.next(); // any number of fill bytes may precede a marker
            while (marker == 0xFF);
            if (marker < 0)
                return found;
        }
        const int current = std::exchange(marker, -1);
        if (current == 0xD9) {
            found.complete = true;
            return found;
        }
        if (current == 0xD8) {
            // A second start of image: not ours to judge, the decoder refuses it.
            found.complete = true;
            return found;
        }
        if (current == 0x00 || current == 0x01 || (current >= 0xD0 && current <= 0xD7))
            continue; // no length follows
        const int length = readLength(in);
        if (length < 2)
            return found;
        if (isJpegFrameMarker(current)) {
            found.progressive = isProgressive(current);
            const qint64 coefficients = coefficientBytes(in, length - 2);
            if (found.progressive)
                found.coefficientBytes = coefficients;
            continue;
        }
        if (!in.skip(length - 2))
            return found;
        if (current != 0xDA)
            continue;
        ++found.scans;
        // The entropy-coded data: 0xFF 0x00 is a stuffed 0xFF, 0xFF 0xD0-0xD7 a restart
        // marker within it, and any other marker ends it.
        for (;;) {
            if (!in.skipPastFF())
                return found;
            int next = in.next();
            while (next == 0xFF)
                next = in.next();
            if (next < 0)
                return found;
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7)) {
                marker = next;
                break;
            }
        }
    }
}

} // namespace plovan
