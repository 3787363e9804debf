#include "PictureMaker.h"
#include "support/WindowRecorder.h"

#include "conversion/LogoText.h"

#include <QTest>

using namespace plovan;
using testsupport::WindowRecorder;

namespace {

ConversionState stateWithWorkingPicture(const PictureRef &destPix)
{
    ConversionState state;
    state.pix = makePicture(destPix->Width(), destPix->Height());
    state.destPix = destPix;
    return state;
}

// The encoding as it reads: bit by bit through Pixel, digits from bits / 16 and bits % 16.
QString naiveLogoText(const Picture &dest)
{
    const QString hex = QStringLiteral("0123456789ABCDEF");
    const ConstRGBSurface surface = dest.rgbSurface();
    QString text = QStringLiteral("OBM¶");
    for (int off = 0; off < dest.Height(); off += 8) {
        QString line;
        for (int x = 0; x < dest.Width(); ++x) {
            int bits = 0;
            for (int j = 0; j < 8; ++j) {
                const int y = off + j;
                bits = bits * 2 + (y < dest.Height() && Red(surface.Pixel(x, y)) == 0 ? 1 : 0);
            }
            line += hex[bits / 16];
            line += hex[bits % 16];
        }
        text += QStringLiteral("BMD¶") + line + QStringLiteral("¶");
    }
    return text + QStringLiteral("CBM¶");
}

// Black where `isBlack`, white elsewhere.
PictureRef blackWhere(int width, int height, const std::function<bool(int, int)> &isBlack)
{
    return testpictures::filled(width, height, [&](int x, int y) { return isBlack(x, y) ? kBlack : kWhite; });
}

} // namespace

class TestLogoText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void knownTexts_data();
    void knownTexts();
    void workedExampleBytes();
    void progressAndPrefixes_data();
    void progressAndPrefixes();
    void replacesEarlierText();
    void nothingBeforeALoad();
    void onlyRedZeroCounts();
    void matchesNaiveEncoding_data();
    void matchesNaiveEncoding();
};

void TestLogoText::knownTexts_data()
{
    QTest::addColumn<PictureRef>("dest");
    QTest::addColumn<QString>("expected");
    QTest::newRow("worked example: 2 x 10")
        << blackWhere(2, 10, [](int x, int y) { return x == 0 || y == 9; })
        << QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶");
    QTest::newRow("8 rows, 1 column, all black")
        << testpictures::uniform(1, 8, kBlack) << QStringLiteral("OBM¶BMD¶FF¶CBM¶");
    QTest::newRow("height 1: only bit 7")
        << blackWhere(3, 1, [](int x, int) { return x != 1; }) << QStringLiteral("OBM¶BMD¶800080¶CBM¶");
    QTest::newRow("height 9: second band has only bit 7")
        << testpictures::uniform(2, 9, kBlack) << QStringLiteral("OBM¶BMD¶FFFF¶BMD¶8080¶CBM¶");
    QTest::newRow("all white gives zeros")
        << testpictures::uniform(3, 16, kWhite) << QStringLiteral("OBM¶BMD¶000000¶BMD¶000000¶CBM¶");
    QTest::newRow("one bit per row, top row is bit 7")
        << blackWhere(8, 8, [](int x, int y) { return x == y; }) << QStringLiteral("OBM¶BMD¶8040201008040201¶CBM¶");
}

void TestLogoText::knownTexts()
{
    QFETCH(PictureRef, dest);
    QFETCH(QString, expected);
    WindowRecorder view;
    createLogoText(stateWithWorkingPicture(dest), view);
    QCOMPARE(view.text, expected);
    QCOMPARE(view.text.size(), logotext::length(dest->Width(), dest->Height()));
}

void TestLogoText::workedExampleBytes()
{
    const PictureRef dest = blackWhere(2, 10, [](int x, int y) { return x == 0 || y == 9; });
    WindowRecorder view;
    createLogoText(stateWithWorkingPicture(dest), view);
    QCOMPARE(view.text.size(), 26);
    QCOMPARE(view.text.toUtf8().size(), 32);
    QVERIFY(!view.text.contains(QLatin1Char('\n')) && !view.text.contains(QLatin1Char('\r')));
}

void TestLogoText::progressAndPrefixes_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("progress");
    QTest::newRow("height 1") << 1 << QStringList{"8"};
    QTest::newRow("height 8") << 8 << QStringList{"8"};
    QTest::newRow("height 9") << 9 << QStringList{"8", "16"};
    QTest::newRow("height 50 ends at 56") << 50 << QStringList{"8", "16", "24", "32", "40", "48", "56"};
}

void TestLogoText::progressAndPrefixes()
{
    QFETCH(int, height);
    QFETCH(QStringList, progress);
    QRandomGenerator random(height);
    const PictureRef dest = testpictures::randomNear(5, height, 128, random);
    WindowRecorder view;
    createLogoText(stateWithWorkingPicture(dest), view);
    QCOMPARE(view.progressHistory, progress);
    QVERIFY(!view.calls.contains(QStringLiteral("setProcessedBackdrop")));

    // The text grows band by band: after each band it is the final text up to that band.
    const QString full = naiveLogoText(*dest);
    const qsizetype bandLength = 2 * 5 + 5;
    QCOMPARE(view.textHistory.size(), progress.size() + 2);
    for (qsizetype k = 0; k < view.textHistory.size() - 1; ++k)
        QCOMPARE(view.textHistory[k], full.left(4 + k * bandLength));
    QCOMPARE(view.textHistory.last(), full);
}

void TestLogoText::replacesEarlierText()
{
    const ConversionState state = stateWithWorkingPicture(testpictures::uniform(2, 3, kBlack));
    WindowRecorder view;
    view.setImageDataText(QStringLiteral("typed by the user"));
    createLogoText(state, view);
    const QString once = view.text;
    QCOMPARE(once, QStringLiteral("OBM¶BMD¶E0E0¶CBM¶"));
    createLogoText(state, view);
    QCOMPARE(view.text, once);
}

void TestLogoText::nothingBeforeALoad()
{
    ConversionState state;
    WindowRecorder view;
    createLogoText(state, view);
    QVERIFY(view.calls.isEmpty());
}

void TestLogoText::onlyRedZeroCounts()
{
    // Green and blue and the top byte are not consulted; red 0 alone makes a black bit.
    const PictureRef dest = makePicture(4, 1);
    RGBSurface surface = dest->rgbSurface();
    surface.row(0)[0] = 0xFF00FFFF;
    surface.row(0)[1] = 0x0001FFFF;
    surface.row(0)[2] = 0x12000000;
    surface.row(0)[3] = 0xFF010000;
    WindowRecorder view;
    createLogoText(stateWithWorkingPicture(dest), view);
    QCOMPARE(view.text, QStringLiteral("OBM¶BMD¶80008000¶CBM¶"));
}

void TestLogoText::matchesNaiveEncoding_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QRandomGenerator sizes(99);
    for (int i = 0; i < 30; ++i) {
        const int width = 1 + int(sizes.bounded(i < 15 ? 17 : 400));
        const int height = 1 + int(sizes.bounded(i < 15 ? 25 : 70));
        QTest::addRow("%dx%d", width, height) << width << height;
    }
}

void TestLogoText::matchesNaiveEncoding()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QRandomGenerator random(quint32(width * 1000 + height));
    const PictureRef dest = testpictures::filled(width, height, [&](int, int) {
        return random.bounded(2) ? RGB(0, int(random.bounded(256)), 9, int(random.bounded(256)))
                                 : Colour(random.bounded(1u << 24)) | 0x010000u;
    });
    WindowRecorder view;
    createLogoText(stateWithWorkingPicture(dest), view);
    QCOMPARE(view.text, naiveLogoText(*dest));
    QCOMPARE(view.text.size(), logotext::length(width, height));
}

QTEST_GUILESS_MAIN(TestLogoText)
#include "tst_logotext.moc"
