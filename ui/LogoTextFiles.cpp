#include "ui/LogoTextFiles.h"

#include "platform/Picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace plovan {

qint64 longestLogoTextBytes()
{
    // "OBM¶" and "CBM¶" are 5 bytes each; a band is "BMD¶" (5), two digits a column and "¶" (2).
    constexpr qint64 kMaxBands = (qint64(Picture::kMaxSide) + 7) / 8;
    return 5 + kMaxBands * (5 + 2 * qint64(Picture::kMaxSide) + 2) + 5;
}

std::variant<OpenedLogoText, LogoTextFileError> readLogoTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LogoTextFileError{file.errorString()};
    // A named pipe or a device has no size to check first; reading stops just past the limit.
    if (file.size() > longestLogoTextBytes())
        return LogoTextFileError{
            QCoreApplication::translate("LogoTextFiles", "the file is larger than any logo data text")};
    const QByteArray bytes = file.read(longestLogoTextBytes() + 1);
    if (file.error() != QFileDevice::NoError)
        return LogoTextFileError{file.errorString()};
    if (bytes.size() > longestLogoTextBytes())
        return LogoTextFileError{
            QCoreApplication::translate("LogoTextFiles", "the file is larger than any logo data text")};
    OpenedLogoText opened;
    opened.reading = readLogoTextUtf8(bytes);
    // Only a valid text goes into the window, and valid text is UTF-8 through and through.
    if (opened.reading.check.valid)
        opened.text = QString::fromUtf8(bytes);
    return opened;
}

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
