#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace plovan::fuzz {

// Hands out a fuzz input piece by piece. Reading past the end yields zeros, so every input,
// however short, describes one complete case and a harness never has to give up on it.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView input) : data_(input) {}

    std::uint8_t byte() { return pos_ < data_.size() ? std::uint8_t(data_[pos_++]) : 0; }
    std::uint16_t u16() { return std::uint16_t((byte() << 8) | byte()); }
    std::uint32_t u32() { return (std::uint32_t(u16()) << 16) | u16(); }
    bool flag() { return byte() & 1; }
    // A value in lo...hi; the range is at most 256 wide, so one byte is enough.
    int inRange(int lo, int hi) { return lo + byte() % (hi - lo + 1); }
    // Up to n bytes, fewer when the input ends first.
    QByteArray bytes(qsizetype n)
    {
        const qsizetype take = qMin(n, remaining());
        const QByteArray out(data_.data() + pos_, take);
        pos_ += take;
        return out;
    }
    QByteArray rest() { return bytes(remaining()); }
    qsizetype remaining() const { return data_.size() - pos_; }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
};

} // namespace plovan::fuzz
