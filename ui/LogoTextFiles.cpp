#include "ui/LogoTextFiles.h"

#include "platform/OutputFile.h"

#include <QIODevice>

namespace plovan {

std::optional<LogoTextFileError> writeLogoTextFile(const QString &path, QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    WriteOptions options;
    options.waitForReader = false; // a named pipe nobody reads is refused, not waited on
    const std::optional<WriteFailure> failure = writeFile(
        path, [&](QIODevice &device, QString &) { return device.write(bytes) == bytes.size(); }, options);
    if (failure)
        return LogoTextFileError{failure->systemReason};
    return std::nullopt;
}

} // namespace plovan
