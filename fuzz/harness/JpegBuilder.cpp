#include "harness/JpegBuilder.h"

#include <cstdint>

namespace plovan::fuzz::jpeg {
namespace {

// Entropy-coded bits, most significant first, with a 0 stuffed after every FF byte and
// the last byte padded with 1 bits.
class BitWriter {
public:
    void put(std::uint32_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            current_ = std::uint8_t((current_ << 1) | ((value >> i) & 1));
            if (++used_ == 8)
                flushByte();
        }
    }
    QByteArray finish()
    {
        while (used_ != 0)
            put(1, 1);
        return std::move(out_);
    }

private:
    void flushByte()
    {
        out_.append(char(current_));
        if (current_ == 0xFF)
            out_.append('\0');
        current_ = 0;
        used_ = 0;
    }
    QByteArray out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

QByteArray segment(std::uint8_t marker, const QByteArray &body)
{
    const int length = int(body.size()) + 2;
    return QByteArray(1, '\xFF') + char(marker) + char(length >> 8) + char(length & 0xFF) + body;
}

QByteArray scanHeader(int spectralStart, int spectralEnd)
{
    // One component (id 1, tables 0 and 0), spectral selection, Ah = Al = 0.
    return segment(0xDA, QByteArray::fromHex("01 01 00") + char(spectralStart) + char(spectralEnd) + char(0));
}

} // namespace

QByteArray progressiveGrey(int width, int height, int acScans)
{
    QByteArray out = QByteArray::fromHex("ffd8");
    out += segment(0xDB, QByteArray(1, '\0') + QByteArray(64, '\x01')); // table 0: every step 1
    out += segment(0xC2, QByteArray(1, '\x08') + char(height >> 8) + char(height & 0xFF) + char(width >> 8)
                             + char(width & 0xFF) + QByteArray::fromHex("01 01 11 00"));
    // DC table 0: the one symbol "difference 0", code 0. AC table 0: the fifteen
    // end-of-band runs EOB0 ... EOB14 (symbol r << 4, run 2^r plus r extra bits), four
    // bits each, code r.
    out += segment(0xC4, QByteArray::fromHex("00 01 000000000000000000000000000000 00"));
    QByteArray acTable = QByteArray::fromHex("10 000000 0f 000000000000000000000000");
    for (int r = 0; r < 15; ++r)
        acTable.append(char(r << 4));
    out += segment(0xC4, acTable);

    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    {
        BitWriter dc;
        for (qint64 b = 0; b < blocks; ++b)
            dc.put(0, 1);
        out += scanHeader(0, 0) + dc.finish();
    }
    for (int s = 0; s < acScans; ++s) {
        BitWriter ac;
        qint64 left = blocks;
        while (left > 32767) { // EOB14 with all 14 extra bits set: 32767 blocks
            ac.put(14, 4);
            ac.put(0x3FFF, 14);
            left -= 32767;
        }
        for (int r = 14; r >= 0; --r) {
            if (left & (qint64(1) << r)) { // EOBr with zero extra bits: 2^r blocks
                ac.put(std::uint32_t(r), 4);
                ac.put(0, r);
            }
        }
        const int band = 1 + s % 63;
        out += scanHeader(band, band) + ac.finish();
    }
    out += QByteArray::fromHex("ffd9");
    return out;
}

QList<QByteArray> segments(const QByteArray &jpeg)
{
    QList<QByteArray> out;
    qsizetype i = 0;
    while (i + 1 < jpeg.size()) {
        const qsizetype start = i;
        if (std::uint8_t(jpeg[i]) != 0xFF)
            break;
        const std::uint8_t marker = std::uint8_t(jpeg[i + 1]);
        i += 2;
        if (marker == 0xD8 || marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7)) {
            out << jpeg.mid(start, i - start);
            continue;
        }
        if (i + 1 >= jpeg.size())
            break;
        i += (std::uint8_t(jpeg[i]) << 8) | std::uint8_t(jpeg[i + 1]);
        if (marker == 0xDA) {
            // The scan's data runs to the next marker that is neither a stuffed FF 00 nor
            // a restart marker.
            while (i + 1 < jpeg.size()) {
                if (std::uint8_t(jpeg[i]) == 0xFF) {
                    const std::uint8_t next = std::uint8_t(jpeg[i + 1]);
                    if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                        break;
                }
                ++i;
            }
        }
        out << jpeg.mid(start, qMin(i, jpeg.size()) - start);
    }
    if (i < jpeg.size())
        out << jpeg.mid(i);
    return out;
}

} // namespace plovan::fuzz::jpeg
