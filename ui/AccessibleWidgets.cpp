#include "ui/AccessibleWidgets.h"

#include "ui/LogoTextEdit.h"

#include <QAccessibleWidget>
#include <QTextBlock>
#include <algorithm>

namespace plovan {
namespace {

// TextArea1 as an editable text whose characters are its content. Offsets are the content's
// (LogoTextEdit::contentOffset); a line is a block, one "¶"-ended line of the logo data
// text, as the area shows it.
class LogoTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LogoTextAccessible(LogoTextEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !edit()->isReadOnly();
        state.readOnly = edit()->isReadOnly();
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return edit()->content();
        return QAccessibleWidget::text(kind);
    }

    void selection(int index, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        const QTextCursor cursor = edit()->textCursor();
        if (index != 0 || !cursor.hasSelection())
            return;
        *startOffset = edit()->contentOffset(cursor.selectionStart());
        *endOffset = edit()->contentOffset(cursor.selectionEnd());
    }
    int selectionCount() const override { return edit()->textCursor().hasSelection() ? 1 : 0; }
    // The text area has one selection: adding one replaces it.
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int index) override
    {
        if (index != 0)
            return;
        QTextCursor cursor = edit()->textCursor();
        cursor.clearSelection();
        edit()->setTextCursor(cursor);
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index != 0)
            return;
        QTextCursor cursor = edit()->textCursor();
        cursor.setPosition(edit()->documentPosition(startOffset));
        cursor.setPosition(edit()->documentPosition(endOffset), QTextCursor::KeepAnchor);
        edit()->setTextCursor(cursor);
    }

    int cursorPosition() const override { return edit()->contentOffset(edit()->textCursor().position()); }
    void setCursorPosition(int offset) override
    {
        QTextCursor cursor = edit()->textCursor();
        cursor.setPosition(edit()->documentPosition(offset));
        edit()->setTextCursor(cursor);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return edit()->contentBetween(edit()->documentPosition(startOffset), edit()->documentPosition(endOffset));
    }
    int characterCount() const override { return edit()->contentLength(); }

    // A line: the block at the offset, as shown. Characters, words and sentences as Qt
    // finds them in the content.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
        return lineBeside(offset, 0, startOffset, endOffset);
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary)
            return QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset, endOffset);
        return lineBeside(offset, -1, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary)
            return QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset, endOffset);
        return lineBeside(offset, 1, startOffset, endOffset);
    }

    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(edit()->document());
        cursor.setPosition(edit()->documentPosition(offset));
        QRect rect = edit()->cursorRect(cursor);
        const QString character = text(offset, offset + 1);
        rect.setWidth(std::max(1, edit()->fontMetrics().horizontalAdvance(character)));
        return QRect(edit()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint inViewport = edit()->viewport()->mapFromGlobal(point);
        if (!edit()->viewport()->rect().contains(inViewport))
            return -1;
        return edit()->contentOffset(edit()->cursorForPosition(inViewport).position());
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        // Brings the end into view, then the start, which stays in view when both fit.
        QTextCursor cursor(edit()->document());
        cursor.setPosition(edit()->documentPosition(endIndex));
        edit()->setTextCursor(cursor);
        edit()->ensureCursorVisible();
        cursor.setPosition(edit()->documentPosition(startIndex));
        edit()->setTextCursor(cursor);
        edit()->ensureCursorVisible();
    }
    // Plain text: one run without attributes.
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    LogoTextEdit *edit() const { return static_cast<LogoTextEdit *>(widget()); }

    // The line (block) at the offset, or the one before or after it; nothing beyond the ends.
    QString lineBeside(int offset, int step, int *startOffset, int *endOffset) const
    {
        QTextBlock block = edit()->document()->findBlock(edit()->documentPosition(offset));
        block = step < 0 ? block.previous() : step > 0 ? block.next() : block;
        if (!block.isValid()) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = edit()->contentOffset(block.position());
        *endOffset = edit()->contentOffset(block.position() + block.length() - 1);
        return text(*startOffset, *endOffset);
    }
};

QAccessibleInterface *plovanAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("plovan::Canvas") || className == QLatin1String("plovan::PreviewPicture"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("plovan::LogoTextEdit"))
        return new LogoTextAccessible(static_cast<LogoTextEdit *>(widget));
    return nullptr;
}

} // namespace

void installAccessibleWidgets()
{
    static const bool installed = [] {
        QAccessible::installFactory(plovanAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace plovan
