#pragma once

#include <QStringList>
#include <QVariant>

namespace plovan {

// The pictures loaded last, newest first: at most eight, each once, each by its absolute
// path. Plain values, without widgets; the File menu's Open Recent shows them (RecentMenu)
// and the window remembers them between runs (QSettings, under the names the application
// set at start-up).
class RecentFiles {
public:
    static constexpr qsizetype kMostFiles = 8;

    RecentFiles() = default;

    const QStringList &files() const { return files_; }
    bool isEmpty() const { return files_.isEmpty(); }

    // Puts the file first: named again, it moves up rather than showing twice; the ninth
    // drops off the end. A relative path is taken from the working folder.
    void add(const QString &path);
    void remove(const QString &path);
    void clear() { files_.clear(); }

    // The list as a setting value holds it, strictly: a list of strings (or the one string
    // a list of one is read back as), each an absolute path, the first mention of each, the
    // first eight. Anything else (a number, a @ByteArray, a list of other things) is no list.
    static RecentFiles fromSetting(const QVariant &value);
    // The list remembered from the last run; remember() writes this one for the next.
    static RecentFiles remembered();
    void remember() const;

    // The menu entry of the file at `index` (from 0): its number as the underlined letter,
    // then the file's name, its own ampersands kept as text: "&1 logo.png".
    static QString menuText(qsizetype index, const QString &path);

    bool operator==(const RecentFiles &) const = default;

private:
    QStringList files_;
};

} // namespace plovan
