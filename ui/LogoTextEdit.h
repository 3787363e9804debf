#pragma once

#include <QPlainTextEdit>
#include <QStringView>

namespace plovan {

// TextArea1: an ordinary editable text area, made fast for a logo data text of millions of
// characters. That text is one run without a single line feed; laid out as one paragraph,
// Qt's word wrap takes quadratic time and every keystroke would lay all of it out again.
// So the document holds one block per "¶"-ended line, a hex dump that reads band by band,
// and the breaks after the line marks are for the eye only. The content - what content()
// returns, what Copy and Cut put on the clipboard, what a drag carries - is the text without
// those display breaks. A line break the user types or pastes is real: it stays in the
// content as "\n", and its block carries a mark saying so.
class LogoTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogoTextEdit(QWidget *parent = nullptr);

    QString content() const;
    // Replaces the whole text. Not an edit the user can undo: the undo history starts afresh.
    void setContent(QStringView text);
    // The same as setContent(content() + text), without rebuilding what is there.
    void appendContent(QStringView text);
    // The content of the document positions [from, to).
    QString contentBetween(int from, int to) const;
    // How long the content is, without making it.
    int contentLength() const;
    // Where a document position falls in the content, and back: the offsets a screen reader
    // counts in, as it reads the content. An offset at the end of a line that a display
    // break ends is the end of that line.
    int contentOffset(int position) const;
    int documentPosition(int offset) const;

    // Whether the line break before this block is one the user typed or pasted.
    static bool hasTypedBreakBefore(const QTextBlock &block);

Q_SIGNALS:
    // One JPEG or PNG file was dropped on the text area: a picture to load, not text to insert.
    void pictureFileDropped(const QString &path);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Inserts text at the cursor: a display break after each "¶", a typed break for each
    // line feed, carriage return or CR LF.
    static void insertContent(QTextCursor &cursor, QStringView text);
};

} // namespace plovan
