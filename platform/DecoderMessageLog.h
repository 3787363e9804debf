#pragma once

#include <QString>
#include <QStringList>
#include <QtMessageHandler>

namespace plovan {

// What Qt's image readers report through Qt's message handler while one of these lives:
// libjpeg's messages ("Insufficient memory (case 4)") reach us no other way, the reader
// itself only failing with "Unable to read image data". Every message is still passed on
// to the handler that was installed before. One at a time, on the one thread.
class DecoderMessageLog {
public:
    DecoderMessageLog();
    ~DecoderMessageLog();
    DecoderMessageLog(const DecoderMessageLog &) = delete;
    DecoderMessageLog &operator=(const DecoderMessageLog &) = delete;

    const QStringList &messages() const { return messages_; }
    // libjpeg could not get the memory it needs for its own tables and coefficients
    // (its "Insufficient memory", or "Backing store not supported" past the limit that
    // JPEGMEM sets), as opposed to a file it cannot read.
    bool decoderRanOutOfMemory() const;

private:
    static void record(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList messages_;
    QtMessageHandler previous_ = nullptr;
    DecoderMessageLog *outer_ = nullptr;
};

} // namespace plovan
