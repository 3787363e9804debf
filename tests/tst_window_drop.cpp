// A picture file dropped on the window or on its text area.

#include "tst_window_fixture.h"

#include "ui/LogoTextEdit.h"
#include <QApplication>
#include <QMimeData>
#include <QUrl>

using namespace plovan;

class TestWindowDrop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void drop_data();
    void drop();

private:
    WindowTestBed bed_;
};

void TestWindowDrop::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowDrop::drop_data()
{
    QTest::addColumn<QStringList>("files"); // names in the temporary folder, or full URLs
    QTest::addColumn<bool>("onTextArea");
    QTest::addColumn<bool>("loads");
    QTest::newRow("one PNG on the window") << QStringList{"drop.png"} << false << true;
    QTest::newRow("one JPEG with an upper-case extension") << QStringList{"DROP.JPEG"} << false << true;
    QTest::newRow("one PNG on the text area loads and keeps the text") << QStringList{"drop.png"} << true << true;
    QTest::newRow("two pictures are refused") << QStringList{"drop.png", "other.png"} << false << false;
    QTest::newRow("two pictures on the text area are refused") << QStringList{"drop.png", "other.png"} << true << false;
    QTest::newRow("a text file is refused") << QStringList{"notes.txt"} << false << false;
    QTest::newRow("a remote picture is refused") << QStringList{"https://example.org/logo.png"} << false << false;
}

void TestWindowDrop::drop()
{
    QFETCH(QStringList, files);
    QFETCH(bool, onTextArea);
    QFETCH(bool, loads);
    ShownWindow window(bed_.menus());
    auto *area = window.control<LogoTextEdit>("TextArea1");
    area->setContent(u"kept");
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << (file.contains(QLatin1Char(':')) ? QUrl(file) : QUrl::fromLocalFile(bed_.picture(file, greyImage(12, 34, 0))));
    QMimeData data;
    data.setUrls(urls);
    QWidget *target = onTextArea ? area->viewport() : window.get();
    const QPoint at(5, 5);

    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), loads);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(target, &drop);
    // The load runs from the event loop, after the drop has been answered.
    QCoreApplication::sendPostedEvents();

    QCOMPARE(window.text("dimensions_label"), loads ? QStringLiteral("12x34") : QStringLiteral("-"));
    QCOMPARE(bool(window->state().pix), loads);
    QCOMPARE(area->content(), QStringLiteral("kept"));
}

QTEST_MAIN(TestWindowDrop)
#include "tst_window_drop.moc"
