// What the window's controls do: the slider, Reverse Image, Refresh and Create, before and
// after a load; the progress count while they run; closing the window.

#include "tst_window_fixture.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "ui/Canvas.h"
#include "ui/LogoTextEdit.h"
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSlider>
#include <functional>

using namespace plovan;

namespace {

// Black (0, 0, 0) where `black`, white elsewhere.
QImage blackWhere(int width, int height, const std::function<bool(int, int)> &black)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, black(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

} // namespace

class TestWindowHandlers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void sliderKeys_data();
    void sliderKeys();
    void sliderDragRedrawsOnceOnRelease();
    void reverse_data();
    void reverse();
    void refresh();
    void controlsBeforeAnyLoad();

    void create_data();
    void create();

    void progressIsPaintedWhileRedrawRuns();
    void closingReleasesThePictures();

private:
    WindowTestBed bed_;
};

void TestWindowHandlers::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowHandlers::sliderKeys_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("threshold");
    QTest::newRow("Right steps by one") << true << int(Qt::Key_Right) << 101;
    QTest::newRow("Page Up steps by twenty onto the grey: a tie stays white") << true << int(Qt::Key_PageUp) << 120;
    QTest::newRow("Home goes to 0: all white") << true << int(Qt::Key_Home) << 0;
    QTest::newRow("End goes to 255: the grey turns black") << true << int(Qt::Key_End) << 255;
    QTest::newRow("before a load the threshold is still stored") << false << int(Qt::Key_Right) << 101;
    QTest::newRow("before a load End stores 255") << false << int(Qt::Key_End) << 255;
}

void TestWindowHandlers::sliderKeys()
{
    QFETCH(bool, loaded);
    QFETCH(int, key);
    QFETCH(int, threshold);
    ShownWindow window(bed_.menus());
    if (loaded)
        window.load(bed_.picture("grey.png", greyImage(9, 5, 120)));
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    QTest::keyClick(window.control("Slider1"), Qt::Key(key));

    QCOMPARE(window->state().threshold, threshold);
    QCOMPARE(window.text("thresh_label"), QString::number(threshold));
    QCOMPARE(redraws.count(), loaded ? 1 : 0);
    QCOMPARE(window.text("progress_label"), loaded ? QStringLiteral("5") : QStringLiteral("-"));
    if (loaded)
        QVERIFY(allPixels(*window->state().destPix, 120 < threshold ? kBlack : kWhite));
}

void TestWindowHandlers::sliderDragRedrawsOnceOnRelease()
{
    ShownWindow window(bed_.menus());
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window.load(bed_.picture("grey.png", greyImage(9, 5, 30)));
    auto *slider = window.control<QSlider>("Slider1");
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    const QPoint handle = sliderHandle(slider);

    QTest::mousePress(slider, Qt::LeftButton, {}, handle);
    for (int x = handle.x() - 10; x >= -20; x -= 10)
        QTest::mouseMove(slider, QPoint(x, handle.y()));
    QVERIFY(slider->isSliderDown());
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(window->state().threshold, 100);

    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(-20, handle.y()));
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(window->state().threshold, 0);
    QCOMPARE(window.text("thresh_label"), QStringLiteral("0"));
    QVERIFY(allPixels(*window->state().destPix, kWhite));
}

void TestWindowHandlers::reverse_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::newRow("with a picture: each click redraws") << true;
    QTest::newRow("before a load: the flag is still stored") << false;
}

void TestWindowHandlers::reverse()
{
    QFETCH(bool, loaded);
    ShownWindow window(bed_.menus());
    if (loaded)
        window.load(bed_.picture("grey.png", greyImage(4, 3, 120)));
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    window.click("CheckBox1");
    QVERIFY(window->state().reverse);
    QCOMPARE(redraws.count(), loaded ? 1 : 0);
    if (loaded) // 120 is lighter than 100: black in reverse mode
        QVERIFY(allPixels(*window->state().destPix, kBlack));

    window.click("CheckBox1");
    QVERIFY(!window->state().reverse);
    QCOMPARE(redraws.count(), loaded ? 2 : 0);
    if (loaded)
        QVERIFY(allPixels(*window->state().destPix, kWhite));
}

void TestWindowHandlers::refresh()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("dark.png", greyImage(7, 13, 60)));
    QVERIFY(allPixels(*window->state().destPix, kWhite)); // blank until converted
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    window.click("PushButton2");

    QCOMPARE(redraws.count(), 1);
    QCOMPARE(window.text("progress_label"), QStringLiteral("13"));
    QVERIFY(allPixels(*window->state().destPix, kBlack));
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), window->state().destPix);
}

void TestWindowHandlers::controlsBeforeAnyLoad()
{
    ShownWindow window(bed_.menus());
    window.click("PushButton2");
    QTest::keyClick(window.control("Slider1"), Qt::Key_Right);
    window.click("CheckBox1");
    window.click("PushButton3");

    QCOMPARE(window->state().threshold, 101);
    QCOMPARE(window.text("thresh_label"), QStringLiteral("101"));
    QVERIFY(window->state().reverse);
    QVERIFY(!window->state().pix && !window->state().destPix);
    QVERIFY(!window.control<Canvas>("Canvas1")->backdrop() && !window.control<Canvas>("Canvas2")->backdrop());
    QCOMPARE(window.text("progress_label"), QStringLiteral("-"));
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("-"));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), QString());
}

void TestWindowHandlers::create_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("expected"); // empty: what the encoder writes without a window
    QTest::addColumn<QString>("progress");
    QTest::newRow("two columns, ten rows: the worked example")
        << blackWhere(2, 10, [](int x, int y) { return x == 0 || y == 9; })
        << QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶") << QStringLiteral("16");
    QTest::newRow("one row: only bit 7")
        << blackWhere(3, 1, [](int x, int) { return x != 1; }) << QStringLiteral("OBM¶BMD¶800080¶CBM¶")
        << QStringLiteral("8");
    QRandomGenerator random(4);
    QImage noise = blackWhere(61, 37, [&random](int, int) { return random.bounded(2) == 0; });
    QTest::newRow("random 61 x 37 as without a window") << noise << QString() << QStringLiteral("40");
}

void TestWindowHandlers::create()
{
    QFETCH(QImage, image);
    QFETCH(QString, expected);
    QFETCH(QString, progress);
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("logo.png", image));
    window.click("PushButton2");
    auto *area = window.control<LogoTextEdit>("TextArea1");
    QTest::keyClicks(area, QStringLiteral("typed before"));
    if (expected.isEmpty()) {
        HeadlessView headless;
        createLogoText(window->state(), headless);
        expected = headless.text();
    }

    QSignalSpy changes(area, &QPlainTextEdit::textChanged);

    window.click("PushButton3");

    QCOMPARE(area->content(), expected);
    // Filled once when the encoder is done (cleared, then filled), not once per band.
    QVERIFY2(changes.count() <= 2, qPrintable(QString::number(changes.count())));
    QCOMPARE(window.text("progress_label"), progress);
    // One display line per line mark (and an empty one after the last).
    QCOMPARE(area->blockCount(), expected.count(logotext::kLineMark) + 1);

    window.click("PushButton3");
    QCOMPARE(area->content(), expected);
}

void TestWindowHandlers::progressIsPaintedWhileRedrawRuns()
{
    ShownWindow window(bed_.menus());
    window->resize(window->width(), window->height() + 100);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window.load(bed_.picture("tall.png", greyImage(64, 4000, 50)));
    auto *label = window.control("progress_label");
    QTRY_VERIFY(window->centralWidget()->rect().contains(label->geometry()));

    // A click on Create waits in the queue; it must not run inside the redraw.
    auto *create = window.control("PushButton3");
    const QPoint middle = create->rect().center();
    QCoreApplication::postEvent(create, new QMouseEvent(QEvent::MouseButtonPress, middle, create->mapToGlobal(middle),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(create, new QMouseEvent(QEvent::MouseButtonRelease, middle, create->mapToGlobal(middle),
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    label->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    window.control<QPushButton>("PushButton2")->click();
    const qint64 elapsed = clock.elapsed();
    label->removeEventFilter(&counter);

    QCOMPARE(window.text("progress_label"), QStringLiteral("4000"));
    QVERIFY2(counter.paints >= 1, "the count was not painted while redraw ran");
    QVERIFY2(counter.paints <= elapsed / 50 + 2, qPrintable(QString::number(counter.paints)));
    auto *area = window.control<LogoTextEdit>("TextArea1");
    QCOMPARE(area->content(), QString());
    // Afterwards the queued click gets its turn.
    QTRY_VERIFY(area->content().startsWith(QStringLiteral("OBM¶")));
}

void TestWindowHandlers::closingReleasesThePictures()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("logo.png", greyImage(30, 20, 0)));
    const std::weak_ptr<Picture> pix = window->state().pix;
    const std::weak_ptr<Picture> destPix = window->state().destPix;
    QVERIFY(!pix.expired() && !destPix.expired());

    QVERIFY(window->close());

    QVERIFY(pix.expired());
    QVERIFY(destPix.expired());
    QTRY_VERIFY(!window.alive());
}

QTEST_MAIN(TestWindowHandlers)
#include "tst_window_handlers.moc"
