// The one-line summary of a logo data text plovan-cli prints: the size in dots with the
// height in whole bands, the bands, the characters, and the size on paper at a resolution.

#include "conversion/LogoSummary.h"
#include "messages/LogoSummaryWords.h"

#include <QTest>

using namespace plovan;

class TestLogoSummary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void summary_data();
    void summary();
};

void TestLogoSummary::summary_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("line");
    QTest::newRow("80 mm receipt logo") << 576 << 240 << 203
                                        << "576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi";
    QTest::newRow("height rounds up to whole bands") << 576 << 233 << 203
                                                     << "576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at "
                                                        "203 dpi";
    QTest::newRow("one band") << 1 << 1 << 2400 << "1x8 dots, 1 band, 15 characters, 0.0x0.1 mm at 2400 dpi";
    QTest::newRow("one dot per inch") << 2 << 16 << 1 << "2x16 dots, 2 bands, 26 characters, 50.8x406.4 mm at 1 dpi";
    QTest::newRow("largest at 180 dpi")
        << 32767 << 32767 << 180 << "32767x32768 dots, 4096 bands, 268447752 characters, 4623.8x4623.9 mm at 180 dpi";
}

void TestLogoSummary::summary()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, dpi);
    QFETCH(QString, line);
    QCOMPARE(logoSummaryLine(logoSummary(width, height), dpi), line);
}

QTEST_GUILESS_MAIN(TestLogoSummary)
#include "tst_logosummary.moc"
