// Loading for the printer: a load prepares the decoded picture with the state's print
// settings and keeps the decoded original, from which prepareLoad makes the pictures
// again; a preparation that cannot be done is refused before any work and changes nothing.
#include "conversion/LogoText.h"
#include "conversion/PrepareForPrinter.h"
#include "import/LoadSequence.h"
#include "support/AreaAverage.h"
#include "support/FitSettings.h"
#include "support/FixtureFiles.h"
#include "support/WindowRecorder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace plovan;
using namespace plovan::testsupport;

Q_DECLARE_METATYPE(PrintSettings)

namespace {

// A picture whose every pixel differs from its neighbours, so that any other scaling or
// placement gives other pixels.
QImage patterned(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x ^ y) & 255));
    return image;
}

// The bytes a preparation to `size` needs: `pictures` of that size and the text of one.
qint64 neededBytes(QSize size, int pictures)
{
    return pictures * qint64(size.width()) * size.height() * 4
        + qint64(logotext::length(size.width(), size.height())) * 2;
}

} // namespace

class TestLoadingPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void loadPreparesWithTheStateSettings_data();
    void loadPreparesWithTheStateSettings();
    void loadRefusedWhenWiderThanThePaper();
    void preparingAgainFromTheOriginal();
    void memoryCheckedBeforeAnyWork_data();
    void memoryCheckedBeforeAnyWork();

private:
    QString picture(int width, int height)
    {
        const QString path = dir_.filePath(QStringLiteral("picture-%1x%2.png").arg(width).arg(height));
        writeFile(path, encoded(patterned(width, height), "png"));
        return path;
    }

    QTemporaryDir dir_;
};

void TestLoadingPrint::loadPreparesWithTheStateSettings_data()
{
    QTest::addColumn<PrintSettings>("print");
    QTest::addColumn<QString>("dimensions");
    QTest::addColumn<QRect>("placed");   // where the picture, scaled, lies on what is prepared
    QTest::addColumn<bool>("asDecoded"); // pix is the decoded picture itself
    // Heights: round(97 x new width / 301), halves up. Margins: floor((paper - width) / 2)
    // white columns on the left, the rest on the right.
    QTest::newRow("original size: the decoded picture itself") << PrintSettings() << "301x97" << QRect(0, 0, 301, 97) << true;
    QTest::newRow("a width equal to the picture's: the same") << fitTo(Fit::Width, 301) << "301x97" << QRect(0, 0, 301, 97)
                                                              << true;
    QTest::newRow("a larger maximum width: the same") << fitTo(Fit::MaxWidth, 576) << "301x97" << QRect(0, 0, 301, 97) << true;
    QTest::newRow("shrunk to a maximum width") << fitTo(Fit::MaxWidth, 100) << "100x32" << QRect(0, 0, 100, 32) << false;
    QTest::newRow("scaled to a width") << fitTo(Fit::Width, 602) << "602x194" << QRect(0, 0, 602, 194) << false;
    QTest::newRow("centred on paper: 83 columns, 41 on the left") << fitTo(Fit::MaxWidth, 384, 384) << "384x97"
                                                                   << QRect(41, 0, 301, 97) << false;
    QTest::newRow("shrunk, then centred: 284 columns, 142 on the left") << fitTo(Fit::MaxWidth, 100, 384) << "384x32"
                                                                        << QRect(142, 0, 100, 32) << false;
}

void TestLoadingPrint::loadPreparesWithTheStateSettings()
{
    QFETCH(PrintSettings, print);
    QFETCH(QString, dimensions);
    QFETCH(QRect, placed);
    QFETCH(bool, asDecoded);
    const QString path = picture(301, 97);
    ConversionState state;
    state.print = print;
    WindowRecorder view;
    QVERIFY(loadFile(state, view, path));
    QCOMPARE(view.dimensionsText, dimensions);
    QVERIFY(state.hasPictures());
    QCOMPARE(view.sourceBackdrop, state.pix);
    QCOMPARE(view.processedBackdrop, state.destPix);
    QCOMPARE(state.original == state.pix, asDecoded);
    // The original is the picture as decoded; pix is the area average of it at the size
    // worked out above, on white paper at the margin worked out above.
    QCOMPARE(state.original->image(), patterned(301, 97).convertToFormat(Picture::kStorageFormat));
    const PictureRef expected = onWhitePaper(*naiveAreaScale(*state.original, placed.width(), placed.height()),
                                             QSize(std::max(print.paperWidth, placed.width()), placed.height()),
                                             placed.topLeft());
    const QString difference = firstDifference(*state.pix, *expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(state.print, print);
}

void TestLoadingPrint::loadRefusedWhenWiderThanThePaper()
{
    ConversionState state;
    WindowRecorder view;
    QVERIFY(loadFile(state, view, picture(20, 10)));
    const WindowSnapshot before = WindowSnapshot::take(state, view);
    state.print = fitTo(Fit::Width, 600, 576);
    QVERIFY(!loadFile(state, view, picture(301, 97)));
    QCOMPARE(view.errors.size(), 1);
    QCOMPARE(view.errors[0].reason, picturefile::widerThanPaper(600, 576));
    QCOMPARE(WindowSnapshot::take(state, view).differencesFrom(before), QString());
}

// The window's other printer width: the pictures made again from the original, the
// original kept; back to the original size gives the decoded picture itself.
void TestLoadingPrint::preparingAgainFromTheOriginal()
{
    ConversionState state;
    state.print = fitTo(Fit::MaxWidth, 100);
    WindowRecorder view;
    QVERIFY(loadFile(state, view, picture(301, 97)));
    const PictureRef original = state.original;

    auto wider = prepareLoad(original, fitTo(Fit::MaxWidth, 200, 250));
    QVERIFY(std::holds_alternative<LoadedPictures>(wider));
    commitLoad(state, view, std::get<LoadedPictures>(std::move(wider)));
    QCOMPARE(view.dimensionsText, QStringLiteral("250x64"));
    QCOMPARE(state.original, original);

    auto back = prepareLoad(original, PrintSettings());
    QVERIFY(std::holds_alternative<LoadedPictures>(back));
    commitLoad(state, view, std::get<LoadedPictures>(std::move(back)));
    QCOMPARE(view.dimensionsText, QStringLiteral("301x97"));
    QCOMPARE(state.pix, original);
    QCOMPARE(state.original, original);
    QVERIFY(state.hasPictures());
}

void TestLoadingPrint::memoryCheckedBeforeAnyWork_data()
{
    QTest::addColumn<PrintSettings>("print");
    QTest::addColumn<qint64>("available");
    QTest::addColumn<bool>("refused");
    const PrintSettings shrunk = fitTo(Fit::MaxWidth, 100);
    QTest::newRow("a new picture: one byte short") << shrunk << neededBytes({100, 32}, 2) - 1 << true;
    QTest::newRow("a new picture: just enough") << shrunk << neededBytes({100, 32}, 2) << false;
    QTest::newRow("the original again: one byte short") << PrintSettings() << neededBytes({301, 97}, 1) - 1 << true;
    QTest::newRow("the original again: just enough") << PrintSettings() << neededBytes({301, 97}, 1) << false;
    // A turned picture is a new one, of the same size.
    PrintSettings turned;
    turned.orientation.quarterTurns = 1;
    QTest::newRow("turned: one byte short") << turned << neededBytes({97, 301}, 2) - 1 << true;
    QTest::newRow("turned: just enough") << turned << neededBytes({97, 301}, 2) << false;
    // Turned (97 x 301) and then shrunk (50 x 155): for a moment both exist, which is more
    // than the shrunk picture, its working picture and its text.
    PrintSettings turnedAndShrunk = fitTo(Fit::MaxWidth, 50);
    turnedAndShrunk.orientation.quarterTurns = 3;
    const qint64 bothPictures = qint64(97) * 301 * 4 + qint64(50) * 155 * 4;
    QTest::newRow("turned and shrunk: one byte short") << turnedAndShrunk << bothPictures - 1 << true;
    QTest::newRow("turned and shrunk: just enough") << turnedAndShrunk << bothPictures << false;
    // The pattern reaches every edge: trimming keeps it all, and the original is used as it is.
    PrintSettings trimmed;
    trimmed.trim = Trim::Light;
    QTest::newRow("trimming nothing: one byte short") << trimmed << neededBytes({301, 97}, 1) - 1 << true;
    QTest::newRow("trimming nothing: just enough") << trimmed << neededBytes({301, 97}, 1) << false;
}

void TestLoadingPrint::memoryCheckedBeforeAnyWork()
{
    QFETCH(PrintSettings, print);
    QFETCH(qint64, available);
    QFETCH(bool, refused);
    ConversionState state;
    WindowRecorder view;
    QVERIFY(loadFile(state, view, picture(301, 97)));
    const auto prepared = prepareLoad(state.original, print, available);
    QCOMPARE(std::holds_alternative<PrepareError>(prepared), refused);
    if (refused) {
        const QSize size = preparedSize({301, 97}, print);
        const PrepareError expected{PrepareError::Reason::NotEnoughMemory, size.width(), size.height(), 0};
        QCOMPARE(std::get<PrepareError>(prepared), expected);
        QCOMPARE(prepareFailure(expected), picturefile::notEnoughMemory(size.width(), size.height()));
    }
}

QTEST_MAIN(TestLoadingPrint)
#include "tst_loading_print.moc"
