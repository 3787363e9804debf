#include "ui/RecentMenu.h"

#include <QAction>
#include <QMenu>

namespace plovan {

RecentMenu::RecentMenu(QObject *parent) : QObject(parent), menu_(std::make_unique<QMenu>(tr("Open &Recent")))
{
    menu_->setObjectName(QStringLiteral("FileRecentMenu"));
    menu_->menuAction()->setObjectName(QStringLiteral("FileOpenRecent"));
    // The names alone do not tell two logo.png apart; the tip names the folder.
    menu_->setToolTipsVisible(true);
    separator_ = new QAction(this);
    separator_->setObjectName(QStringLiteral("FileRecentSeparator"));
    separator_->setSeparator(true);
    clear_ = new QAction(tr("&Clear List"), this);
    clear_->setObjectName(QStringLiteral("FileRecentClear"));
    connect(clear_, &QAction::triggered, this, [this] { show(RecentFiles()); });
    show(RecentFiles::remembered());
}

RecentMenu::~RecentMenu() = default;

void RecentMenu::add(const QString &path)
{
    RecentFiles changed = recent_;
    changed.add(path);
    show(changed);
}

void RecentMenu::remove(const QString &path)
{
    RecentFiles changed = recent_;
    changed.remove(path);
    show(changed);
}

void RecentMenu::show(const RecentFiles &recent)
{
    const bool changed = recent != recent_;
    recent_ = recent;
    // The file entries are made anew; the separator and Clear List stay. The old ones go
    // later, as the one chosen may be what brought the change.
    for (QAction *action : menu_->actions()) {
        if (action == separator_ || action == clear_)
            continue;
        menu_->removeAction(action);
        action->setObjectName(QString());
        action->deleteLater();
    }
    const QStringList &files = recent_.files();
    for (qsizetype i = 0; i < files.size(); ++i) {
        auto *entry = new QAction(RecentFiles::menuText(i, files[i]), this);
        entry->setObjectName(QStringLiteral("FileRecent%1").arg(i + 1));
        entry->setToolTip(files[i]);
        entry->setStatusTip(files[i]);
        connect(entry, &QAction::triggered, this, [this, path = files[i]] { Q_EMIT fileChosen(path); });
        menu_->addAction(entry);
    }
    menu_->addAction(separator_);
    menu_->addAction(clear_);
    menu_->menuAction()->setEnabled(!recent_.isEmpty());
    clear_->setEnabled(!recent_.isEmpty());
    if (changed)
        recent_.remember();
}

} // namespace plovan
