// The system's half of OutputFile where only Qt is asked: files told apart by their
// canonical paths, and nodes opened as Qt opens them (a named pipe waits for its reader).
#include "platform/OutputFile.h"

#include <QFile>
#include <QFileInfo>

namespace plovan::outputfile {

bool sameRegularFile(const QString &path, const QString &input)
{
    if (input == QLatin1String("-"))
        return false; // standard input has no path to compare here
    const QFileInfo out(path), in(input);
    return out.isFile() && in.isFile() && out.canonicalFilePath() == in.canonicalFilePath();
}

std::optional<QString> openStraight(QFile &file, const QString &path, bool)
{
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::ExistingOnly))
        return file.errorString();
    return std::nullopt;
}

} // namespace plovan::outputfile
