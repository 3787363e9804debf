#include "tst_window_fixture.h"

#include "ui/LogoTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTextBlock>
#include <functional>

using namespace plovan;

namespace {

const QString kLogo = QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶");

using Edit = std::function<void(LogoTextEdit &)>;

// The document position of a column in a display line.
int positionOf(const LogoTextEdit &area, int line, int column)
{
    return area.document()->findBlockByNumber(line).position() + column;
}

Edit at(int line, int column, const Edit &then)
{
    return [=](LogoTextEdit &area) {
        QTextCursor cursor = area.textCursor();
        cursor.setPosition(positionOf(area, line, column));
        area.setTextCursor(cursor);
        then(area);
    };
}

Edit selecting(int fromLine, int fromColumn, int toLine, int toColumn, const Edit &then)
{
    return [=](LogoTextEdit &area) {
        QTextCursor cursor = area.textCursor();
        cursor.setPosition(positionOf(area, fromLine, fromColumn));
        cursor.setPosition(positionOf(area, toLine, toColumn), QTextCursor::KeepAnchor);
        area.setTextCursor(cursor);
        then(area);
    };
}

Edit keys(QList<QKeyCombination> combinations)
{
    return [=](LogoTextEdit &area) {
        for (const QKeyCombination combination : combinations)
            QTest::keyClick(&area, combination.key(), combination.keyboardModifiers());
    };
}

Edit type(const QString &text)
{
    return [=](LogoTextEdit &area) { QTest::keyClicks(&area, text); };
}

Edit paste(const QString &text)
{
    return [=](LogoTextEdit &area) {
        QGuiApplication::clipboard()->setText(text);
        area.paste();
    };
}

Edit sequence(QList<Edit> edits)
{
    return [=](LogoTextEdit &area) {
        for (const Edit &edit : edits)
            edit(area);
    };
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestWindowTextArea : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void edits_data();
    void edits();
    void copyAndCut_data();
    void copyAndCut();
    void appendAddsDisplayLines();
};

void TestWindowTextArea::edits_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("lines");
    const Edit nothing = [](LogoTextEdit &) {};
    QTest::newRow("the content is the text itself") << kLogo << nothing << kLogo << 7;
    QTest::newRow("typing at the end of a line stays on it")
        << kLogo << at(0, 4, type("X")) << QStringLiteral("OBM¶XBMD¶FF00¶BMD¶C040¶CBM¶") << 7;
    QTest::newRow("Enter inside a line is a real line feed")
        << kLogo << at(2, 2, keys({Qt::Key_Return})) << QStringLiteral("OBM¶BMD¶FF\n00¶BMD¶C040¶CBM¶") << 8;
    QTest::newRow("Enter after a mark is a real line feed too")
        << kLogo << at(0, 4, keys({Qt::Key_Enter})) << QStringLiteral("OBM¶\nBMD¶FF00¶BMD¶C040¶CBM¶") << 8;
    QTest::newRow("Shift+Enter is a line feed")
        << kLogo << at(2, 2, keys({Qt::ShiftModifier | Qt::Key_Return}))
        << QStringLiteral("OBM¶BMD¶FF\n00¶BMD¶C040¶CBM¶") << 7;
    QTest::newRow("joining two display lines changes nothing")
        << kLogo << at(1, 0, keys({Qt::Key_Backspace})) << kLogo << 6;
    QTest::newRow("undoing a join brings the display line back")
        << kLogo << at(1, 0, keys({Qt::Key_Backspace, Qt::ControlModifier | Qt::Key_Z})) << kLogo << 7;
    QTest::newRow("deleting a typed break removes its line feed")
        << kLogo << at(2, 2, keys({Qt::Key_Return, Qt::Key_Backspace})) << kLogo << 7;
    QTest::newRow("undoing that deletion brings the line feed back")
        << kLogo << at(2, 2, keys({Qt::Key_Return, Qt::Key_Backspace, Qt::ControlModifier | Qt::Key_Z}))
        << QStringLiteral("OBM¶BMD¶FF\n00¶BMD¶C040¶CBM¶") << 8;
    QTest::newRow("deleting a mark leaves its display break out of the content")
        << kLogo << at(0, 4, keys({Qt::Key_Backspace})) << QStringLiteral("OBMBMD¶FF00¶BMD¶C040¶CBM¶") << 7;
    QTest::newRow("typing over a selection across lines")
        << kLogo << selecting(1, 2, 2, 2, type("Z"))
        << QStringLiteral("OBM¶BMZ00¶BMD¶C040¶CBM¶") << 6;
    QTest::newRow("pasted line feeds stay, pasted marks get lines of their own")
        << QStringLiteral("A¶") << at(1, 0, paste(QStringLiteral("a\nb¶c\r\nd\re")))
        << QStringLiteral("A¶a\nb¶c\nd\ne") << 6;
    QTest::newRow("a pasted logo text reads one line per mark")
        << QString() << paste(kLogo) << kLogo << 7;
    QTest::newRow("undoing a paste takes all of it back")
        << QStringLiteral("A¶") << at(1, 0, sequence({paste(kLogo), keys({Qt::ControlModifier | Qt::Key_Z})}))
        << QStringLiteral("A¶") << 2;
    QTest::newRow("CR LF in a set text comes back as one line feed")
        << QStringLiteral("x\r\ny¶z") << nothing << QStringLiteral("x\ny¶z") << 3;
}

void TestWindowTextArea::edits()
{
    QFETCH(QString, start);
    QFETCH(Edit, edit);
    QFETCH(QString, expected);
    QFETCH(int, lines);
    LogoTextEdit area;
    area.resize(240, 321);
    area.setContent(start);
    QVERIFY(!area.document()->isUndoAvailable()); // a set text is not an edit

    edit(area);

    QCOMPARE(area.content(), expected);
    QCOMPARE(area.blockCount(), lines);
}

void TestWindowTextArea::copyAndCut_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QPoint>("from"); // (column, line)
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("afterCut");
    QTest::newRow("one display line with its mark")
        << kLogo << QPoint(0, 1) << QPoint(0, 2) << QStringLiteral("BMD¶") << QStringLiteral("OBM¶FF00¶BMD¶C040¶CBM¶");
    QTest::newRow("across a display break")
        << kLogo << QPoint(2, 1) << QPoint(2, 2) << QStringLiteral("D¶FF") << QStringLiteral("OBM¶BM00¶BMD¶C040¶CBM¶");
    QTest::newRow("backwards across two display breaks")
        << kLogo << QPoint(1, 3) << QPoint(3, 1) << QStringLiteral("¶FF00¶B") << QStringLiteral("OBM¶BMDMD¶C040¶CBM¶");
    QTest::newRow("the whole text") << kLogo << QPoint(0, 0) << QPoint(0, 6) << kLogo << QString();
    QTest::newRow("across a typed break")
        << QStringLiteral("ab\ncd") << QPoint(1, 0) << QPoint(1, 1) << QStringLiteral("b\nc") << QStringLiteral("ad");
    QTest::newRow("only a typed break")
        << QStringLiteral("ab\ncd") << QPoint(2, 0) << QPoint(0, 1) << QStringLiteral("\n") << QStringLiteral("abcd");
    QTest::newRow("only a display break: no characters")
        << kLogo << QPoint(4, 0) << QPoint(0, 1) << QString() << kLogo;
}

void TestWindowTextArea::copyAndCut()
{
    QFETCH(QString, start);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, copied);
    QFETCH(QString, afterCut);
    LogoTextEdit area;
    area.setContent(start);
    QTextCursor cursor = area.textCursor();
    cursor.setPosition(positionOf(area, from.y(), from.x()));
    cursor.setPosition(positionOf(area, to.y(), to.x()), QTextCursor::KeepAnchor);
    area.setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    area.copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QCOMPARE(area.content(), start.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    area.cut();
    QCOMPARE(area.content(), afterCut);
}

void TestWindowTextArea::appendAddsDisplayLines()
{
    LogoTextEdit area;
    area.setContent(u"OBM¶");
    area.appendContent(u"BMD¶FF00¶");
    area.appendContent(u"CBM¶");
    QCOMPARE(area.content(), QStringLiteral("OBM¶BMD¶FF00¶CBM¶"));
    QCOMPARE(area.blockCount(), 5);
    QCOMPARE(area.document()->findBlockByNumber(2).text(), QStringLiteral("FF00¶"));
}

QTEST_MAIN(TestWindowTextArea)
#include "tst_window_textarea.moc"
