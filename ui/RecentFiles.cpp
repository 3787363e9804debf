#include "ui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace plovan {
namespace {

// The group and key in the settings file.
constexpr char kGroup[] = "Recent";
constexpr char kPictures[] = "pictures";

// One spelling per file, so that the same file never shows twice.
QString absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void RecentFiles::add(const QString &path)
{
    const QString file = absolute(path);
    files_.removeAll(file);
    files_.prepend(file);
    if (files_.size() > kMostFiles)
        files_.resize(kMostFiles);
}

void RecentFiles::remove(const QString &path)
{
    files_.removeAll(absolute(path));
}

RecentFiles RecentFiles::fromSetting(const QVariant &value)
{
    // QVariant would turn far more into a list of strings: a number, a @ByteArray, a list
    // of numbers. Only text counts, as remember() writes it.
    QStringList listed;
    if (value.typeId() == QMetaType::QStringList)
        listed = value.toStringList();
    else if (value.typeId() == QMetaType::QString)
        listed = {value.toString()};
    RecentFiles recent;
    for (const QString &path : std::as_const(listed)) {
        if (recent.files_.size() == kMostFiles)
            break;
        // A path edited into something relative would name another file in every folder.
        if (QDir::isAbsolutePath(path) && QDir::cleanPath(path) == path && !recent.files_.contains(path))
            recent.files_ << path;
    }
    return recent;
}

RecentFiles RecentFiles::remembered()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    return fromSetting(settings.value(QLatin1String(kPictures)));
}

void RecentFiles::remember() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(QLatin1String(kPictures), files_);
}

QString RecentFiles::menuText(qsizetype index, const QString &path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + name;
}

} // namespace plovan
