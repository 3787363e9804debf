#include "ui/MainMenuBar.h"

#include "ui/ImageMenu.h"
#include "ui/RecentMenu.h"
#include "ui/TextCommands.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace plovan {

MainMenuBar::MainMenuBar(QObject *parent)
    : QObject(parent), fileMenu_(std::make_unique<QMenu>(tr("&File"))), editMenu_(std::make_unique<QMenu>(tr("&Edit"))),
      helpMenu_(std::make_unique<QMenu>(tr("&Help")))
{
    fileMenu_->setObjectName(QStringLiteral("FileMenu"));
    loadImage_ = addItem(fileMenu_.get(), "FileLoadImage", tr("&Load Image…"), QKeySequence::Open);
    openLogoText_ = addItem(fileMenu_.get(), "FileOpenLogoText", tr("&Open Logo Data Text…"), QKeySequence::UnknownKey);
    // The Save key (Ctrl+S), not Save As: the text is only ever saved under a name the user
    // picks, so the key users press to save leads there.
    saveLogoText_ = addItem(fileMenu_.get(), "FileSaveLogoText", tr("&Save Logo Data Text As…"), QKeySequence::Save);
    recentMenu_ = new RecentMenu(this);
    fileMenu_->addMenu(recentMenu_->menu());
    addSeparator(fileMenu_.get(), "FileSeparator1");
    QAction *quit = addItem(fileMenu_.get(), "FileQuit", tr("&Quit"), QKeySequence::Quit);
    // Some platforms (Windows) have no standard Quit key; Ctrl+Q is what users try there.
    if (quit->shortcuts().isEmpty())
        quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    quit_ = quit;
    // Asks every window to close, then leaves the event loop with the toolkit's status.
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit);

    editMenu_->setObjectName(QStringLiteral("EditMenu"));
    TextCommands::Actions edit{};
    edit.undo = addItem(editMenu_.get(), "EditUndo", tr("&Undo"), QKeySequence::Undo);
    addSeparator(editMenu_.get(), "EditSeparator1");
    edit.cut = addItem(editMenu_.get(), "EditCut", tr("Cu&t"), QKeySequence::Cut);
    edit.copy = addItem(editMenu_.get(), "EditCopy", tr("&Copy"), QKeySequence::Copy);
    edit.paste = addItem(editMenu_.get(), "EditPaste", tr("&Paste"), QKeySequence::Paste);
    // Delete has no shortcut of its own: the Delete key already belongs to the text control.
    edit.clear = addItem(editMenu_.get(), "EditClear", tr("&Delete"), QKeySequence::UnknownKey);
    addSeparator(editMenu_.get(), "EditSeparator2");
    edit.selectAll = addItem(editMenu_.get(), "EditSelectAll", tr("Select &All"), QKeySequence::SelectAll);
    commands_ = new TextCommands(edit, this);

    // Read-only changes send no signal; opening the menu is the last chance to catch up.
    connect(editMenu_.get(), &QMenu::aboutToShow, commands_, &TextCommands::refresh);

    imageMenuChoices_ = new ImageMenu(this);
    addSeparator(imageMenu(), "ImageSeparator2");
    printPreview_ = addItem(imageMenu(), "ImagePrintPreview", tr("Print &Preview"), QKeySequence::UnknownKey);
    imageMenuChoices_->addPictureItems();

    helpMenu_->setObjectName(QStringLiteral("HelpMenu"));
    // The roles put both items where macOS users look for them, in the application menu.
    about_ = addItem(helpMenu_.get(), "HelpAbout", tr("&About Plovan"), QKeySequence::UnknownKey);
    about_->setMenuRole(QAction::AboutRole);
    QAction *aboutQt = addItem(helpMenu_.get(), "HelpAboutQt", tr("About &Qt"), QKeySequence::UnknownKey);
    aboutQt->setMenuRole(QAction::AboutQtRole);
    connect(aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);

    for (QMenu *menu : {fileMenu_.get(), editMenu_.get(), imageMenu(), helpMenu_.get()})
        nameForScreenReaders(menu);
}

void MainMenuBar::nameForScreenReaders(QMenu *menu)
{
    // An open menu is announced by its name, which Qt leaves empty: its title is the name,
    // without the underlined letter's marker ("&&" is a real ampersand).
    QString name;
    const QString title = menu->title();
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i] == u'&' && i + 1 < title.size())
            ++i;
        name += title[i];
    }
    menu->setAccessibleName(name);
    for (QAction *action : menu->actions())
        if (QMenu *submenu = action->menu())
            nameForScreenReaders(submenu);
}

MainMenuBar::~MainMenuBar() = default;

QMenu *MainMenuBar::imageMenu() const
{
    return imageMenuChoices_->menu();
}

QAction *MainMenuBar::addItem(QMenu *menu, const char *name, const QString &text, QKeySequence::StandardKey key)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (key != QKeySequence::UnknownKey)
        action->setShortcuts(key);
    menu->addAction(action);
    return action;
}

QAction *MainMenuBar::addSeparator(QMenu *menu, const char *name)
{
    auto *separator = new QAction(this);
    separator->setObjectName(QLatin1String(name));
    separator->setSeparator(true);
    menu->addAction(separator);
    return separator;
}

void MainMenuBar::attachTo(QMenuBar *bar) const
{
    bar->addMenu(fileMenu_.get());
    bar->addMenu(editMenu_.get());
    bar->addMenu(imageMenu());
    bar->addMenu(helpMenu_.get());
    bar->setAccessibleName(tr("Menu Bar"));
    // F10 opens the first menu, as it does in most desktops' windows; the arrow keys go on
    // from there. (Alt and the underlined letters are the menu bar's own.)
    auto *openMenus = new QShortcut(QKeySequence(Qt::Key_F10), bar);
    connect(openMenus, &QShortcut::activated, bar, [bar] {
        const QList<QAction *> menus = bar->actions();
        if (!menus.isEmpty())
            bar->setActiveAction(menus.constFirst());
    });
}

} // namespace plovan
