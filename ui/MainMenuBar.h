#pragma once

#include <QKeySequence>
#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;

namespace plovan {

class TextCommands;

// The application's menus: File (Quit) and Edit (Undo, Cut, Copy, Paste, Delete, Select All)
// with the platform's standard shortcuts. One instance lives from start-up to exit; each
// window shows the menus in its own menu bar, and they stay this object's when the window
// goes. Every entry and separator has the object name it is known by ("FileQuit",
// "EditSeparator1", ...), and so do the two menus ("FileMenu", "EditMenu").
class MainMenuBar : public QObject {
    Q_OBJECT
public:
    explicit MainMenuBar(QObject *parent = nullptr);
    ~MainMenuBar() override;

    // Adds the File and Edit menus to a window's menu bar.
    void attachTo(QMenuBar *bar) const;

    QMenu *fileMenu() const { return fileMenu_.get(); }
    QMenu *editMenu() const { return editMenu_.get(); }

private:
    QAction *addItem(QMenu *menu, const char *name, const QString &text, QKeySequence::StandardKey key);
    QAction *addSeparator(QMenu *menu, const char *name);

    // Menus are widgets: they cannot have this object as their parent, so it owns them here.
    std::unique_ptr<QMenu> fileMenu_;
    std::unique_ptr<QMenu> editMenu_;
    TextCommands *commands_ = nullptr;
};

} // namespace plovan
