// Image > Print Preview: the working picture at the size it will print, measured on the
// screen in millimetres, its summary line, and how it follows the working picture; As
// Printed and the zoom, and the keys that close it and quit from it.

#include "tst_window_fixture.h"

#include "conversion/PrintSimulation.h"
#include "ui/ImageMenu.h"
#include "ui/LogoTextEdit.h"
#include "ui/MainMenuBar.h"
#include "ui/PrintPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QScrollArea>
#include <QSettings>
#include <QTimer>
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

// Black and white squares of `side` pixels, so that its dots differ from their neighbours.
QImage checkerImage(int width, int height, int side)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x / side + y / side) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
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
    void closesFromTheKeyboard_data();
    void closesFromTheKeyboard();
    void asPrintedFromTheKeyboard();
    void zoomFromTheKeyboard_data();
    void zoomFromTheKeyboard();
    void fitsTheDesk();
    // Last: the program's event loop ends in it.
    void quitsFromThePreview();

private:
    // Image > Print Preview, typed: Alt+I, then P. The preview it opened.
    PrintPreview *openPreview(ShownWindow &window);
    // The preview opened, then given the keyboard as a click on it would.
    PrintPreview *activePreview(ShownWindow &window);

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

PrintPreview *TestWindowPreview::activePreview(ShownWindow &window)
{
    PrintPreview *preview = openPreview(window);
    if (!preview)
        return nullptr;
    // The main window takes the keyboard back as the preview opens; then a click on the
    // preview gives it the keyboard.
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }))
        return nullptr;
    preview->activateWindow();
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == preview; }))
        return nullptr;
    return preview;
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

void TestWindowPreview::closesFromTheKeyboard_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close))
        QTest::addRow("the platform's Close, %s", qPrintable(key.toString())) << key;
}

// With the keyboard, the preview closes as a document window does, and the main window
// stays.
void TestWindowPreview::closesFromTheKeyboard()
{
    QFETCH(QKeySequence, key);
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("close.png"), greyImage(16, 8, 0)));
    QPointer<PrintPreview> preview = activePreview(window);
    QVERIFY(preview);
    QTest::keySequence(preview.data(), key);
    QTRY_VERIFY(preview.isNull());
    QVERIFY(window.alive());
    QVERIFY(!window->printPreview());
}

// Alt+P turns As Printed on: the paper shows the dots as the printer's round dots of the
// dot gain chosen print them, 8 x 8 pixels a dot, and follows a new dot gain; again, the dots.
void TestWindowPreview::asPrintedFromTheKeyboard()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("checks.png"), checkerImage(24, 16, 2)));
    window.click("PushButton2");
    ImageChoices dots = window->imageChoices();
    dots.dotGainHundredths = 120;
    Q_EMIT bed_.menus().imageMenuChoices()->choicesWanted(dots);
    PrintPreview *preview = activePreview(window);
    QVERIFY(preview);
    auto *check = preview->findChild<QCheckBox *>(QStringLiteral("PreviewAsPrinted"));
    QVERIFY(!check->isChecked());
    QCOMPARE(preview->shown(), window->state().destPix);

    // A button's letter clicks it the way a mouse would, a moment later.
    QTest::keyClick(preview, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(preview->asPrinted());
    const PictureRef &shown = preview->shown();
    QCOMPARE(shown->Width(), 24 * 8);
    QCOMPARE(shown->Height(), 16 * 8);
    QCOMPARE(shown->image(), (*simulatePrint(*window->state().destPix, 120))->image());
    // The same size on paper as the dots themselves.
    auto *picture = preview->findChild<QWidget *>(QStringLiteral("PreviewPicture"));
    const QSize printed = picture->size();

    // At 8 screen pixels a dot, the simulation pixel for pixel.
    QTest::keyClick(preview, Qt::Key_Z, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QCOMPARE(preview->zoom(), 8);
    if (picture->devicePixelRatioF() == 1.0)
        QCOMPARE(picture->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 shown->image().convertToFormat(QImage::Format_RGB32));
    preview->setZoom(PrintPreview::kZoomPrintedSize);

    dots.dotGainHundredths = 140;
    Q_EMIT bed_.menus().imageMenuChoices()->choicesWanted(dots);
    QCOMPARE(preview->shown()->image(), (*simulatePrint(*window->state().destPix, 140))->image());
    QCOMPARE(picture->size(), printed);

    QTest::keyClick(preview, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(!preview->asPrinted());
    QCOMPARE(preview->shown(), window->state().destPix);
    QCOMPARE(picture->size(), printed);
    // The next window starts with square cells again.
    QSettings().clear();
    bed_.menus().imageMenuChoices()->show(ImageChoices());
}

void TestWindowPreview::zoomFromTheKeyboard_data()
{
    QTest::addColumn<int>("downs"); // from the first choice, Fit
    QTest::addColumn<int>("pixels"); // a dot's side on the screen
    QTest::newRow("2 pixels a dot") << 2 << 2;
    QTest::newRow("4 pixels a dot") << 3 << 4;
    QTest::newRow("8 pixels a dot") << 4 << 8;
}

// Alt+Z and the arrow keys: each dot a square of so many screen pixels of its own colour,
// not smoothed into its neighbours; back to Printed Size, the size the paper has in print.
void TestWindowPreview::zoomFromTheKeyboard()
{
    QFETCH(int, downs);
    QFETCH(int, pixels);
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("checks.png"), checkerImage(30, 12, 1)));
    window.click("PushButton2");
    PrintPreview *preview = activePreview(window);
    QVERIFY(preview);
    auto *picture = preview->findChild<QWidget *>(QStringLiteral("PreviewPicture"));
    const QSize printedSize = picture->size();
    QCOMPARE(preview->zoom(), int(PrintPreview::kZoomPrintedSize));
    QTest::keyClick(preview, Qt::Key_Z, Qt::AltModifier);
    auto *zoom = preview->findChild<QComboBox *>(QStringLiteral("PreviewZoom"));
    QCOMPARE(QApplication::focusWidget(), zoom);
    QTest::keyClick(zoom, Qt::Key_Home);
    QCOMPARE(preview->zoom(), int(PrintPreview::kZoomFit));
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(zoom, Qt::Key_Down);
    QCOMPARE(preview->zoom(), pixels);

    const qreal ratio = picture->devicePixelRatioF();
    QCOMPARE(picture->size(), QSize(qRound(30 * pixels / ratio), qRound(12 * pixels / ratio)));
    const QImage painted = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage dots = window->state().destPix->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted.size(), QSize(30 * pixels, 12 * pixels));
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            if (painted.pixel(x, y) != dots.pixel(x / pixels, y / pixels))
                QFAIL(qPrintable(QStringLiteral("screen pixel %1, %2 is not its dot's colour").arg(x).arg(y)));

    QTest::keyClick(zoom, Qt::Key_Home);
    QTest::keyClick(zoom, Qt::Key_Down);
    QCOMPARE(preview->zoom(), int(PrintPreview::kZoomPrintedSize));
    QCOMPARE(picture->size(), printedSize);
}

// Fit: the whole paper within the desk, as large as it goes there.
void TestWindowPreview::fitsTheDesk()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("wide.png"), greyImage(300, 40, 0)));
    PrintPreview *preview = openPreview(window);
    QVERIFY(preview);
    preview->setZoom(PrintPreview::kZoomFit);
    auto *desk = preview->findChild<QScrollArea *>(QStringLiteral("PreviewDesk"));
    auto *paper = preview->findChild<QWidget *>(QStringLiteral("PreviewPaper"));
    const QSize room = desk->maximumViewportSize();
    QVERIFY(paper->width() <= room.width() && paper->height() <= room.height());
    // 300 dots across, the paper's wider side: it fills the width to within a dot.
    QVERIFY2(paper->width() > room.width() - room.width() / 300 - 1, qPrintable(QString::number(paper->width())));
    QCOMPARE(paper->height(), int(40 * (room.width() / 300.0) + 1e-9));
    // A larger preview fits a larger paper.
    const int before = paper->width();
    preview->resize(preview->width() + 200, preview->height());
    QTRY_VERIFY(paper->width() > before);
}

// Ctrl+Q (the program's Quit) quits from the preview too, as from the main window.
void TestWindowPreview::quitsFromThePreview()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("quit.png"), greyImage(16, 8, 0)));
    QPointer<PrintPreview> preview = activePreview(window);
    QVERIFY(preview);
    QAction *quit = bed_.menus().quitAction();
    QVERIFY(!quit->shortcuts().isEmpty());
    QTimer::singleShot(0, preview.data(), [&] { QTest::keySequence(preview.data(), quit->shortcut()); });
    // Should Quit fail to quit, the loop still ends, with a status that fails the test.
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QTRY_VERIFY(!window.alive());
}

QTEST_MAIN(TestWindowPreview)
#include "tst_window_preview.moc"
