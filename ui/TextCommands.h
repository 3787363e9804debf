#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace plovan {

// The standard Edit commands. They act on whichever text control has the focus (or had it
// when the menus took the focus for keyboard navigation) and are enabled only when that
// control can carry them out: Undo when there is an edit to undo, Cut and Delete when there
// is a selection to remove, Copy when there is a selection, Paste when the clipboard holds
// text, Select All when there is any text at all.
class TextCommands : public QObject {
    Q_OBJECT
public:
    struct Actions {
        QAction *undo;
        QAction *cut;
        QAction *copy;
        QAction *paste;
        QAction *clear;
        QAction *selectAll;
    };

    TextCommands(const Actions &actions, QObject *parent);

    // Sets each action's enabled state from the focused text control (none: all disabled).
    void refresh();

private:
    void follow(QWidget *focused);
    void run(void (TextCommands::*command)());
    void undo();
    void cut();
    void copy();
    void paste();
    void clear();
    void selectAll();

    Actions actions_;
    // At most one of them is set: the focused text control.
    QPointer<QPlainTextEdit> area_;
    QPointer<QLineEdit> line_;
    QList<QMetaObject::Connection> watching_;
};

} // namespace plovan
