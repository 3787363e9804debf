#include "ui/LogoTextEdit.h"

#include "conversion/LogoText.h"
#include "ui/AccessibleWidgets.h"
#include "ui/PictureFileNames.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QUrl>
#include <algorithm>

namespace plovan {
namespace {

// Block format property: the break before this block was typed (or pasted) by the user.
// Block formats take part in undo, so undoing a deletion brings the mark back with the break.
constexpr int kTypedBreakBefore = QTextFormat::UserProperty + 1;

QTextBlockFormat displayBreak()
{
    return {};
}

QTextBlockFormat typedBreak()
{
    QTextBlockFormat format;
    format.setProperty(kTypedBreakBefore, true);
    return format;
}

// Files dragged here are pictures to load or nothing: never their names inserted as text.
bool carriesFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
}

// Files are the window's business, never text: a picture file is taken (the drop loads
// it), any other file is refused. False when the drag carries no files at all.
bool answerFileDrag(QDragMoveEvent *event)
{
    if (droppedPictureFile(event->mimeData())) {
        event->acceptProposedAction();
        return true;
    }
    if (carriesFiles(event->mimeData())) {
        event->ignore();
        return true;
    }
    return false;
}

bool isTypedBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
}

} // namespace

LogoTextEdit::LogoTextEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    // Lines of thousands of digits wrap at the area's edge; there are no words to keep whole.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    installAccessibleWidgets();
}

bool LogoTextEdit::hasTypedBreakBefore(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(kTypedBreakBefore);
}

QString LogoTextEdit::contentBetween(int from, int to) const
{
    QString out;
    if (to <= from)
        return out;
    out.reserve(to - from);
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int position = block.position();
        // The break before the block sits at position - 1; it counts when it lies in range.
        if (position > from && hasTypedBreakBefore(block))
            out += u'\n';
        const int begin = std::max(from, position) - position;
        const int end = std::min(to, position + block.length() - 1) - position;
        if (end > begin) {
            const QString text = block.text();
            out += QStringView(text).mid(begin, end - begin);
        }
    }
    // Shift+Enter puts a line separator inside a block; for the clipboard it is a line feed.
    out.replace(QChar::LineSeparator, u'\n');
    return out;
}

int LogoTextEdit::contentLength() const
{
    return contentOffset(document()->characterCount() - 1);
}

int LogoTextEdit::contentOffset(int position) const
{
    // Every block adds its text; the break before it adds "\n" when typed, nothing when it
    // is for the eye only.
    int offset = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.position() > 0 && hasTypedBreakBefore(block))
            ++offset;
        const int length = block.length() - 1;
        if (position <= block.position() + length)
            return offset + std::max(0, position - block.position());
        offset += length;
    }
    return offset;
}

int LogoTextEdit::documentPosition(int offset) const
{
    int start = 0; // the content offset of the block's first character
    QTextBlock block = document()->begin();
    for (; block.isValid(); block = block.next()) {
        if (block.position() > 0 && hasTypedBreakBefore(block))
            ++start;
        const int length = block.length() - 1;
        if (offset <= start + length)
            return block.position() + std::max(0, offset - start);
        start += length;
    }
    return document()->characterCount() - 1;
}

QString LogoTextEdit::content() const
{
    return contentBetween(0, document()->characterCount() - 1);
}

void LogoTextEdit::insertContent(QTextCursor &cursor, QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == logotext::kLineMark) {
            cursor.insertText(text.mid(start, i + 1 - start).toString());
            cursor.insertBlock(displayBreak());
            start = i + 1;
        } else if (isTypedBreak(c)) {
            if (i > start)
                cursor.insertText(text.mid(start, i - start).toString());
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            cursor.insertBlock(typedBreak());
            start = i + 1;
        }
    }
    if (start < text.size())
        cursor.insertText(text.mid(start).toString());
}

void LogoTextEdit::setContent(QStringView text)
{
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    insertContent(cursor, text);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    // A fresh text is read from its first line.
    moveCursor(QTextCursor::Start);
}

void LogoTextEdit::appendContent(QStringView text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    insertContent(cursor, text);
    cursor.endEditBlock();
}

QMimeData *LogoTextEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto *data = new QMimeData;
    data->setText(contentBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void LogoTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly() || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    insertContent(cursor, source->text());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void LogoTextEdit::keyPressEvent(QKeyEvent *event)
{
    // Enter starts a new line of the user's own: a real line break, unlike a display break.
    if (event->matches(QKeySequence::InsertParagraphSeparator) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock(typedBreak());
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LogoTextEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (!answerFileDrag(event))
        QPlainTextEdit::dragEnterEvent(event);
}

void LogoTextEdit::dragMoveEvent(QDragMoveEvent *event)
{
    if (!answerFileDrag(event))
        QPlainTextEdit::dragMoveEvent(event);
}

void LogoTextEdit::dropEvent(QDropEvent *event)
{
    if (const std::optional<QString> path = droppedPictureFile(event->mimeData())) {
        event->acceptProposedAction();
        Q_EMIT pictureFileDropped(*path);
        return;
    }
    if (carriesFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

} // namespace plovan
