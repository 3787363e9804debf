#include "platform/DecoderMessageLog.h"

namespace plovan {
namespace {

DecoderMessageLog *active = nullptr;

} // namespace

DecoderMessageLog::DecoderMessageLog() : outer_(active)
{
    active = this;
    previous_ = qInstallMessageHandler(&DecoderMessageLog::record);
}

DecoderMessageLog::~DecoderMessageLog()
{
    qInstallMessageHandler(previous_);
    active = outer_;
}

void DecoderMessageLog::record(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!active)
        return;
    active->messages_ << message;
    if (active->previous_) // Qt hands back its default handler, never nothing
        active->previous_(type, context, message);
}

bool DecoderMessageLog::decoderRanOutOfMemory() const
{
    for (const QString &message : messages_) {
        if (message.startsWith(QLatin1String("Insufficient memory"))
            || message.startsWith(QLatin1String("Backing store not supported")))
            return true;
    }
    return false;
}

} // namespace plovan
