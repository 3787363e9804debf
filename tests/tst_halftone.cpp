#include "PictureMaker.h"
#include "support/TextbookHalftones.h"
#include "support/WindowRecorder.h"

#include "conversion/AutoThreshold.h"
#include "conversion/HalftoneNames.h"
#include "conversion/Redraw.h"

#include <QTest>
#include <cmath>
#include <vector>

using namespace plovan;
using testsupport::WindowRecorder;
using testsupport::textbookLevel;

Q_DECLARE_METATYPE(plovan::Halftone)

namespace {

ConversionState stateFor(const PictureRef &pix, Halftone halftone, int threshold, bool reverse)
{
    ConversionState state;
    state.pix = pix;
    state.destPix = makePicture(pix->Width(), pix->Height());
    state.threshold = threshold;
    state.reverse = reverse;
    state.print.halftone = halftone;
    return state;
}

// The textbook error diffusion over a whole picture of errors: pixel by pixel, the
// received error (kept in 1/divisor of a level) rounded to the nearest level, halves up,
// then the pixel's whole error handed on to each neighbour inside the picture as
// weight/divisor.
struct Share {
    int dx, dy, weight;
};

std::vector<bool> textbookDiffusion(const Picture &pix, int threshold, bool reverse, const std::vector<Share> &shares,
                                    int divisor)
{
    const int width = pix.Width(), height = pix.Height();
    std::vector<long> received(size_t(width) * size_t(height), 0);
    std::vector<bool> black(received.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = size_t(y) * size_t(width) + size_t(x);
            const int value = textbookLevel(pix.rgbSurface().Pixel(x, y), threshold, reverse)
                + int(std::floor((double(received[at]) + divisor / 2) / divisor));
            black[at] = value < 128;
            const int error = black[at] ? value : value - 255;
            for (const Share &share : shares) {
                const int nx = x + share.dx, ny = y + share.dy;
                if (nx >= 0 && nx < width && ny < height)
                    received[size_t(ny) * size_t(width) + size_t(nx)] += long(share.weight) * error;
            }
        }
    }
    return black;
}

// Bayer's matrix from its recursive definition (the bits of x xor y and of y, interleaved
// and read backwards), and the rule: black below 255 (2 rank + 1) / 128.
std::vector<bool> textbookOrdered(const Picture &pix, int threshold, bool reverse)
{
    const int width = pix.Width(), height = pix.Height();
    std::vector<bool> black(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int rank = 0;
            for (int bit = 0; bit < 3; ++bit)
                rank = rank << 2 | (((x ^ y) >> bit & 1) << 1) | (y >> bit & 1);
            const int level = textbookLevel(pix.rgbSurface().Pixel(x, y), threshold, reverse);
            black[size_t(y) * size_t(width) + size_t(x)] = 128 * level < 255 * (2 * rank + 1);
        }
    }
    return black;
}

std::vector<bool> textbookHalftone(const Picture &pix, Halftone halftone, int threshold, bool reverse)
{
    switch (halftone) {
    case Halftone::FloydSteinberg:
        return textbookDiffusion(pix, threshold, reverse, {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}, 16);
    case Halftone::Atkinson:
        return textbookDiffusion(pix, threshold, reverse,
                                 {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}, 8);
    case Halftone::Ordered:
        return textbookOrdered(pix, threshold, reverse);
    default: // the later kinds have their own tests (tst_halftone_kinds)
        break;
    }
    qFatal("no textbook for this halftone");
}

// Colours anywhere, top bytes too, with smooth stretches so that errors build up.
PictureRef randomPicture(int width, int height, QRandomGenerator &random)
{
    PictureRef picture = makePicture(width, height);
    RGBSurface surface = picture->rgbSurface();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int grey = (x * 255) / std::max(1, width - 1);
            surface.row(y)[x] = random.bounded(3) == 0 ? random.generate()
                                                       : RGB(grey, 255 - grey, (grey + y) & 0xFF, int(random.bounded(256)));
        }
    }
    return picture;
}

// A colour whose floored mean of red, green and blue is `grey`, its channels as far apart
// as `noise` picks: (10, 20, 30) for 20 as well as (20, 20, 20) or (0, 0, 61).
Colour withFlooredMean(int grey, quint32 noise)
{
    const int sum = std::min(765, 3 * grey + int(noise % 3));
    const int redLow = std::max(0, sum - 510), redHigh = std::min(255, sum);
    const int red = redLow + int((noise / 3) % quint32(redHigh - redLow + 1));
    const int rest = sum - red;
    const int greenLow = std::max(0, rest - 255), greenHigh = std::min(255, rest);
    const int green = greenLow + int((noise / 1024) % quint32(greenHigh - greenLow + 1));
    return RGB(red, green, rest - green);
}

double blackShare(const Picture &picture)
{
    qint64 black = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            black += picture.rgbSurface().Pixel(x, y) == kBlack;
    return double(black) / (double(picture.Width()) * picture.Height());
}

const char *nameOf(Halftone halftone)
{
    switch (halftone) {
    case Halftone::None: return "none";
    case Halftone::FloydSteinberg: return "Floyd-Steinberg";
    case Halftone::Atkinson: return "Atkinson";
    case Halftone::Ordered: return "ordered";
    default: break;
    }
    return "?";
}

constexpr Halftone kHalftones[] = {Halftone::FloydSteinberg, Halftone::Atkinson, Halftone::Ordered};

} // namespace

class TestHalftone : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matchesTextbook_data();
    void matchesTextbook();
    void progressAndHandOver_data();
    void progressAndHandOver();
    void greys_data();
    void greys();
    void automaticThresholdEdges();
    void names_data();
    void names();
};

void TestHalftone::matchesTextbook_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<quint32>("seed");
    QRandomGenerator sizes(11);
    for (const Halftone halftone : kHalftones) {
        for (int i = 0; i < 10; ++i) {
            // Narrow ones, then ones wide enough for the vector path and its tails.
            const int width = 1 + int(sizes.bounded(i < 4 ? 9 : 333));
            const int height = 1 + int(sizes.bounded(i < 4 ? 9 : 41));
            const int threshold = i == 0 ? 0 : i == 1 ? 255 : i == 2 ? 128 : int(sizes.bounded(256));
            const bool reverse = i % 2;
            QTest::addRow("%s %dx%d t%d%s", nameOf(halftone), width, height, threshold, reverse ? " reverse" : "")
                << halftone << width << height << threshold << reverse << quint32(i * 31 + int(halftone));
        }
    }
}

void TestHalftone::matchesTextbook()
{
    QFETCH(Halftone, halftone);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const ConversionState state = stateFor(randomPicture(width, height, random), halftone, threshold, reverse);
    WindowRecorder view;
    redraw(state, view);
    const std::vector<bool> expected = textbookHalftone(*state.pix, halftone, threshold, reverse);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool black = expected[size_t(y) * size_t(width) + size_t(x)];
            if (state.destPix->rgbSurface().Pixel(x, y) != (black ? kBlack : kWhite))
                QFAIL(qPrintable(QStringLiteral("(%1, %2) should be %3").arg(x).arg(y).arg(black ? "black" : "white")));
        }
    }
}

void TestHalftone::progressAndHandOver_data()
{
    QTest::addColumn<Halftone>("halftone");
    for (const Halftone halftone : kHalftones)
        QTest::newRow(nameOf(halftone)) << halftone;
}

void TestHalftone::progressAndHandOver()
{
    QFETCH(Halftone, halftone);
    const ConversionState state = stateFor(makePicture(5, 19), halftone, 100, false);
    WindowRecorder view;
    redraw(state, view);
    QStringList rows;
    for (int i = 1; i <= 19; ++i)
        rows << QString::number(i);
    QCOMPARE(view.progressHistory, rows);
    QCOMPARE(view.calls.count(QStringLiteral("setProcessedBackdrop")), 1);
    QCOMPARE(view.processedBackdrop, state.destPix);

    ConversionState nothing;
    nothing.print.halftone = halftone;
    WindowRecorder untouched;
    redraw(nothing, untouched);
    QVERIFY(untouched.calls.isEmpty());
}

// What holds whatever the rounding: a flat grey g prints (255 - g) / 255 of its dots black
// (Atkinson drops a quarter of the error, so its darkest and lightest greys go solid and it
// gets more room), 0 all black, 255 all white, and reverse mirrors it: g prints g / 255.
// Two flat greys a < b, at the automatic threshold with no halftone: every a black, every
// b white (in reverse mode the other way round).
void TestHalftone::greys_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<int>("dark");  // the grey of the dark pixels
    QTest::addColumn<int>("light"); // the grey of the others; equal to dark for a flat grey
    QTest::addColumn<int>("darkPercent");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<double>("tolerance");
    // A flat grey over every level, one row per halftone and direction.
    auto flat = [](Halftone halftone, bool reverse, double tolerance) {
        QTest::addRow("%s%s: every flat grey", nameOf(halftone), reverse ? " reverse" : "")
            << halftone << -1 << -1 << 100 << reverse << tolerance;
    };
    for (const bool reverse : {false, true}) {
        flat(Halftone::FloydSteinberg, reverse, 0.02);
        flat(Halftone::Ordered, reverse, 0.02);
        flat(Halftone::Atkinson, reverse, 0.15);
    }
    for (const Halftone halftone : kHalftones) {
        QTest::addRow("%s: 0 is all black", nameOf(halftone)) << halftone << 0 << 0 << 100 << false << 0.0;
        QTest::addRow("%s: 255 is all white", nameOf(halftone)) << halftone << 255 << 255 << 100 << false << 0.0;
        QTest::addRow("%s reverse: 255 is all black", nameOf(halftone)) << halftone << 255 << 255 << 100 << true << 0.0;
        QTest::addRow("%s reverse: 0 is all white", nameOf(halftone)) << halftone << 0 << 0 << 100 << true << 0.0;
    }
    auto twoGreys = [](int dark, int light, int darkPercent, bool reverse) {
        QTest::addRow("automatic threshold: %d and %d, %d%% dark%s", dark, light, darkPercent, reverse ? ", reverse" : "")
            << Halftone::None << dark << light << darkPercent << reverse << 0.0;
    };
    twoGreys(50, 200, 50, false);
    twoGreys(50, 200, 50, true);
    twoGreys(0, 255, 10, false);
    twoGreys(0, 255, 90, false);
    twoGreys(127, 128, 30, false);
    twoGreys(127, 128, 70, true);
    twoGreys(250, 251, 10, false);
    twoGreys(3, 4, 90, true);
    twoGreys(180, 220, 10, true);
}

void TestHalftone::greys()
{
    QFETCH(Halftone, halftone);
    QFETCH(int, dark);
    QFETCH(int, light);
    QFETCH(int, darkPercent);
    QFETCH(bool, reverse);
    QFETCH(double, tolerance);
    constexpr int kSide = 96;
    if (dark < 0) {
        for (int grey = 0; grey < 256; ++grey) {
            const ConversionState state = stateFor(testpictures::uniform(kSide, kSide, RGB(grey, grey, grey)), halftone, 128, reverse);
            WindowRecorder view;
            redraw(state, view);
            const double expected = reverse ? grey / 255.0 : (255 - grey) / 255.0;
            const double share = blackShare(*state.destPix);
            QVERIFY2(std::abs(share - expected) <= tolerance,
                     qPrintable(QStringLiteral("grey %1: %2 black, expected %3").arg(grey).arg(share).arg(expected)));
        }
        return;
    }
    // Dark pixels scattered at random, darkPercent of them.
    QRandomGenerator random(uint(dark * 256 + light));
    std::vector<bool> isDark(size_t(kSide) * kSide);
    for (size_t i = 0; i < isDark.size(); ++i)
        isDark[i] = int(random.bounded(100)) < darkPercent;
    const PictureRef picture = testpictures::filled(kSide, kSide, [&](int x, int y) {
        const int grey = isDark[size_t(y) * kSide + size_t(x)] ? dark : light;
        // Different channels with the same floored mean: only the mean counts.
        return withFlooredMean(grey, random.generate());
    });
    // Channels that differ, unless the greys leave them no room (255 is white alone).
    const bool room = dark < 255 || light < 255;
    bool differ = false;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            differ = differ || Red(picture->rgbSurface().Pixel(x, y)) != Green(picture->rgbSurface().Pixel(x, y));
    QCOMPARE(differ, room);
    const bool automatic = halftone == Halftone::None;
    const int threshold = automatic ? automaticThreshold(*picture, reverse) : 128;
    const ConversionState state = stateFor(picture, halftone, threshold, reverse);
    WindowRecorder view;
    redraw(state, view);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool expectBlack = dark == light ? (dark == 0) != reverse : isDark[size_t(y) * kSide + size_t(x)] != reverse;
            if ((state.destPix->rgbSurface().Pixel(x, y) == kBlack) != expectBlack)
                QFAIL(qPrintable(QStringLiteral("(%1, %2) should be %3 at threshold %4")
                                     .arg(x).arg(y).arg(expectBlack ? "black" : "white").arg(threshold)));
        }
    }
}

// The threshold is always one a slider can show, and a picture of one grey has nothing to
// split.
void TestHalftone::automaticThresholdEdges()
{
    for (const bool reverse : {false, true}) {
        MeanHistogram histogram{};
        histogram[200] = 10;
        QCOMPARE(otsuThreshold(histogram, reverse), 128);
        histogram = {};
        QCOMPARE(otsuThreshold(histogram, reverse), 128);
        histogram[0] = 5;
        histogram[255] = 5;
        QCOMPARE(otsuThreshold(histogram, reverse), reverse ? 127 : 128);
        histogram = {};
        histogram[254] = 1;
        histogram[255] = 1000;
        QCOMPARE(otsuThreshold(histogram, reverse), reverse ? 254 : 255);
        histogram = {};
        histogram[0] = 1000;
        histogram[1] = 1;
        QCOMPARE(otsuThreshold(histogram, reverse), reverse ? 0 : 1);
        // 0 apart from the rest (1-127) and 255 apart from the rest (129-255) are equally
        // good and better than 128, which lies between: the middle of the first run, not
        // of both together (128).
        histogram = {};
        histogram[0] = histogram[127] = histogram[128] = histogram[255] = 1000;
        QCOMPARE(otsuThreshold(histogram, reverse), reverse ? 63 : 64);
    }
    // Channels count through their floored mean: (1, 1, 0) is mean 0.
    const PictureRef picture = testpictures::filled(4, 1, [](int x, int) { return x < 2 ? RGB(1, 1, 0) : RGB(2, 1, 1); });
    const MeanHistogram means = meanHistogram(*picture);
    QCOMPARE(means[0], quint64(2));
    QCOMPARE(means[1], quint64(2));
}

// The names plovan-cli's --halftone takes and the window's settings file keeps, both ways;
// only the exact spelling is a name.
void TestHalftone::names_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isName");
    QTest::addColumn<Halftone>("halftone");
    QTest::newRow("none") << QStringLiteral("none") << true << Halftone::None;
    QTest::newRow("floyd-steinberg") << QStringLiteral("floyd-steinberg") << true << Halftone::FloydSteinberg;
    QTest::newRow("atkinson") << QStringLiteral("atkinson") << true << Halftone::Atkinson;
    QTest::newRow("ordered") << QStringLiteral("ordered") << true << Halftone::Ordered;
    QTest::newRow("capitals") << QStringLiteral("Atkinson") << false << Halftone::None;
    QTest::newRow("spelt apart") << QStringLiteral("floyd steinberg") << false << Halftone::None;
    QTest::newRow("with a space") << QStringLiteral("ordered ") << false << Halftone::None;
    QTest::newRow("empty") << QString() << false << Halftone::None;
}

void TestHalftone::names()
{
    QFETCH(QString, text);
    QFETCH(bool, isName);
    QFETCH(Halftone, halftone);
    const std::optional<Halftone> named = halftoneNamed(text);
    QCOMPARE(named.has_value(), isName);
    if (isName) {
        QCOMPARE(*named, halftone);
        QCOMPARE(QString(halftoneName(halftone)), text);
    }
}

QTEST_GUILESS_MAIN(TestHalftone)
#include "tst_halftone.moc"
