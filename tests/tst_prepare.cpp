#include "PictureMaker.h"

#include "conversion/AreaScale.h"
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/PrepareForPrinter.h"
#include "conversion/Redraw.h"
#include "platform/PictureFile.h"
#include "support/AreaAverage.h"
#include "support/FitSettings.h"
#include "support/LoadReasons.h"
#include "support/NaiveStages.h"

#include <QCryptographicHash>
#include <QTest>

using namespace plovan;
using plovan::testsupport::firstDifference;
using plovan::testsupport::fitTo;
using plovan::testsupport::naiveAreaScale;
using plovan::testsupport::onWhitePaper;

Q_DECLARE_METATYPE(plovan::Fit)
Q_DECLARE_METATYPE(plovan::PrepareError::Reason)

namespace {

PictureRef randomPicture(int width, int height, QRandomGenerator &random)
{
    PictureRef picture = makePicture(width, height);
    RGBSurface surface = picture->rgbSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.row(y)[x] = random.generate(); // the top byte too: it must not count
    return picture;
}

PrintSettings turned(PrintSettings settings, int quarterTurns, bool mirror = false)
{
    settings.orientation = Orientation{quarterTurns, mirror};
    return settings;
}

PrintSettings trimmed(PrintSettings settings, Trim trim)
{
    settings.trim = trim;
    return settings;
}

PrintSettings toned(PrintSettings settings, int brightness, int contrast = 0, int gammaHundredths = 100)
{
    settings.tone = Tone{brightness, contrast, gammaHundredths};
    return settings;
}

// The stages one after another in the order they are to run, each the plain reference.
PictureRef naivelyPrepared(const Picture &decoded, const PrintSettings &settings)
{
    using namespace plovan::testsupport;
    PictureRef picture = naiveOrient(decoded, settings.orientation);
    picture = naiveTone(*picture, naiveToneTable(settings.tone));
    picture = naiveCrop(*picture, naiveContent(*picture, settings.trim));
    int width = picture->Width();
    if (settings.fit == Fit::Width || (settings.fit == Fit::MaxWidth && width > settings.width)) {
        picture = naiveAreaScale(*picture, settings.width, int(scaledHeight(width, picture->Height(), settings.width)));
        width = settings.width;
    }
    if (settings.paperWidth > width)
        picture = onWhitePaper(*picture, QSize(settings.paperWidth, picture->Height()),
                               QPoint((settings.paperWidth - width) / 2, 0));
    return picture;
}

} // namespace

class TestPrepare : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsKeepTodaysText_data();
    void defaultsKeepTodaysText();
    void scalingMatchesAreaAverage_data();
    void scalingMatchesAreaAverage();
    void nothingToDoIsTheSamePicture_data();
    void nothingToDoIsTheSamePicture();
    void sizeAfterFitting_data();
    void sizeAfterFitting();
    void centring_data();
    void centring();
    void refusals_data();
    void refusals();
    void stagesInOrder_data();
    void stagesInOrder();
};

// The texts plovan-cli wrote for these files before pictures could be scaled, centred or
// halftoned: with the defaults, not one byte may change.
void TestPrepare::defaultsKeepTodaysText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QByteArray>("sha256");
    auto row = [](const char *name, const char *file, int threshold, bool reverse, const char *sha) {
        QTest::newRow(name) << QStringLiteral(PLOVAN_SOURCE_DIR "/%1").arg(QLatin1String(file)) << threshold << reverse
                            << QByteArray(sha);
    };
    row("logo, threshold 100", "examples/logo.png", 100, false,
        "2ac8c2ea30591e1b93efe968fea12fab75995da35ef545597c1178e82c1c9813");
    row("logo, threshold 128", "examples/logo.png", 128, false,
        "e133d6787c542d689398d86ca036cc4da48e900dc0471c864e104e05ec10c91c");
    row("logo, reverse 200", "examples/logo.png", 200, true,
        "7cc9ac8d44bf3fb06358870bc442df5c7fa32d027e871eb7ace98cfd834d3911");
    row("logo, reverse 0", "examples/logo.png", 0, true,
        "c45c6c4a8f96e07d5b5970433328af36f67ff8417c2c91d7d83e68c3309a1c9e");
    row("screenshot, threshold 100", "docs/screenshot.png", 100, false,
        "e208df250b5cd9a044c5e82dc7975c164d03e2e26f1cfe0081e79928a00ed1a6");
    row("screenshot, threshold 128", "docs/screenshot.png", 128, false,
        "cbf878588ad31db7232667d52cf87e7224b5217385fb5c51f29b923ccf52f553");
    row("screenshot, reverse 200", "docs/screenshot.png", 200, true,
        "1f302d358e31c14e1de086b801a23fe0294e7f25e52b5d8ed6ab7d846448b08c");
    row("screenshot, reverse 0", "docs/screenshot.png", 0, true,
        "ae1ac87e4f34631d5558bda830835ba0fcdd11e3ea09caccc62f348365e41813");
}

void TestPrepare::defaultsKeepTodaysText()
{
    QFETCH(QString, file);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(QByteArray, sha256);
    const OpenedPicture opened = openPicture(file);
    QVERIFY2(opened.picture, qPrintable(plovan::testsupport::describe(opened.error)));
    ConversionState state;
    const auto prepared = prepareForPrinter(opened.picture, state.print);
    QVERIFY(std::holds_alternative<PictureRef>(prepared));
    state.pix = std::get<PictureRef>(prepared);
    state.destPix = makePicture(state.pix->Width(), state.pix->Height());
    state.threshold = threshold;
    state.reverse = reverse;
    HeadlessView view;
    redraw(state, view);
    createLogoText(state, view);
    QCOMPARE(QCryptographicHash::hash(view.text().toUtf8(), QCryptographicHash::Sha256).toHex(), sha256);
}

void TestPrepare::scalingMatchesAreaAverage_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("newWidth");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QList<int>>("checkerboard"); // two greys instead of random colours
    QTest::addColumn<int>("level");               // every new pixel's grey, worked out by hand; -1: not known
    auto row = [](const char *name, int width, int height, int newWidth) {
        QTest::addRow("%s: %dx%d to %d", name, width, height, newWidth)
            << width << height << newWidth << quint32(width * 1000 + newWidth) << QList<int>() << -1;
    };
    row("shrink by a fraction", 37, 23, 11);
    row("shrink by a whole factor", 45, 27, 15);
    row("shrink a little", 101, 67, 100);
    row("shrink a lot", 293, 41, 7);
    row("shrink to one column", 57, 19, 1);
    row("one row, shrink", 61, 1, 17);
    row("one column is kept", 1, 9, 1);
    row("enlarge by a fraction", 13, 7, 31);
    row("enlarge by a whole factor", 9, 5, 27);
    row("enlarge a little", 40, 30, 41);
    row("enlarge one pixel", 1, 1, 5);
    row("wide and short", 255, 3, 64);
    row("tall and narrow", 5, 211, 3);
    // Exact halves, which round up. Each new pixel covers as many pixels of one grey as of
    // the other, so its average is their mean, a whole level and a half; at these sizes
    // that quotient, taken through a reciprocal in floating point, lands just below the
    // level above, which the division must still give.
    auto tie = [](const char *name, int width, int height, int newWidth, int dark, int light, int level) {
        QTest::addRow("a half rounds up, %s: %dx%d of %d and %d to %d", name, width, height, dark, light, newWidth)
            << width << height << newWidth << quint32(0) << QList<int>({dark, light}) << level;
    };
    tie("100.5 gives 101", 98, 1, 1, 100, 101, 101);
    tie("127.5 gives 128", 98, 1, 1, 0, 255, 128);
    tie("0.5 gives 1", 206, 1, 1, 0, 1, 1);
    tie("over rows and columns, 100.5 gives 101", 14, 7, 1, 100, 101, 101);
    tie("two new pixels of 100.5", 196, 1, 2, 100, 101, 101);
    tie("three new pixels of 12.5 over three rows", 486, 3, 3, 12, 13, 13);
}

void TestPrepare::scalingMatchesAreaAverage()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, newWidth);
    QFETCH(quint32, seed);
    QFETCH(QList<int>, checkerboard);
    QFETCH(int, level);
    QRandomGenerator random(seed);
    const PictureRef source = checkerboard.isEmpty()
        ? randomPicture(width, height, random)
        : testpictures::filled(width, height, [&](int x, int y) {
              const int grey = checkerboard[(x + y) % 2];
              return RGB(grey, grey, grey);
          });
    const auto prepared = prepareForPrinter(source, fitTo(Fit::Width, newWidth));
    QVERIFY(std::holds_alternative<PictureRef>(prepared));
    const PictureRef &scaled = std::get<PictureRef>(prepared);
    const int newHeight = int(scaledHeight(width, height, newWidth));
    const QString difference = firstDifference(*scaled, *naiveAreaScale(*source, newWidth, newHeight));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    if (level >= 0) {
        const QString uniform = firstDifference(*scaled, *testpictures::uniform(newWidth, newHeight, RGB(level, level, level)));
        QVERIFY2(uniform.isEmpty(), qPrintable(uniform));
    }
}

void TestPrepare::nothingToDoIsTheSamePicture_data()
{
    QTest::addColumn<PrintSettings>("settings");
    QTest::newRow("original size") << PrintSettings{};
    QTest::newRow("its own width") << fitTo(Fit::Width, 30);
    QTest::newRow("narrower than the maximum") << fitTo(Fit::MaxWidth, 31);
    QTest::newRow("as wide as the maximum") << fitTo(Fit::MaxWidth, 30);
    QTest::newRow("as wide as the paper") << fitTo(Fit::OriginalSize, 0, 30);
    QTest::newRow("maximum and paper its width") << fitTo(Fit::MaxWidth, 576, 30);
    // The picture is white: all paper, left whole; and reversed, white is no paper at all.
    QTest::newRow("trimming a picture that is all paper") << trimmed(PrintSettings{}, Trim::Light);
    QTest::newRow("reversed trimming finds no paper") << trimmed(fitTo(Fit::MaxWidth, 30), Trim::Dark);
}

void TestPrepare::nothingToDoIsTheSamePicture()
{
    QFETCH(PrintSettings, settings);
    const PictureRef decoded = makePicture(30, 7);
    const auto prepared = prepareForPrinter(decoded, settings);
    QVERIFY(std::holds_alternative<PictureRef>(prepared));
    QCOMPARE(std::get<PictureRef>(prepared), decoded);
}

// new height = max(1, round(height x newWidth / width)), halves up; MaxWidth never enlarges.
void TestPrepare::sizeAfterFitting_data()
{
    QTest::addColumn<QSize>("decoded");
    QTest::addColumn<PrintSettings>("settings");
    QTest::addColumn<QSize>("expected");
    auto row = [](const char *name, QSize decoded, PrintSettings settings, QSize expected) {
        QTest::newRow(name) << decoded << settings << expected;
    };
    row("photo to 80 mm paper", QSize(4000, 3000), fitTo(Fit::MaxWidth, 576), QSize(576, 432));
    row("a half rounds up", QSize(4, 3), fitTo(Fit::Width, 2), QSize(2, 2));
    row("below a half rounds down", QSize(10, 3), fitTo(Fit::Width, 3), QSize(3, 1));
    row("never below one row", QSize(1000, 1), fitTo(Fit::Width, 10), QSize(10, 1));
    row("enlarging", QSize(100, 33), fitTo(Fit::Width, 384), QSize(384, 127));
    row("max width leaves a narrow picture", QSize(300, 50), fitTo(Fit::MaxWidth, 384), QSize(300, 50));
    row("max width and paper", QSize(1000, 500), fitTo(Fit::MaxWidth, 500, 576), QSize(576, 250));
    row("a quarter turn swaps the sides", QSize(300, 50), turned(PrintSettings{}, 1), QSize(50, 300));
    row("three quarters and the mirror swap them", QSize(300, 50), turned(PrintSettings{}, 3, true), QSize(50, 300));
    row("a half turn keeps them", QSize(300, 50), turned(PrintSettings{}, 2), QSize(300, 50));
    row("turned, then fitted to the width", QSize(4000, 3000), turned(fitTo(Fit::MaxWidth, 576), 3), QSize(576, 768));
    row("turned, then centred", QSize(100, 30), turned(fitTo(Fit::OriginalSize, 0, 384), 1), QSize(384, 100));
}

void TestPrepare::sizeAfterFitting()
{
    QFETCH(QSize, decoded);
    QFETCH(PrintSettings, settings);
    QFETCH(QSize, expected);
    QCOMPARE(preparedSize(decoded, settings), expected);
    const auto prepared = prepareForPrinter(makePicture(decoded.width(), decoded.height()), settings);
    QVERIFY(std::holds_alternative<PictureRef>(prepared));
    const PictureRef &picture = std::get<PictureRef>(prepared);
    QCOMPARE(QSize(picture->Width(), picture->Height()), expected);
}

void TestPrepare::centring_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("paperWidth");
    QTest::addColumn<int>("left");
    QTest::newRow("even margins") << 4 << 10 << 3;
    QTest::newRow("odd difference: the extra column goes right") << 3 << 8 << 2;
    QTest::newRow("one column more") << 5 << 6 << 0;
    QTest::newRow("one dot on wide paper") << 1 << 576 << 287;
}

void TestPrepare::centring()
{
    QFETCH(int, width);
    QFETCH(int, paperWidth);
    QFETCH(int, left);
    QRandomGenerator random(static_cast<quint32>(width));
    const PictureRef decoded = randomPicture(width, 5, random);
    const auto prepared = prepareForPrinter(decoded, fitTo(Fit::OriginalSize, 0, paperWidth));
    QVERIFY(std::holds_alternative<PictureRef>(prepared));
    const PictureRef &paper = std::get<PictureRef>(prepared);
    QCOMPARE(paper->Width(), paperWidth);
    QCOMPARE(paper->Height(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < paperWidth; ++x) {
            const bool inside = x >= left && x < left + width;
            QCOMPARE(paper->rgbSurface().Pixel(x, y), inside ? decoded->rgbSurface().Pixel(x - left, y) : kWhite);
        }
    }
}

void TestPrepare::refusals_data()
{
    QTest::addColumn<QSize>("decoded");
    QTest::addColumn<PrintSettings>("settings");
    QTest::addColumn<PrepareError>("expected");
    using Reason = PrepareError::Reason;
    auto row = [](const char *name, QSize decoded, PrintSettings settings, PrepareError expected) {
        QTest::newRow(name) << decoded << settings << expected;
    };
    row("wider than the paper", QSize(600, 20), fitTo(Fit::OriginalSize, 0, 576),
        {Reason::WiderThanPaper, 600, 20, 576});
    row("wider than the paper after scaling", QSize(300, 30), fitTo(Fit::Width, 400, 384),
        {Reason::WiderThanPaper, 400, 40, 384});
    row("width 0", QSize(10, 10), fitTo(Fit::Width, 0), {Reason::OutOfRange, 0, 0, 0});
    row("width 32768", QSize(10, 10), fitTo(Fit::MaxWidth, 32768), {Reason::OutOfRange, 32768, 0, 0});
    row("negative width", QSize(10, 10), fitTo(Fit::Width, -5), {Reason::OutOfRange, -5, 0, 0});
    row("paper 32768", QSize(10, 10), fitTo(Fit::OriginalSize, 0, 32768), {Reason::OutOfRange, 10, 10, 32768});
    row("scaled height over 32767", QSize(2, 20000), fitTo(Fit::Width, 4), {Reason::OutOfRange, 4, 40000, 0});
    row("scaled height over 32767 once turned", QSize(20000, 2), turned(fitTo(Fit::Width, 4), 1),
        {Reason::OutOfRange, 4, 40000, 0});
    row("wider than the paper once turned", QSize(20, 600), turned(fitTo(Fit::OriginalSize, 0, 576), 3),
        {Reason::WiderThanPaper, 600, 20, 576});
    row("wider than the paper once turned and scaled", QSize(30, 300), turned(fitTo(Fit::Width, 400, 384), 1),
        {Reason::WiderThanPaper, 400, 40, 384});
}

void TestPrepare::refusals()
{
    QFETCH(QSize, decoded);
    QFETCH(PrintSettings, settings);
    QFETCH(PrepareError, expected);
    const PictureRef picture = testpictures::uniform(decoded.width(), decoded.height(), RGB(1, 2, 3));
    const auto prepared = prepareForPrinter(picture, settings);
    QVERIFY(std::holds_alternative<PrepareError>(prepared));
    const PrepareError &error = std::get<PrepareError>(prepared);
    QCOMPARE(int(error.reason), int(expected.reason));
    QCOMPARE(error.width, expected.width);
    QCOMPARE(error.height, expected.height);
    QCOMPARE(error.paperWidth, expected.paperWidth);
    // The decoded picture is as it was.
    QCOMPARE(QSize(picture->Width(), picture->Height()), decoded);
    QCOMPARE(picture->rgbSurface().Pixel(decoded.width() - 1, decoded.height() - 1), RGB(1, 2, 3));
}

// Orientation, tone, trim, scaling and centring one after another, in that order, against
// the plain stages in that order; each row also has a size worked out by hand that another
// order would not give. The picture: a frame of one colour around mid greys that none of
// these tones makes paper.
void TestPrepare::stagesInOrder_data()
{
    QTest::addColumn<QSize>("decoded");
    QTest::addColumn<QRect>("inside");
    QTest::addColumn<quint32>("frame");
    QTest::addColumn<PrintSettings>("settings");
    QTest::addColumn<QSize>("expected");
    auto row = [](const char *name, QSize decoded, QRect inside, Colour frame, PrintSettings settings, QSize expected) {
        QTest::newRow(name) << decoded << inside << quint32(frame) << settings << expected;
    };
    // Scaled first, 100 x 40 would be 40 x 16.
    row("trimmed before scaling: the maximum width fits what is left", QSize(100, 40), QRect(10, 10, 80, 20), kWhite,
        trimmed(fitTo(Fit::MaxWidth, 40), Trim::Light), QSize(40, 10));
    // A trimmed part of another shape has another height at the same width: not 20 x 8.
    row("trimmed to a tall part, then scaled to the width", QSize(100, 40), QRect(45, 0, 10, 40), kWhite,
        trimmed(fitTo(Fit::Width, 20), Trim::Light), QSize(20, 80));
    // Trimmed before the tone, the grey frame would not be paper.
    row("toned before trimming: a grey frame made white goes", QSize(100, 40), QRect(10, 10, 80, 20), RGB(230, 230, 230),
        trimmed(toned(PrintSettings{}, 10), Trim::Light), QSize(80, 20));
    row("toned before trimming: a white frame made grey stays", QSize(100, 40), QRect(10, 10, 80, 20), kWhite,
        trimmed(toned(PrintSettings{}, -10), Trim::Light), QSize(100, 40));
    // Scaled before the turn, 100 x 40 would give 8 x 20.
    row("turned before scaling: the width is the turned one", QSize(100, 40), QRect(0, 0, 100, 40), kWhite,
        turned(fitTo(Fit::Width, 20), 1), QSize(20, 50));
    row("turned before centring", QSize(30, 10), QRect(0, 0, 30, 10), kWhite, turned(fitTo(Fit::OriginalSize, 0, 16), 1),
        QSize(16, 30));
    row("turned and trimmed, reversed", QSize(64, 30), QRect(5, 5, 54, 20), kBlack, trimmed(turned(PrintSettings{}, 2), Trim::Dark),
        QSize(54, 20));
    // 106 x 36 inside, turned 36 x 106, to 30 x 88 (88.3), centred on 48.
    row("every stage", QSize(120, 50), QRect(7, 7, 106, 36), RGB(235, 235, 235),
        trimmed(toned(turned(fitTo(Fit::MaxWidth, 30, 48), 3, true), 8, 10, 90), Trim::Light), QSize(48, 88));
    // Turned 50 x 120, to 30 x 72, centred on 48.
    row("every stage but the trim", QSize(120, 50), QRect(7, 7, 106, 36), RGB(235, 235, 235),
        toned(turned(fitTo(Fit::MaxWidth, 30, 48), 1, true), -20, 30, 250), QSize(48, 72));
}

void TestPrepare::stagesInOrder()
{
    QFETCH(QSize, decoded);
    QFETCH(QRect, inside);
    QFETCH(quint32, frame);
    QFETCH(PrintSettings, settings);
    QFETCH(QSize, expected);
    const PictureRef picture = testpictures::filled(decoded.width(), decoded.height(), [&](int x, int y) {
        if (!inside.contains(x, y))
            return Colour(frame);
        return RGB(60 + (x * 37 + y * 11) % 130, 60 + (x * 5 + y * 71) % 130, 60 + (x ^ y) % 130);
    });
    const auto prepared = prepareForPrinter(picture, settings);
    QVERIFY(std::holds_alternative<PictureRef>(prepared));
    const PictureRef &result = std::get<PictureRef>(prepared);
    QCOMPARE(QSize(result->Width(), result->Height()), expected);
    const QString difference = firstDifference(*result, *naivelyPrepared(*picture, settings));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_GUILESS_MAIN(TestPrepare)
#include "tst_prepare.moc"
