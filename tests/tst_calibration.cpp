// The calibration strip: its layout against figures drawn by hand and a checkerboard, and
// its patches printed (the discs drawn sample by sample): on a printer of dot gain R the row
// made for R prints at mid grey, the rows before it darker and those after lighter.

#include "support/DiscRendering.h"

#include "conversion/CalibrationStrip.h"
#include "conversion/HalftoneNames.h"

#include <QTest>

#include <cmath>
#include <vector>

using namespace plovan;

Q_DECLARE_METATYPE(plovan::Halftone)

namespace {

bool blackAt(const Picture &picture, int x, int y)
{
    return picture.rgbSurface().Pixel(x, y) == kBlack;
}

// The figures as they should look, row by row of the font: '#' a font pixel.
const char *const kOne[5] = {" # ", "## ", " # ", " # ", "###"};
const char *const kPoint[5] = {" ", " ", " ", " ", "#"};
const char *const kTenths[5][5] = {
    {"###", "# #", "# #", "# #", "###"}, // 0
    {" # ", "## ", " # ", " # ", "###"}, // 1
    {"###", "  #", "###", "#  ", "###"}, // 2
    {"###", "  #", "###", "  #", "###"}, // 3
    {"# #", "# #", "###", "  #", "  #"}, // 4
};

// "1.d" in font pixels, a column of paper between the figures and after the last.
QString labelLine(int tenths, int fontRow)
{
    return QString::fromLatin1(kOne[fontRow]) + QLatin1Char(' ') + QString::fromLatin1(kPoint[fontRow]) + QLatin1Char(' ')
        + QString::fromLatin1(kTenths[tenths][fontRow]) + QLatin1Char(' ');
}

} // namespace

class TestCalibration : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layout();
    void rowsAgainstThePrinter_data();
    void rowsAgainstThePrinter();
};

void TestCalibration::layout()
{
    const PictureRef strip = calibrationStrip(200, Halftone::BlueNoise, false);
    QCOMPARE(strip->Width(), 200);
    QCOMPARE(strip->Height(), 320);
    // Paper all round.
    for (int x = 0; x < 200; ++x)
        for (const int y : {0, 7, 312, 319})
            QVERIFY(!blackAt(*strip, x, y));
    const int patchWidth = (200 - 52 - 8 - 8) / 2; // 66
    const int referenceX = 52 + patchWidth + 8;
    for (int row = 0; row < 5; ++row) {
        const int top = 8 + row * 64;
        // The figures, 4 x 4 dots a font pixel, from (8, top + 14); paper around them up
        // to the patch.
        for (int y = top; y < top + kCalibrationRowHeight; ++y) {
            for (int x = 0; x < 52; ++x) {
                const int fx = (x - 8) / 4, fy = (y - top - 14) / 4;
                const QString line = fy >= 0 && fy < 5 && x >= 8 && y >= top + 14 ? labelLine(row, fy) : QString();
                const bool ink = fx >= 0 && fx < line.size() && line.at(fx) == QLatin1Char('#');
                QVERIFY2(blackAt(*strip, x, y) == ink, qPrintable(QStringLiteral("row %1, dot (%2, %3)").arg(row).arg(x).arg(y)));
            }
        }
        // The reference: 8 x 8 squares, black where the square's column and row add up to
        // an even number, cut at the strip's margin.
        for (int y = 0; y < kCalibrationRowHeight; ++y)
            for (int x = referenceX; x < 192; ++x)
                QCOMPARE(blackAt(*strip, x, top + y), ((x - referenceX) / 8 + y / 8) % 2 == 0);
        // Paper between the rows.
        if (row < 4)
            for (int y = top + kCalibrationRowHeight; y < top + 64; ++y)
                for (int x = 0; x < 200; ++x)
                    QVERIFY(!blackAt(*strip, x, y));
    }
}

void TestCalibration::rowsAgainstThePrinter_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<int>("printer");
    for (const Halftone halftone : {Halftone::None, Halftone::FloydSteinberg, Halftone::Stucki, Halftone::Ordered,
                                    Halftone::BlueNoise, Halftone::Clustered})
        for (const int printer : {0, 2, 4})
            QTest::addRow("%s on R=1.%d", halftoneName(halftone).data(), printer) << halftone << printer;
}

void TestCalibration::rowsAgainstThePrinter()
{
    QFETCH(Halftone, halftone);
    QFETCH(int, printer);
    const double R = 1.0 + printer / 10.0;
    const PictureRef strip = calibrationStrip(384, halftone, false);
    const int patchWidth = (384 - 52 - 8 - 8) / 2;
    double previous = 2;
    QString figures;
    for (int row = 0; row < 5; ++row) {
        const int top = 8 + row * 64;
        std::vector<std::uint8_t> patch;
        for (int y = 0; y < kCalibrationRowHeight; ++y)
            for (int x = 0; x < patchWidth; ++x)
                patch.push_back(blackAt(*strip, 52 + x, top + y) ? 1 : 0);
        const double printed = testsupport::meanRenderedDarkness(patch, patchWidth, kCalibrationRowHeight, R, 8);
        figures += QStringLiteral(" %1").arg(printed, 0, 'f', 3);
        // Larger dots assumed, fewer dots made: each row prints lighter than the one before.
        QVERIFY2(printed < previous, qPrintable(figures));
        previous = printed;
        // The printer's own row prints at mid grey (level 128 of 255).
        if (row == printer)
            QVERIFY2(std::abs(printed - 127 / 255.0) <= 0.04, qPrintable(figures));
    }
    qInfo("printed darkness of the rows:%s", qPrintable(figures));
}

QTEST_GUILESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
