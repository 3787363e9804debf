#pragma once

#include <QString>

namespace plovan {

// Why a picture could not be loaded, as a value: what went wrong and its particulars.
// Sentences for the user are made from these values in messages/LoadReasonWords, for the
// window and plovan-cli alike.
struct LoadReason {
    enum class Kind {
        None,            // nothing went wrong
        NoSuchFile,
        Folder,
        NotRegularFile,  // a named pipe, a device or a socket, where only regular files are taken
        CannotRead,      // `detail`: what the system said
        Empty,
        NotPngOrJpeg,
        NoDecoder,       // `format`: a PNG or JPEG, but Qt found no decoder for it (a plugin not installed)
        EndsEarly,       // the file stops before its picture data does
        DamagedHeader,   // `format`: "PNG" or "JPEG"
        DamagedData,     // `format`
        TooManyScans,    // a progressive JPEG of `count` scans, over `limit`
        OutOfRange,      // a side of width x height outside 1-32767
        NotEnoughMemory, // for a picture of width x height; 0 x 0 before the size was known
        OverLimit,       // width x height needs `count` bytes to decode, over `limit` bytes
        WiderThanPaper,  // `width` dots wide once scaled, over the paper's `limit` dots
        Unexpected,      // `detail`: what the failure said of itself
    };
    Kind kind = Kind::None;
    QString format;
    qint64 width = 0;
    qint64 height = 0;
    qint64 count = 0;
    qint64 limit = 0;
    QString detail;

    bool operator==(const LoadReason &) const = default;
};

// The reasons, one maker each, so that the loader, the tests and whoever words them
// agree on which particulars each kind carries.
namespace picturefile {
inline LoadReason reasonOf(LoadReason::Kind kind, qint64 width = 0, qint64 height = 0)
{
    LoadReason reason;
    reason.kind = kind;
    reason.width = width;
    reason.height = height;
    return reason;
}
inline LoadReason noSuchFile() { return reasonOf(LoadReason::Kind::NoSuchFile); }
inline LoadReason folder() { return reasonOf(LoadReason::Kind::Folder); }
inline LoadReason notRegularFile() { return reasonOf(LoadReason::Kind::NotRegularFile); }
inline LoadReason cannotRead(const QString &systemReason)
{
    LoadReason reason = reasonOf(LoadReason::Kind::CannotRead);
    reason.detail = systemReason;
    return reason;
}
inline LoadReason empty() { return reasonOf(LoadReason::Kind::Empty); }
inline LoadReason notPngOrJpeg() { return reasonOf(LoadReason::Kind::NotPngOrJpeg); }
inline LoadReason noDecoder(const char *format)
{
    LoadReason reason = reasonOf(LoadReason::Kind::NoDecoder);
    reason.format = QString::fromLatin1(format);
    return reason;
}
inline LoadReason endsEarly() { return reasonOf(LoadReason::Kind::EndsEarly); }
inline LoadReason damagedHeader(const char *format)
{
    LoadReason reason = reasonOf(LoadReason::Kind::DamagedHeader);
    reason.format = QString::fromLatin1(format);
    return reason;
}
inline LoadReason damagedData(const char *format)
{
    LoadReason reason = reasonOf(LoadReason::Kind::DamagedData);
    reason.format = QString::fromLatin1(format);
    return reason;
}
inline LoadReason tooManyScans(int scans, int limit)
{
    LoadReason reason = reasonOf(LoadReason::Kind::TooManyScans);
    reason.count = scans;
    reason.limit = limit;
    return reason;
}
inline LoadReason outOfRange(qint64 width, qint64 height) { return reasonOf(LoadReason::Kind::OutOfRange, width, height); }
inline LoadReason notEnoughMemory(qint64 width, qint64 height)
{
    return reasonOf(LoadReason::Kind::NotEnoughMemory, width, height);
}
inline LoadReason notEnoughMemoryToRead() { return notEnoughMemory(0, 0); }
inline LoadReason overLimit(qint64 width, qint64 height, qint64 neededBytes, qint64 limitBytes)
{
    LoadReason reason = reasonOf(LoadReason::Kind::OverLimit, width, height);
    reason.count = neededBytes;
    reason.limit = limitBytes;
    return reason;
}
inline LoadReason widerThanPaper(qint64 width, qint64 paperWidth)
{
    LoadReason reason = reasonOf(LoadReason::Kind::WiderThanPaper, width);
    reason.limit = paperWidth;
    return reason;
}
inline LoadReason unexpected(const QString &what)
{
    LoadReason reason = reasonOf(LoadReason::Kind::Unexpected);
    reason.detail = what;
    return reason;
}
} // namespace picturefile

} // namespace plovan
