#include "ui/PictureFileNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace plovan {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(PictureFileNames)
};
} // namespace

QString pictureNameFilter(const FileTypeSet &types)
{
    QStringList kinds;
    for (const FileType &type : types.types())
        kinds << type.Name.section(QLatin1Char('/'), -1).toUpper();
    QStringList patterns;
    const QStringList extensions = types.extensions();
    for (const QString &extension : extensions)
        patterns << QStringLiteral("*.") + extension.toLower();
    for (const QString &extension : extensions)
        patterns << QStringLiteral("*.") + extension.toUpper();
    patterns.removeDuplicates();
    // "PNG or JPEG", one "or" between each two.
    QString named = kinds.value(0);
    for (qsizetype i = 1; i < kinds.size(); ++i)
        named = Words::tr("%1 or %2").arg(named, kinds[i]);
    return Words::tr("%1 pictures (%2)").arg(named, patterns.join(QLatin1Char(' ')));
}

bool hasPictureExtension(const QString &fileName, const FileTypeSet &types)
{
    const QString suffix = QFileInfo(fileName).suffix();
    return !suffix.isEmpty() && types.extensions().contains(suffix, Qt::CaseInsensitive);
}

std::optional<QString> droppedPictureFile(const QMimeData *data, const FileTypeSet &types)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    const QString path = urls.front().toLocalFile();
    if (!hasPictureExtension(path, types))
        return std::nullopt;
    return path;
}

} // namespace plovan
