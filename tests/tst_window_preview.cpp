// Image > Print Preview: the working picture at the size it will print, measured on the
// screen in millimetres, its summary line, and how it follows the working picture.

#include "tst_window_fixture.h"

#include "ui/LogoTextEdit.h"
#include "ui/PrintPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSlider>

using namespace plovan;

namespace {

// Millimetres on the screen that `pixels` logical pixels of a widget cover, from the
// screen's physical resolution.
double screenMillimetres(int pixels, double screenDpi)
{
    return pixels * 25.4 / screenDpi;
}

// Whether every pixel of the widget as painted is this colour.
bool paintedAll(QWidget *widget, QRgb colour)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QRgb(image.pixel(x, y)) != colour)
                return false;
    return true;
}

} // namespace

class TestWindowPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void sizeInMillimetres_data();
    void sizeInMillimetres();
    void followsTheWorkingPicture();
    void beforeAnyPicture();
    void keyboardStaysWithTheWindow();
    void goesWithTheWindow();

private:
    // Image > Print Preview, typed: Alt+I, then P. The preview it opened.
    PrintPreview *openPreview(ShownWindow &window);

    WindowTestBed bed_;
};

void TestWindowPreview::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

PrintPreview *TestWindowPreview::openPreview(ShownWindow &window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    if (!QTest::qWaitFor([&] { return QApplication::activePopupWidget() == bed_.menus().imageMenu(); }))
        return nullptr;
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
    if (!QTest::qWaitFor([&] { return window->printPreview() && window->printPreview()->isVisible(); }))
        return nullptr;
    return window->printPreview();
}

void TestWindowPreview::sizeInMillimetres_data()
{
    QTest::addColumn<QSize>("size"); // of the picture, in dots
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("summary"); // worked out by hand: dots x 25.4 / dpi, one decimal
    QTest::newRow("80 mm receipt at 203 dpi") << QSize(576, 240) << 203
                                              << "576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi";
    QTest::newRow("the same at 300 dpi prints smaller") << QSize(576, 240) << 300
                                                        << "576x240 dots, 30 bands, 34718 characters, 48.8x20.3 mm at 300 dpi";
    QTest::newRow("the same at 180 dpi prints larger") << QSize(576, 240) << 180
                                                       << "576x240 dots, 30 bands, 34718 characters, 81.3x33.9 mm at 180 dpi";
    QTest::newRow("a last band cut short prints whole") << QSize(100, 13) << 180
                                                        << "100x16 dots, 2 bands, 418 characters, 14.1x2.3 mm at 180 dpi";
    QTest::newRow("one band") << QSize(7, 1) << 203 << "7x8 dots, 1 band, 27 characters, 0.9x1.0 mm at 203 dpi";
}

// Measured on the screen as a ruler would: the widget's size in pixels over the screen's
// physical pixels per inch gives millimetres, which must be the printed size to within one
// screen pixel.
void TestWindowPreview::sizeInMillimetres()
{
    QFETCH(QSize, size);
    QFETCH(int, dpi);
    QFETCH(QString, summary);
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("ruler.png"), greyImage(size.width(), size.height(), 40)));
    PrintPreview *preview = openPreview(window);
    QVERIFY(preview);
    auto *choice = preview->findChild<QComboBox *>(QStringLiteral("PreviewDpi"));
    QCOMPARE(choice->count(), 3);
    QCOMPARE(choice->itemData(0).toInt(), 180);
    QCOMPARE(choice->itemData(1).toInt(), 203);
    QCOMPARE(choice->itemData(2).toInt(), 300);
    QCOMPARE(preview->dpi(), 203); // the receipt printers' resolution, until the user picks another
    choice->setCurrentIndex(choice->findData(dpi));

    const QScreen *screen = preview->screen();
    const double dpiX = screen->physicalDotsPerInchX();
    const double dpiY = screen->physicalDotsPerInchY();
    QVERIFY(dpiX > 0 && dpiY > 0);
    // Rounding to whole pixels moves an edge by half a pixel at most.
    const double toleranceX = 0.5 * 25.4 / dpiX + 1e-9;
    const double toleranceY = 0.5 * 25.4 / dpiY + 1e-9;
    auto *picture = preview->findChild<QWidget *>(QStringLiteral("PreviewPicture"));
    auto *paper = preview->findChild<QWidget *>(QStringLiteral("PreviewPaper"));
    const int bandsHeight = (size.height() + 7) / 8 * 8;
    auto near = [](double measured, double expected, double tolerance) {
        if (std::abs(measured - expected) <= tolerance)
            return true;
        qWarning("measured %.3f mm, printed %.3f mm", measured, expected);
        return false;
    };
    QVERIFY(near(screenMillimetres(picture->width(), dpiX), size.width() * 25.4 / dpi, toleranceX));
    QVERIFY(near(screenMillimetres(picture->height(), dpiY), size.height() * 25.4 / dpi, toleranceY));
    // The paper is as wide as the picture (no printer width chosen) and runs on to the end
    // of the last band.
    QVERIFY(near(screenMillimetres(paper->width(), dpiX), size.width() * 25.4 / dpi, toleranceX));
    QVERIFY(near(screenMillimetres(paper->height(), dpiY), bandsHeight * 25.4 / dpi, toleranceY));
    QCOMPARE(picture->pos(), QPoint(0, 0));
    QCOMPARE(preview->findChild<QLabel *>(QStringLiteral("PreviewSummary"))->text(), summary);
}

// The preview shows the working picture as it is now: after each redraw and after a load
// of another picture.
void TestWindowPreview::followsTheWorkingPicture()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("dark.png"), greyImage(40, 20, 30)));
    window.click("PushButton2"); // at threshold 100 the grey 30 turns black
    PrintPreview *preview = openPreview(window);
    QVERIFY(preview);
    // Opened, the preview leaves the keyboard with the window's text area.
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QTRY_COMPARE(QApplication::focusWidget(), window.control("TextArea1"));
    auto *picture = preview->findChild<QWidget *>(QStringLiteral("PreviewPicture"));
    QCOMPARE(preview->picture(), window->state().destPix);
    QVERIFY(paintedAll(picture, qRgb(0, 0, 0)));

    window.control<QSlider>("Slider1")->setValue(0); // everything white
    QCOMPARE(preview->picture(), window->state().destPix);
    QVERIFY(paintedAll(picture, qRgb(255, 255, 255)));
    window.control<QSlider>("Slider1")->setValue(31);
    QVERIFY(paintedAll(picture, qRgb(0, 0, 0)));

    window.load(bed_.picture(QStringLiteral("other.png"), greyImage(60, 9, 200)));
    QCOMPARE(preview->picture(), window->state().destPix);
    QCOMPARE(preview->findChild<QLabel *>(QStringLiteral("PreviewSummary"))->text(),
             QStringLiteral("60x16 dots, 2 bands, 258 characters, 7.5x2.0 mm at 203 dpi"));
}

void TestWindowPreview::beforeAnyPicture()
{
    ShownWindow window(bed_.menus());
    PrintPreview *preview = openPreview(window);
    QVERIFY(preview);
    QCOMPARE(preview->findChild<QLabel *>(QStringLiteral("PreviewSummary"))->text(), QStringLiteral("No picture loaded"));
    QCOMPARE(preview->findChild<QWidget *>(QStringLiteral("PreviewPaper"))->size(), QSize(0, 0));
    // The first load shows up in the open preview.
    window.load(bed_.picture(QStringLiteral("first.png"), greyImage(8, 8, 0)));
    QCOMPARE(preview->picture(), window->state().destPix);
    QVERIFY(preview->findChild<QWidget *>(QStringLiteral("PreviewPaper"))->width() > 0);
}

// However Print Preview is chosen (here without a menu to close, which would hand the
// activation back by itself), the window keeps the keyboard, in its text area.
void TestWindowPreview::keyboardStaysWithTheWindow()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("keys.png"), greyImage(8, 8, 0)));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    bed_.menus().printPreviewAction()->trigger();
    QVERIFY(window->printPreview() && window->printPreview()->isVisible());
    // Shown on the screen: a window system that activates the preview has done so by now.
    QVERIFY(QTest::qWaitForWindowExposed(window->printPreview()));
    QTRY_COMPARE(QApplication::activeWindow(), window.get());
    QCOMPARE(QApplication::focusWidget(), window.control("TextArea1"));
}

// Closing the window releases its pictures, the preview's hold included, and the preview.
void TestWindowPreview::goesWithTheWindow()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("gone.png"), greyImage(8, 8, 0)));
    QPointer<PrintPreview> preview = openPreview(window);
    QVERIFY(preview);
    const std::weak_ptr<Picture> destPix = window->state().destPix;
    window->close();
    QTRY_VERIFY(preview.isNull());
    QVERIFY(destPix.expired());
}

QTEST_MAIN(TestWindowPreview)
#include "tst_window_preview.moc"
