#pragma once

#include "ui/RecentFiles.h"

#include <QObject>
#include <memory>

class QAction;
class QMenu;

namespace plovan {

// File ▸ Open Recent: the pictures loaded last, newest first, each by its file name with its
// number as the underlined letter ("&1 logo.png", the whole path as its tip), then a
// separator and "Clear List". Without any, the submenu is dimmed. Each change is remembered
// at once, for the next run. Object names: "FileRecentMenu" (the submenu),
// "FileOpenRecent" (its entry in File), "FileRecent1"... "FileRecent8",
// "FileRecentSeparator", "FileRecentClear".
class RecentMenu : public QObject {
    Q_OBJECT
public:
    // Shows the list remembered from the last run.
    explicit RecentMenu(QObject *parent = nullptr);
    ~RecentMenu() override;

    QMenu *menu() const { return menu_.get(); }
    const RecentFiles &recent() const { return recent_; }

    // A picture loaded: first in the list.
    void add(const QString &path);
    // A file that is no longer there to load.
    void remove(const QString &path);

Q_SIGNALS:
    // A file chosen from the list, to be loaded.
    void fileChosen(const QString &path);

private:
    void show(const RecentFiles &recent);

    std::unique_ptr<QMenu> menu_;
    QAction *separator_ = nullptr;
    QAction *clear_ = nullptr;
    RecentFiles recent_;
};

} // namespace plovan
