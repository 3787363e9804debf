// The stages before the scaling, each against its plain reference (support/NaiveStages):
// the orientation pixel by pixel, the tone table by its formula in doubles, trimming by a
// scan of every pixel.
#include "conversion/Orientation.h"
#include "conversion/ToneCurve.h"
#include "conversion/TrimMargins.h"
#include "PictureMaker.h"
#include "support/NaiveStages.h"

#include <QRandomGenerator>
#include <QTest>

using namespace plovan;
using namespace plovan::testsupport;

Q_DECLARE_METATYPE(plovan::Tone)
Q_DECLARE_METATYPE(plovan::Trim)

namespace {

// Random stored pixels, the top bytes too: the stages must carry them or ignore them.
PictureRef randomPicture(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    PictureRef picture = makePicture(width, height);
    RGBSurface surface = picture->rgbSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.row(y)[x] = random.generate();
    return picture;
}

Tone tone(int brightness, int contrast, int gammaHundredths)
{
    Tone t;
    t.brightness = brightness;
    t.contrast = contrast;
    t.gammaHundredths = gammaHundredths;
    return t;
}

QRect wholeOf(const Picture &picture)
{
    return QRect(0, 0, picture.Width(), picture.Height());
}

const char *trimName(Trim trim)
{
    return trim == Trim::Light ? "light" : trim == Trim::Dark ? "dark" : "off";
}

} // namespace

class TestStages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void orientation_data();
    void orientation();
    void defaultsAreTheSamePicture();
    void toneTableByFormula_data();
    void toneTableByFormula();
    void toneLevelsByHand_data();
    void toneLevelsByHand();
    void toneOnPicture_data();
    void toneOnPicture();
    void trimByHand_data();
    void trimByHand();
    void trimByScan_data();
    void trimByScan();
    void trimThroughTone_data();
    void trimThroughTone();
};

// Every turn with and without the mirror, on sizes that are not multiples of the blocks
// the code works in (16 x 16, in tiles of 64 x 1024), on rows and columns one pixel wide,
// and on parts of a picture, as the preparation turns only what trimming keeps.
void TestStages::orientation_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("part"); // empty: the whole picture
    QTest::addColumn<int>("quarterTurns");
    QTest::addColumn<bool>("mirror");
    const QList<QSize> sizes = {{1, 1}, {1, 9}, {9, 1}, {5, 3}, {3, 5}, {16, 16}, {17, 33}, {33, 17},
                                {32, 48}, {31, 47}, {90, 1100}, {1100, 90}};
    const QList<QPair<QSize, QRect>> parts = {{{40, 30}, {3, 5, 17, 21}}, {{40, 30}, {0, 0, 1, 30}}, {{40, 30}, {39, 29, 1, 1}},
                                              {{200, 150}, {7, 11, 150, 101}}};
    for (int turns = 0; turns < 4; ++turns) {
        for (const bool mirror : {false, true}) {
            for (const QSize &size : sizes) {
                QTest::addRow("%dx%d, %d degrees%s", size.width(), size.height(), 90 * turns, mirror ? ", mirrored" : "")
                    << size << QRect() << turns << mirror;
            }
            for (const auto &[size, part] : parts) {
                QTest::addRow("%dx%d at (%d, %d) of %dx%d, %d degrees%s", part.width(), part.height(), part.x(), part.y(),
                              size.width(), size.height(), 90 * turns, mirror ? ", mirrored" : "")
                    << size << part << turns << mirror;
            }
        }
    }
}

void TestStages::orientation()
{
    QFETCH(QSize, size);
    QFETCH(QRect, part);
    QFETCH(int, quarterTurns);
    QFETCH(bool, mirror);
    const PictureRef picture = randomPicture(size.width(), size.height(), quint32(size.width() * 7919 + size.height()));
    const Orientation orientation{quarterTurns, mirror};
    if (part.isEmpty())
        part = wholeOf(*picture);
    const PictureRef expected = naiveOrient(*naiveCrop(*picture, part), orientation);
    QCOMPARE(orientedSize(part.size(), orientation), QSize(expected->Width(), expected->Height()));

    const PictureRef oriented = orientPart(*picture, part, orientation);
    const QString difference = firstStoredDifference(*oriented, *expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    if (part == wholeOf(*picture) && !orientation.isIdentity()) {
        const QString whole = firstStoredDifference(*orientPicture(picture, orientation), *expected);
        QVERIFY2(whole.isEmpty(), qPrintable(whole));
    }
}

// With nothing to do, each stage gives back the picture it was given: no copy.
void TestStages::defaultsAreTheSamePicture()
{
    const PictureRef picture = randomPicture(23, 11, 5);
    QCOMPARE(orientPicture(picture, Orientation{}), picture);
    QCOMPARE(adjustTone(picture, Tone{}), picture);
    QCOMPARE(trimMargins(picture, Trim::Off), picture);
    // Grey up to every edge: nothing to trim either way.
    const PictureRef edged = testpictures::uniform(23, 11, RGB(100, 100, 100));
    QCOMPARE(trimMargins(edged, Trim::Light), edged);
    QCOMPARE(trimMargins(edged, Trim::Dark), edged);
    const ToneTable identity = toneTable(Tone{});
    for (int v = 0; v < 256; ++v)
        QCOMPARE(int(identity[size_t(v)]), v);
}

void TestStages::toneTableByFormula_data()
{
    QTest::addColumn<Tone>("tone");
    auto row = [](int b, int c, int g) { QTest::addRow("B %d, C %d, G %d.%02d", b, c, g / 100, g % 100) << tone(b, c, g); };
    row(0, 0, 100); // the defaults: every value back
    for (const int b : {-100, -37, -10, 1, 10, 50, 100})
        row(b, 0, 100);
    for (const int c : {-100, -99, -50, 25, 100})
        row(0, c, 100);
    for (const int g : {10, 25, 50, 99, 101, 200, 300, 450, 1000})
        row(0, 0, g);
    row(-100, -100, 10);
    row(100, 100, 1000);
    row(-100, 100, 10);
    row(100, -100, 1000);
    row(10, 100, 1000); // x' = 0 exactly at 51, where the doubles miss it
    row(1, 0, 200);     // an exact half through the square root
    row(37, -58, 233);
    row(-64, 81, 17);
    row(23, 45, 777);
}

void TestStages::toneTableByFormula()
{
    QFETCH(Tone, tone);
    const ToneTable table = toneTable(tone);
    for (int v = 0; v < 256; ++v) {
        const int expected = naiveToneLevel(v, tone);
        QVERIFY2(table[size_t(v)] == expected,
                 qPrintable(QStringLiteral("%1 gives %2, expected %3").arg(v).arg(table[size_t(v)]).arg(expected)));
    }
}

// Worked out by hand, the halves and the ends of the range in particular.
void TestStages::toneLevelsByHand_data()
{
    QTest::addColumn<Tone>("tone");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("brightness 10 at 0 is 25.5, up") << tone(10, 0, 100) << 0 << 26;
    QTest::newRow("brightness 10 at 1 is 26.5, up") << tone(10, 0, 100) << 1 << 27;
    QTest::newRow("contrast -100 at 0 is 127.5, up") << tone(0, -100, 100) << 0 << 128;
    QTest::newRow("contrast -100 at 255 is 127.5, up") << tone(0, -100, 100) << 255 << 128;
    QTest::newRow("contrast 100 at 64 is 0.5, up") << tone(0, 100, 100) << 64 << 1;
    QTest::newRow("contrast 100 at 191 is 254.5, up") << tone(0, 100, 100) << 191 << 255;
    QTest::newRow("contrast 100 at 63 is below 0") << tone(0, 100, 100) << 63 << 0;
    QTest::newRow("brightness -100 at 255 is 0") << tone(-100, 0, 100) << 255 << 0;
    QTest::newRow("brightness 100 at 0 is 255") << tone(100, 0, 100) << 0 << 255;
    QTest::newRow("gamma 2 at 64 is 127.75") << tone(0, 0, 200) << 64 << 128;
    QTest::newRow("gamma 0.5 at 128 is 64.25") << tone(0, 0, 50) << 128 << 64;
    QTest::newRow("gamma 2 with brightness 1 at 0 is 25.5, up") << tone(1, 0, 200) << 0 << 26;
    QTest::newRow("gamma 10 on x' = 0 stays 0") << tone(10, 100, 1000) << 51 << 0;
    QTest::newRow("gamma 0.1 at 254 is 245.17") << tone(0, 0, 10) << 254 << 245;
    QTest::newRow("gamma 0.1 at 255 stays 255") << tone(0, 0, 10) << 255 << 255;
}

void TestStages::toneLevelsByHand()
{
    QFETCH(Tone, tone);
    QFETCH(int, value);
    QFETCH(int, expected);
    QCOMPARE(int(toneTable(tone)[size_t(value)]), expected);
    QCOMPARE(naiveToneLevel(value, tone), expected); // the reference agrees
}

// Widths around 16 pixels, the vector code's step, and pictures big enough for whole
// lines of memory; the whole picture, a part, and the tone in place.
void TestStages::toneOnPicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("part"); // empty: the whole picture
    QTest::addColumn<Tone>("tone");
    const Tone lighter = tone(12, -30, 160);
    for (const QSize size : {QSize(1, 1), QSize(15, 3), QSize(16, 2), QSize(17, 5), QSize(33, 9), QSize(300, 250)})
        QTest::addRow("%dx%d", size.width(), size.height()) << size << QRect() << lighter;
    QTest::newRow("a part") << QSize(70, 40) << QRect(3, 7, 45, 20) << tone(-40, 70, 55);
    QTest::newRow("a part one pixel wide") << QSize(70, 40) << QRect(69, 0, 1, 40) << tone(-40, 70, 55);
    QTest::newRow("darker, whole") << QSize(129, 31) << QRect() << tone(-100, 100, 10);
}

void TestStages::toneOnPicture()
{
    QFETCH(QSize, size);
    QFETCH(QRect, part);
    QFETCH(Tone, tone);
    const PictureRef picture = randomPicture(size.width(), size.height(), quint32(size.width() + 31 * size.height()));
    const bool whole = part.isEmpty();
    if (whole)
        part = wholeOf(*picture);
    const PictureRef expected = naiveTone(*naiveCrop(*picture, part), naiveToneTable(tone));

    const QString copied = firstStoredDifference(*tonePart(*picture, part, toneTable(tone)), *expected);
    QVERIFY2(copied.isEmpty(), qPrintable(copied));
    if (whole) {
        const QString adjusted = firstStoredDifference(*adjustTone(picture, tone), *expected);
        QVERIFY2(adjusted.isEmpty(), qPrintable(adjusted));
        toneInto(*picture, part, toneTable(tone), *picture);
        const QString inPlace = firstStoredDifference(*picture, *expected);
        QVERIFY2(inPlace.isEmpty(), qPrintable(inPlace));
    }
}

// Margins of paper around inked rectangles, the paper just at its limit and the content
// just past it, worked out by hand.
void TestStages::trimByHand_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Trim>("trim");
    QTest::addColumn<quint32>("paper");
    QTest::addColumn<quint32>("ink");
    QTest::addColumn<QList<QRect>>("inked");
    QTest::addColumn<QRect>("expected");
    auto row = [](const char *name, QSize size, Trim trim, Colour paper, Colour ink, QList<QRect> inked, QRect expected) {
        QTest::newRow(name) << size << trim << quint32(paper) << quint32(ink) << inked << expected;
    };
    const QSize size(40, 30);
    const QRect middle(11, 7, 13, 9);
    const QRect all(0, 0, 40, 30);
    row("white margins", size, Trim::Light, kWhite, kBlack, {middle}, middle);
    row("margins of mean 250 are paper", size, Trim::Light, RGB(250, 250, 250), kBlack, {middle}, middle);
    row("mean 250 from 249 + 250 + 251", size, Trim::Light, RGB(249, 250, 251), kBlack, {middle}, middle);
    row("margins of mean 249 are kept", size, Trim::Light, RGB(249, 250, 250), kBlack, {middle}, all);
    row("ink of mean 249 is content", size, Trim::Light, kWhite, RGB(249, 250, 250), {middle}, middle);
    row("ink of mean 250 is paper: all paper, left whole", size, Trim::Light, kWhite, RGB(250, 250, 251), {middle}, all);
    row("black margins, reversed", size, Trim::Dark, kBlack, kWhite, {middle}, middle);
    row("margins of mean 5 are paper, reversed", size, Trim::Dark, RGB(5, 5, 5), kWhite, {middle}, middle);
    row("mean 5 from 5 + 6 + 6, reversed", size, Trim::Dark, RGB(5, 6, 6), kWhite, {middle}, middle);
    row("margins of mean 6 are kept, reversed", size, Trim::Dark, RGB(6, 6, 6), kWhite, {middle}, all);
    row("ink of mean 6 is content, reversed", size, Trim::Dark, kBlack, RGB(5, 6, 7), {middle}, middle);
    row("ink of 6, 6 and 6 is content, reversed", size, Trim::Dark, kBlack, RGB(6, 6, 6), {middle}, middle);
    row("white is content when reversed", size, Trim::Dark, kWhite, kBlack, {middle}, all);
    row("all paper, left whole", size, Trim::Light, kWhite, kWhite, {}, all);
    row("all paper, reversed, left whole", size, Trim::Dark, kBlack, kBlack, {}, all);
    row("one pixel top left", size, Trim::Light, kWhite, kBlack, {QRect(0, 0, 1, 1)}, QRect(0, 0, 1, 1));
    row("one pixel top right", size, Trim::Light, kWhite, kBlack, {QRect(39, 0, 1, 1)}, QRect(39, 0, 1, 1));
    row("one pixel bottom left", size, Trim::Light, kWhite, kBlack, {QRect(0, 29, 1, 1)}, QRect(0, 29, 1, 1));
    row("one pixel bottom right", size, Trim::Dark, kBlack, kWhite, {QRect(39, 29, 1, 1)}, QRect(39, 29, 1, 1));
    row("two pixels far apart", size, Trim::Light, kWhite, kBlack, {QRect(3, 25, 1, 1), QRect(31, 4, 1, 1)},
        QRect(3, 4, 29, 22));
    row("content touching every edge: nothing cut", size, Trim::Light, kWhite, kBlack,
        {QRect(0, 5, 1, 1), QRect(39, 9, 1, 1), QRect(7, 0, 1, 1), QRect(20, 29, 1, 1)}, all);
    row("a column in a middle row sets the left side", QSize(100, 9), Trim::Light, kWhite, kBlack,
        {QRect(40, 0, 20, 1), QRect(40, 8, 20, 1), QRect(17, 4, 1, 1), QRect(83, 5, 1, 1)}, QRect(17, 0, 67, 9));
    row("1x1 paper", QSize(1, 1), Trim::Light, kWhite, kWhite, {}, QRect(0, 0, 1, 1));
    row("1x1 content", QSize(1, 1), Trim::Light, kBlack, kBlack, {}, QRect(0, 0, 1, 1));
    row("one row", QSize(70, 1), Trim::Light, kWhite, kBlack, {QRect(33, 0, 4, 1)}, QRect(33, 0, 4, 1));
    row("one column", QSize(1, 70), Trim::Dark, kBlack, kWhite, {QRect(0, 20, 1, 31)}, QRect(0, 20, 1, 31));
}

void TestStages::trimByHand()
{
    QFETCH(QSize, size);
    QFETCH(Trim, trim);
    QFETCH(quint32, paper);
    QFETCH(quint32, ink);
    QFETCH(QList<QRect>, inked);
    QFETCH(QRect, expected);
    const PictureRef picture = testpictures::filled(size.width(), size.height(), [&](int x, int y) {
        for (const QRect &area : inked)
            if (area.contains(x, y))
                return Colour(ink);
        return Colour(paper);
    });
    QCOMPARE(naiveContent(*picture, trim), expected); // the reference agrees
    QCOMPARE(contentRect(*picture, trim), expected);
    // Through a tone table: the same for the identity, as the scan of the toned picture
    // for tones that move the shades by a little (5 levels up, 5 down).
    QCOMPARE(contentRect(*picture, trim, toneTable(Tone{})), expected);
    for (const Tone &t : {tone(2, 0, 100), tone(-2, 0, 100)})
        QCOMPARE(contentRect(*picture, trim, toneTable(t)), naiveContent(*naiveTone(*picture, naiveToneTable(t)), trim));
    const PictureRef trimmed = trimMargins(picture, trim);
    if (expected == wholeOf(*picture)) {
        QCOMPARE(trimmed, picture);
    } else {
        const QString difference = firstStoredDifference(*trimmed, *naiveCrop(*picture, expected));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
}

// Paper of every shade that counts (and the shades just past it as content, a few of them),
// with random top bytes, against the scan of every pixel; and what is kept of the picture
// as a tone would make it against the scan of the toned picture, the tones moving some of
// those shades across the limit.
void TestStages::trimByScan_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Trim>("trim");
    QTest::addColumn<int>("inkPixels");
    QTest::addColumn<Tone>("tone");
    QTest::addColumn<quint32>("seed");
    const QList<QSize> sizes = {{1, 1}, {2, 3}, {17, 1}, {1, 17}, {16, 16}, {33, 20}, {100, 57}, {257, 31}};
    const QList<Tone> tones = {Tone{}, tone(2, 0, 100), tone(-1, 15, 110)};
    quint32 seed = 1;
    for (const Trim trim : {Trim::Light, Trim::Dark}) {
        for (const QSize &size : sizes) {
            for (const int ink : {0, 1, 3, 40}) {
                for (const Tone &t : tones) {
                    QTest::addRow("%s, %dx%d, %d ink pixels, tone %d %d %d", trimName(trim), size.width(), size.height(), ink,
                                  t.brightness, t.contrast, t.gammaHundredths)
                        << size << trim << ink << t << seed++;
                }
            }
        }
    }
}

void TestStages::trimByScan()
{
    QFETCH(QSize, size);
    QFETCH(Trim, trim);
    QFETCH(int, inkPixels);
    QFETCH(Tone, tone);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    // Paper at the limit and beyond it; ink just past the limit and far past it.
    const QList<Colour> lightPaper = {kWhite, RGB(250, 250, 250), RGB(249, 250, 251), RGB(240, 255, 255), RGB(255, 248, 247)};
    const QList<Colour> lightInk = {RGB(249, 250, 250), RGB(249, 249, 251), kBlack, RGB(128, 200, 90)};
    const QList<Colour> darkPaper = {kBlack, RGB(5, 5, 5), RGB(5, 6, 6), RGB(0, 0, 17), RGB(17, 0, 0)};
    const QList<Colour> darkInk = {RGB(6, 6, 6), RGB(0, 0, 18), kWhite, RGB(3, 9, 6)};
    const QList<Colour> &paper = trim == Trim::Light ? lightPaper : darkPaper;
    const QList<Colour> &ink = trim == Trim::Light ? lightInk : darkInk;
    PictureRef picture = makePicture(size.width(), size.height());
    RGBSurface surface = picture->rgbSurface();
    auto withTop = [&](Colour c) { return (c & kRgbMask) | random.generate() << 24; };
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            surface.row(y)[x] = withTop(paper[random.bounded(int(paper.size()))]);
    for (int i = 0; i < inkPixels; ++i)
        surface.row(random.bounded(size.height()))[random.bounded(size.width())] = withTop(ink[random.bounded(int(ink.size()))]);

    const QRect expected = naiveContent(*picture, trim);
    QCOMPARE(contentRect(*picture, trim), expected);
    const QString difference = firstStoredDifference(*trimMargins(picture, trim), *naiveCrop(*picture, expected));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(contentRect(*picture, trim, toneTable(tone)), naiveContent(*naiveTone(*picture, naiveToneTable(tone)), trim));
}

// What trimming keeps of the picture as the tone would make it, without toning it: the
// same as trimming the toned picture. A grey margin that a brighter tone turns to paper
// goes; a white one that a darker tone greys stays.
void TestStages::trimThroughTone_data()
{
    QTest::addColumn<Trim>("trim");
    QTest::addColumn<Tone>("tone");
    QTest::addColumn<quint32>("margin");
    QTest::addColumn<QRect>("expected");
    const QRect middle(9, 4, 20, 11);
    const QRect all(0, 0, 40, 20);
    QTest::newRow("grey margins made white") << Trim::Light << tone(30, 0, 100) << quint32(RGB(200, 200, 200)) << middle;
    // 242 alone is toned to 247, too little to make paper; with the other two it is.
    QTest::newRow("margins made paper by the sum") << Trim::Light << tone(2, 0, 100) << quint32(RGB(242, 250, 255)) << middle;
    QTest::newRow("margins short of paper by the sum") << Trim::Light << tone(2, 0, 100) << quint32(RGB(241, 243, 255)) << all;
    QTest::newRow("grey margins made nearly white: 249") << Trim::Light << tone(0, 0, 100) << quint32(RGB(249, 249, 249)) << all;
    QTest::newRow("white margins made grey") << Trim::Light << tone(-10, 0, 100) << quint32(kWhite) << all;
    QTest::newRow("near-white margins lifted by gamma 3") << Trim::Light << tone(0, 0, 300) << quint32(RGB(240, 240, 240)) << middle;
    QTest::newRow("near-white margins darkened by gamma 0.3") << Trim::Light << tone(0, 0, 30) << quint32(RGB(252, 252, 252)) << all;
    QTest::newRow("dark margins made black, reversed") << Trim::Dark << tone(-20, 40, 100) << quint32(RGB(60, 40, 50)) << middle;
    QTest::newRow("black margins made grey, reversed") << Trim::Dark << tone(5, 0, 100) << quint32(kBlack) << all;
}

void TestStages::trimThroughTone()
{
    QFETCH(Trim, trim);
    QFETCH(Tone, tone);
    QFETCH(quint32, margin);
    QFETCH(QRect, expected);
    QRandomGenerator random(7);
    // Mid-grey noise inside, which no tone of these turns to paper.
    const PictureRef picture = testpictures::filled(40, 20, [&](int x, int y) {
        if (!QRect(9, 4, 20, 11).contains(x, y))
            return Colour(margin);
        const int level = 100 + int(random.bounded(56));
        return RGB(level, 255 - level, level);
    });
    const PictureRef toned = naiveTone(*picture, naiveToneTable(tone));
    QCOMPARE(naiveContent(*toned, trim), expected); // the reference agrees
    QCOMPARE(contentRect(*picture, trim, toneTable(tone)), expected);
}

QTEST_GUILESS_MAIN(TestStages)
#include "tst_stages.moc"
