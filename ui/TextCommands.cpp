#include "ui/TextCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>

namespace plovan {
namespace {

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool isMenu(const QWidget *widget)
{
    return qobject_cast<const QMenuBar *>(widget) || qobject_cast<const QMenu *>(widget);
}

} // namespace

TextCommands::TextCommands(const Actions &actions, QObject *parent) : QObject(parent), actions_(actions)
{
    connect(actions_.undo, &QAction::triggered, this, [this] { run(&TextCommands::undo); });
    connect(actions_.cut, &QAction::triggered, this, [this] { run(&TextCommands::cut); });
    connect(actions_.copy, &QAction::triggered, this, [this] { run(&TextCommands::copy); });
    connect(actions_.paste, &QAction::triggered, this, [this] { run(&TextCommands::paste); });
    connect(actions_.clear, &QAction::triggered, this, [this] { run(&TextCommands::clear); });
    connect(actions_.selectAll, &QAction::triggered, this, [this] { run(&TextCommands::selectAll); });

    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    connect(app, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        // Opened from the keyboard (Alt+E, or Alt and the arrow keys), the menus take the
        // focus for their own navigation and give it back when they close; meanwhile the
        // commands still belong to the text control the user was in.
        if (!isMenu(now))
            follow(now);
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TextCommands::refresh);
    follow(QApplication::focusWidget());
}

void TextCommands::follow(QWidget *focused)
{
    for (const QMetaObject::Connection &connection : std::as_const(watching_))
        disconnect(connection);
    watching_.clear();
    area_ = qobject_cast<QPlainTextEdit *>(focused);
    line_ = qobject_cast<QLineEdit *>(focused);
    auto update = [this] { refresh(); };
    if (area_) {
        watching_ << connect(area_, &QPlainTextEdit::undoAvailable, this, update)
                  << connect(area_, &QPlainTextEdit::copyAvailable, this, update)
                  << connect(area_, &QPlainTextEdit::selectionChanged, this, update)
                  << connect(area_, &QPlainTextEdit::textChanged, this, update);
    } else if (line_) {
        watching_ << connect(line_, &QLineEdit::selectionChanged, this, update)
                  << connect(line_, &QLineEdit::textChanged, this, update);
    }
    refresh();
}

void TextCommands::refresh()
{
    bool undo = false, selection = false, editable = false, anyText = false;
    if (area_) {
        editable = !area_->isReadOnly();
        undo = editable && area_->document()->isUndoAvailable();
        selection = area_->textCursor().hasSelection();
        anyText = !area_->document()->isEmpty();
    } else if (line_) {
        editable = !line_->isReadOnly();
        undo = editable && line_->isUndoAvailable();
        // A password field lets nothing out through the clipboard.
        selection = line_->hasSelectedText() && line_->echoMode() == QLineEdit::Normal;
        anyText = !line_->text().isEmpty();
    }
    actions_.undo->setEnabled(undo);
    actions_.cut->setEnabled(editable && selection);
    actions_.copy->setEnabled(selection);
    actions_.paste->setEnabled(editable && (area_ || line_) && clipboardHasText());
    actions_.clear->setEnabled(editable && selection);
    actions_.selectAll->setEnabled(anyText);
}

void TextCommands::run(void (TextCommands::*command)())
{
    if (area_ || line_)
        (this->*command)();
    refresh();
}

void TextCommands::undo()
{
    if (area_)
        area_->undo();
    else
        line_->undo();
}

void TextCommands::cut()
{
    if (area_)
        area_->cut();
    else
        line_->cut();
}

void TextCommands::copy()
{
    if (area_)
        area_->copy();
    else
        line_->copy();
}

void TextCommands::paste()
{
    if (area_)
        area_->paste();
    else
        line_->paste();
}

void TextCommands::clear()
{
    if (area_) {
        QTextCursor cursor = area_->textCursor();
        cursor.removeSelectedText();
        area_->setTextCursor(cursor);
    } else if (line_->hasSelectedText()) {
        line_->del();
    }
}

void TextCommands::selectAll()
{
    if (area_)
        area_->selectAll();
    else
        line_->selectAll();
}

} // namespace plovan
