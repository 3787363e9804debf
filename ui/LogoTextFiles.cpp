#include "ui/LogoTextFiles.h"

#include <QSaveFile>

namespace plovan {

std::optional<LogoTextFileError> writeLogoTextFile(const QString &path, QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return LogoTextFileError{file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return LogoTextFileError{reason};
    }
    if (!file.commit())
        return LogoTextFileError{file.errorString()};
    return std::nullopt;
}

} // namespace plovan
