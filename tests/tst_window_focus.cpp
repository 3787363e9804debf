// Where the keyboard focus is. The text area holds it from start-up; clicks on the buttons,
// the check box and the slider run their handlers and leave it there, so that Select All and
// Copy act on the logo data text straight after Create. Only Tab moves it.

#include "tst_window_fixture.h"

#include "ui/LogoTextEdit.h"

#include <QApplication>
#include <QSlider>

using namespace plovan;

namespace {

// A user's mouse action on one of the window's controls.
enum class Click { Load, Refresh, Create, Reverse, SliderTrack, SliderDrag, LoadError };

} // namespace

class TestWindowFocus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void textAreaHasTheFocusFromStartUp();
    void clicksLeaveTheFocusInTheTextArea_data();
    void clicksLeaveTheFocusInTheTextArea();
    void tabFromStartUpVisitsTheControlsInOrder();
    void focusMovedWithTabStaysWhereTheUserPutIt();

private:
    // Makes the shown window the active one, as it is for a user; false if it did not become so.
    bool showActive(ShownWindow &window);

    WindowTestBed bed_;
};

void TestWindowFocus::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

bool TestWindowFocus::showActive(ShownWindow &window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}

void TestWindowFocus::textAreaHasTheFocusFromStartUp()
{
    ShownWindow window(bed_.menus());
    QVERIFY(showActive(window));
    QCOMPARE(QApplication::focusWidget(), window.control("TextArea1"));
}

void TestWindowFocus::clicksLeaveTheFocusInTheTextArea_data()
{
    QTest::addColumn<Click>("click");
    QTest::addColumn<bool>("loaded"); // a picture is loaded first
    QTest::newRow("Load Image....") << Click::Load << false;
    QTest::newRow("Load Image.... of a second picture") << Click::Load << true;
    QTest::newRow("Load Image.... of a file that does not load, after its message") << Click::LoadError << true;
    QTest::newRow("Refresh") << Click::Refresh << true;
    QTest::newRow("Refresh before any load") << Click::Refresh << false;
    QTest::newRow("Create") << Click::Create << true;
    QTest::newRow("Create before any load") << Click::Create << false;
    QTest::newRow("Reverse Image") << Click::Reverse << true;
    QTest::newRow("a click in the slider's track") << Click::SliderTrack << true;
    QTest::newRow("a drag of the slider's thumb") << Click::SliderDrag << true;
}

void TestWindowFocus::clicksLeaveTheFocusInTheTextArea()
{
    QFETCH(Click, click);
    QFETCH(bool, loaded);
    ShownWindow window(bed_.menus());
    QVERIFY(showActive(window));
    auto *area = window.control<LogoTextEdit>("TextArea1");
    if (loaded)
        window.load(bed_.picture(QStringLiteral("first.png"), greyImage(30, 17, 90)));
    auto *slider = window.control<QSlider>("Slider1");
    const ConversionState &state = window->state();

    switch (click) {
    case Click::Load:
        window.load(bed_.picture(QStringLiteral("second.png"), greyImage(12, 9, 40)));
        QCOMPARE(window.text("dimensions_label"), QStringLiteral("12x9"));
        break;
    case Click::LoadError:
        window.load(bed_.path(QStringLiteral("missing.png")));
        QCOMPARE(bed_.takeMessages().size(), 1);
        break;
    case Click::Refresh:
        window.click("PushButton2");
        QCOMPARE(window.text("progress_label"), loaded ? QStringLiteral("17") : QStringLiteral("-"));
        break;
    case Click::Create:
        window.click("PushButton3");
        QCOMPARE(area->content().isEmpty(), !loaded);
        break;
    case Click::Reverse:
        window.click("CheckBox1");
        QVERIFY(state.reverse);
        break;
    case Click::SliderTrack: {
        // Right of the thumb: one page up.
        const QPoint handle = sliderHandle(slider);
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, handle.y()));
        QCOMPARE(state.threshold, 120);
        break;
    }
    case Click::SliderDrag: {
        const QPoint handle = sliderHandle(slider);
        QTest::mousePress(slider, Qt::LeftButton, {}, handle);
        QTest::mouseMove(slider, QPoint(handle.x() - 10, handle.y()));
        QTest::mouseMove(slider, QPoint(-20, handle.y()));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(-20, handle.y()));
        QCOMPARE(state.threshold, 0);
        break;
    }
    }

    // The window keeps the text area as its focus control; after a message box, a window
    // manager makes the window active again and the focus goes back there. The offscreen
    // platform has no window manager, so the test does what one does.
    QCOMPARE(window->focusWidget(), area);
    if (!window->isActiveWindow())
        QVERIFY(showActive(window));
    QCOMPARE(QApplication::focusWidget(), area);
}

void TestWindowFocus::tabFromStartUpVisitsTheControlsInOrder()
{
    ShownWindow window(bed_.menus());
    QVERIFY(showActive(window));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"PushButton1", "PushButton2", "Slider1", "CheckBox1", "PushButton3", "TextArea1"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.control("PushButton3"));
}

void TestWindowFocus::focusMovedWithTabStaysWhereTheUserPutIt()
{
    ShownWindow window(bed_.menus());
    QVERIFY(showActive(window));
    window.load(bed_.picture(QStringLiteral("logo.png"), greyImage(16, 8, 0)));
    QCOMPARE(QApplication::focusWidget(), window.control("TextArea1"));

    // Tab, Tab, Tab: the slider; Right moves it and the focus stays on it.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.control("Slider1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(window->state().threshold, 101);
    QCOMPARE(QApplication::focusWidget(), window.control("Slider1"));

    // Tab, Tab: Create, pressed with the space bar; the focus stays on the button.
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.control("PushButton3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(window.control<LogoTextEdit>("TextArea1")->content().startsWith(QStringLiteral("OBM¶")));
    QCOMPARE(QApplication::focusWidget(), window.control("PushButton3"));

    // A click elsewhere does not take it either.
    window.click("PushButton2");
    QCOMPARE(QApplication::focusWidget(), window.control("PushButton3"));
}

QTEST_MAIN(TestWindowFocus)
#include "tst_window_focus.moc"
