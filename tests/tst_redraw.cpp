#include "PictureMaker.h"
#include "support/WindowRecorder.h"

#include "conversion/LogoText.h"
#include "conversion/Redraw.h"

#include <QTest>
#include <cmath>

using namespace plovan;
using testsupport::WindowRecorder;

namespace {

ConversionState stateFor(const PictureRef &pix, int threshold, bool reverse)
{
    ConversionState state;
    state.pix = pix;
    state.destPix = makePicture(pix->Width(), pix->Height());
    state.threshold = threshold;
    state.reverse = reverse;
    return state;
}

// The rule as it reads, one pixel at a time with a floating-point mean: the oracle for
// the row loops.
PictureRef naiveRedraw(const Picture &pix, int threshold, bool reverse)
{
    PictureRef out = makePicture(pix.Width(), pix.Height());
    RGBSurface dest = out->rgbSurface();
    const ConstRGBSurface source = pix.rgbSurface();
    for (int y = 0; y < pix.Height(); ++y) {
        for (int x = 0; x < pix.Width(); ++x) {
            const Colour c = source.Pixel(x, y);
            const int avg = int(std::trunc(double(Red(c) + Green(c) + Blue(c)) / 3.0));
            const bool black = reverse ? avg > threshold : avg < threshold;
            dest.Pixel(x, y, black ? RGB(0, 0, 0, 0) : RGB(255, 255, 255, 0));
        }
    }
    return out;
}

QStringList countTo(int n)
{
    QStringList numbers;
    for (int i = 1; i <= n; ++i)
        numbers << QString::number(i);
    return numbers;
}

} // namespace

class TestRedraw : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rule_data();
    void rule();
    void progressAndHandOver_data();
    void progressAndHandOver();
    void nothingBeforeALoad();
    void nothingForPicturesOfTwoSizes_data();
    void nothingForPicturesOfTwoSizes();
    void writesInPlaceAndRepeats();
    void matchesNaiveRule_data();
    void matchesNaiveRule();
};

void TestRedraw::rule_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("black");
    auto row = [](const char *name, quint32 stored, int threshold, bool reverse, bool black) {
        QTest::newRow(name) << stored << threshold << reverse << black;
    };
    row("tie is white in normal mode", 0xFF646464, 100, false, false);
    row("tie is white in reverse mode", 0xFF646464, 100, true, false);
    row("sum 299 floors to 99: black", 0xFF636464, 100, false, true);
    row("sum 299 in reverse: white", 0xFF636464, 100, true, false);
    row("sum 302 floors to 100: white", 0xFF666464, 100, false, false);
    row("sum 302 in reverse is a tie: white", 0xFF666464, 100, true, false);
    row("sum 303 in reverse: black", 0xFF656565, 100, true, true);
    row("threshold 0 makes black white", 0xFF000000, 0, false, false);
    row("threshold 255: near white is black", 0xFFFFFFFE, 255, false, true);
    row("threshold 255: white stays white", 0xFFFFFFFF, 255, false, false);
    row("reverse 255: white is white", 0xFFFFFFFF, 255, true, false);
    row("reverse 0: sum 2 is white", 0xFF000002, 0, true, false);
    row("reverse 0: sum 3 is black", 0xFF000102, 0, true, true);
    row("top byte ignored (transparent black)", 0x00000000, 128, false, true);
    row("top byte ignored (odd byte, white)", 0x3CFFFFFF, 128, false, false);
}

void TestRedraw::rule()
{
    QFETCH(quint32, stored);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(bool, black);
    // Odd widths leave a tail after any vector block; check every position.
    for (const int width : {1, 7, 37}) {
        const PictureRef pix = makePicture(width, 1);
        for (int x = 0; x < width; ++x)
            pix->rgbSurface().row(0)[x] = stored;
        const ConversionState state = stateFor(pix, threshold, reverse);
        WindowRecorder view;
        redraw(state, view);
        for (int x = 0; x < width; ++x)
            QCOMPARE(state.destPix->rgbSurface().Pixel(x, 0), black ? kBlack : kWhite);
    }
}

void TestRedraw::progressAndHandOver_data()
{
    QTest::addColumn<int>("height");
    for (const int h : {1, 8, 9, 50, 383})
        QTest::addRow("height %d", h) << h;
}

void TestRedraw::progressAndHandOver()
{
    QFETCH(int, height);
    const ConversionState state = stateFor(makePicture(3, height), 100, false);
    WindowRecorder view;
    redraw(state, view);
    QCOMPARE(view.progressHistory, countTo(height));
    QCOMPARE(view.calls.count(QStringLiteral("setProcessedBackdrop")), 1);
    QCOMPARE(view.processedBackdrop, state.destPix);
    QVERIFY(view.textHistory.isEmpty());
}

void TestRedraw::nothingBeforeALoad()
{
    ConversionState state;
    state.threshold = 42;
    state.reverse = true;
    WindowRecorder view;
    redraw(state, view);
    QVERIFY(view.calls.isEmpty());
    QVERIFY(!state.pix && !state.destPix);
}

void TestRedraw::nothingForPicturesOfTwoSizes_data()
{
    QTest::addColumn<QSize>("pix");
    QTest::addColumn<QSize>("destPix");
    QTest::newRow("working picture a column wider") << QSize(5, 9) << QSize(6, 9);
    QTest::newRow("working picture a row taller") << QSize(5, 9) << QSize(5, 10);
    QTest::newRow("working picture a column narrower") << QSize(5, 9) << QSize(4, 9);
    QTest::newRow("working picture a band shorter") << QSize(5, 17) << QSize(5, 9);
    QTest::newRow("the same pixels, turned") << QSize(9, 5) << QSize(5, 9);
}

// Pictures of two sizes would take the row loops past the end of one of them: neither
// the conversion nor Create may start on them.
void TestRedraw::nothingForPicturesOfTwoSizes()
{
#if !defined(QT_NO_DEBUG)
    QSKIP("a debug build stops at the assertion on such a pair instead");
#else
    QFETCH(QSize, pix);
    QFETCH(QSize, destPix);
    ConversionState state;
    state.pix = testpictures::uniform(pix.width(), pix.height(), RGB(0, 0, 0));
    state.destPix = makePicture(destPix.width(), destPix.height());
    const QImage destBefore = state.destPix->image().copy();

    WindowRecorder view;
    redraw(state, view);
    createLogoText(state, view);
    QCOMPARE(view.calls, QStringList());
    QCOMPARE(state.destPix->image(), destBefore);
    QVERIFY(!state.hasPictures());
#endif
}

void TestRedraw::writesInPlaceAndRepeats()
{
    QRandomGenerator random(7);
    const ConversionState state = stateFor(testpictures::randomNear(33, 21, 100, random), 100, false);
    const uchar *before = state.destPix->image().constBits();
    WindowRecorder view;
    redraw(state, view);
    const QImage first = state.destPix->image().copy();
    redraw(state, view);
    QCOMPARE(state.destPix->image().constBits(), before);
    QCOMPARE(state.destPix->image(), first);
}

void TestRedraw::matchesNaiveRule_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<quint32>("seed");
    QRandomGenerator sizes(2024);
    for (int i = 0; i < 40; ++i) {
        const int width = 1 + int(sizes.bounded(i < 20 ? 40 : 300));
        const int height = 1 + int(sizes.bounded(i < 20 ? 20 : 90));
        const int threshold = i % 10 == 0 ? 0 : i % 10 == 1 ? 255 : int(sizes.bounded(256));
        const bool reverse = i % 2;
        QTest::addRow("%dx%d t%d%s", width, height, threshold, reverse ? " reverse" : "")
            << width << height << threshold << reverse << quint32(i);
    }
}

void TestRedraw::matchesNaiveRule()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const ConversionState state = stateFor(testpictures::randomNear(width, height, threshold, random), threshold, reverse);
    WindowRecorder view;
    redraw(state, view);
    QCOMPARE(state.destPix->image(), naiveRedraw(*state.pix, threshold, reverse)->image());
}

QTEST_GUILESS_MAIN(TestRedraw)
#include "tst_redraw.moc"
