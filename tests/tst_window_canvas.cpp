// The canvases: how a picture is fitted and painted, and that showing it copies nothing.

#include "tst_window_fixture.h"

#include "ui/Canvas.h"
#include <QColor>
#include <algorithm>

using namespace plovan;

namespace {

bool isOpaqueBlack(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

} // namespace

class TestWindowCanvas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void canvas_data();
    void canvas();
    void canvasKeepsNoCopyOfThePicture_data();
    void canvasKeepsNoCopyOfThePicture();
    void scaledCanvasFollowsRedraw();

private:
    WindowTestBed bed_;
};

void TestWindowCanvas::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowCanvas::canvas_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QRect>("shown");
    QTest::newRow("smaller: 1:1 from the top-left") << QSize(10, 10) << QRect(0, 0, 10, 10);
    QTest::newRow("the canvas's own size: 1:1") << QSize(192, 320) << QRect(0, 0, 192, 320);
    QTest::newRow("wide: scaled to the width") << QSize(400, 100) << QRect(0, 0, 192, 48);
    QTest::newRow("tall: scaled to the height") << QSize(100, 640) << QRect(0, 0, 50, 320);
    QTest::newRow("large square: scaled to fit") << QSize(1000, 1000) << QRect(0, 0, 192, 192);
    QTest::newRow("one row of 32767: still a row") << QSize(32767, 1) << QRect(0, 0, 192, 1);
}

void TestWindowCanvas::canvas()
{
    QFETCH(QSize, pictureSize);
    QFETCH(QRect, shown);
    Canvas canvas;
    canvas.resize(192, 320);
    PictureRef black = makePicture(pictureSize.width(), pictureSize.height());
    RGBSurface surface = black->rgbSurface();
    for (int y = 0; y < pictureSize.height(); ++y)
        std::fill_n(surface.row(y), pictureSize.width(), RGBSurface::storedColour(kBlack));

    canvas.setBackdrop(black);

    QCOMPARE(canvas.backdropRect(), shown);
    const QImage painted = canvas.grab().toImage();
    QVERIFY(isOpaqueBlack(painted.pixel(0, 0)));
    QVERIFY(isOpaqueBlack(painted.pixel(shown.right(), shown.bottom())));
    if (shown.right() + 1 < canvas.width())
        QVERIFY(!isOpaqueBlack(painted.pixel(shown.right() + 1, 0)));
    if (shown.bottom() + 1 < canvas.height())
        QVERIFY(!isOpaqueBlack(painted.pixel(0, shown.bottom() + 1)));
}

void TestWindowCanvas::canvasKeepsNoCopyOfThePicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("shown at 1:1") << QSize(50, 60);
    QTest::newRow("shown scaled down") << QSize(900, 700);
}

void TestWindowCanvas::canvasKeepsNoCopyOfThePicture()
{
    QFETCH(QSize, size);
    ShownWindow window(bed_.menus());
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window.load(bed_.picture("picture.png", greyImage(size.width(), size.height(), 90)));
    const PictureRef destPix = window->state().destPix;
    const uchar *pixels = destPix->image().constBits();

    for (int i = 0; i < 3; ++i) {
        window.click("PushButton2");
        window.control("Canvas2")->repaint();
    }

    // Redraw wrote in place: had a canvas shared the picture's pixels, writing would have
    // detached a copy of the whole picture.
    QCOMPARE(window->state().destPix, destPix);
    QCOMPARE(destPix->image().constBits(), pixels);
    QVERIFY(destPix->image().isDetached());
    QVERIFY(window->state().pix->image().isDetached());
}

void TestWindowCanvas::scaledCanvasFollowsRedraw()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("big.png", greyImage(400, 400, 120)));
    auto *canvas = window.control<Canvas>("Canvas2");
    const QPoint middle = canvas->backdropRect().center();

    window.click("PushButton2"); // 120 against 100: white
    QCOMPARE(QColor(canvas->grab().toImage().pixel(middle)), QColor(Qt::white));
    QTest::keyClick(window.control("Slider1"), Qt::Key_End); // 120 against 255: black
    QCOMPARE(QColor(canvas->grab().toImage().pixel(middle)), QColor(Qt::black));
}

QTEST_MAIN(TestWindowCanvas)
#include "tst_window_canvas.moc"
