// The dot model: its overlaps against values worked out by hand and every white cell's
// darkness against the discs drawn sample by sample, for every pattern of neighbours.

#include "support/DiscRendering.h"

#include "conversion/DotModel.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace plovan;

namespace {

// A 3 x 3 picture, its centre white, the neighbours black by the bits of `mask`, row by
// row from the top left, the centre's bit skipped.
DotGrid around(int mask)
{
    DotGrid dots{3, 3, std::vector<std::uint8_t>(9, 0)};
    int bit = 0;
    for (int i = 0; i < 9; ++i) {
        if (i == 4)
            continue;
        dots.black[size_t(i)] = std::uint8_t((mask >> bit) & 1);
        ++bit;
    }
    return dots;
}

} // namespace

class TestDotModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void squareDotsByHand();
    void overlapsGrowWithTheDots();
    void everyNeighbourhood_data();
    void everyNeighbourhood();
    void blackCellsAndEdges();
};

void TestDotModel::squareDotsByHand()
{
    // R = 1: the side disc's segment beyond the chord at 1/2 from its centre is a quarter of
    // the disc of radius 1/sqrt 2 less the triangle of the chord, pi/8 - 1/4; the corner and
    // the two side discs only touch.
    const DotOverlap one = dotOverlap(1.0);
    QVERIFY(std::abs(one.alpha - (std::numbers::pi / 8 - 0.25)) < 1e-12);
    QVERIFY(std::abs(one.beta) < 1e-12);
    QVERIFY(std::abs(one.gamma) < 1e-12);
    // R = sqrt 2: the radius is 1, and a diagonal's lens is u, v >= 1/2 within the unit
    // circle: the integral of sqrt(1 - u^2) - 1/2 from 1/2 to sqrt 3 / 2, which is
    // (pi/3 - pi/6) / 2 less (sqrt 3 - 1) / 4.
    const DotOverlap most = dotOverlap(std::numbers::sqrt2);
    QVERIFY(std::abs(most.beta - (std::numbers::pi / 12 - (std::sqrt(3.0) - 1) / 4)) < 1e-12);
}

void TestDotModel::overlapsGrowWithTheDots()
{
    DotOverlap previous = dotOverlap(1.0);
    for (int hundredths = kMinDotGain + 1; hundredths <= kMaxDotGain; ++hundredths) {
        const DotOverlap next = dotOverlap(hundredths / 100.0);
        QVERIFY(next.alpha > previous.alpha && next.beta > previous.beta && next.gamma > previous.gamma);
        // Two side discs share no more than the smaller of what they cover.
        QVERIFY(next.gamma < next.alpha);
        previous = next;
    }
    // Out of range is held to the range.
    QCOMPARE(dotOverlap(0.5).alpha, dotOverlap(1.0).alpha);
    QCOMPARE(dotOverlap(2.0).alpha, dotOverlap(std::numbers::sqrt2).alpha);
}

void TestDotModel::everyNeighbourhood_data()
{
    QTest::addColumn<double>("R");
    for (const double R : {1.0, 1.05, 1.1, 1.2, 1.3, 1.4, 1.41})
        QTest::addRow("R=%.2f", R) << R;
}

void TestDotModel::everyNeighbourhood()
{
    QFETCH(double, R);
    // 64 x 64 samples per cell, so the drawing's own error is that of the samples along the
    // discs' edges. Measured over every pattern: at most 0.0025 for R above 1, and more
    // for R = 1 (0.0044, four side neighbours), where the discs just touch the cell's corners and
    // their edges run along whole rows of samples there; 0.005 holds with room. The model
    // is exact within the cell (DotModel.h), so where discs meet needs no looser bound.
    constexpr double kTolerance = 0.005;
    const DotOverlap overlap = dotOverlap(R);
    double worst = 0;
    for (int mask = 0; mask < 256; ++mask) {
        const DotGrid dots = around(mask);
        const double model = cellDarkness(dots, 1, 1, overlap);
        const double drawn = testsupport::renderedDarkness(dots.black, 3, 3, R, 64)[4];
        worst = std::max(worst, std::abs(model - drawn));
        QVERIFY2(std::abs(model - drawn) <= kTolerance,
                 qPrintable(QStringLiteral("neighbours %1: model %2, discs %3").arg(mask).arg(model).arg(drawn)));
    }
    qInfo("R = %.2f: alpha %.4f beta %.4f gamma %.4f, worst difference %.4f", R, overlap.alpha, overlap.beta,
          overlap.gamma, worst);
}

void TestDotModel::blackCellsAndEdges()
{
    // A lone dot in the corner of a 2 x 2 picture: its own cell black, its two side cells
    // alpha, the diagonal beta; nothing of it counts outside the picture.
    DotGrid dots{2, 2, {1, 0, 0, 0}};
    const double R = 1.3;
    const DotOverlap overlap = dotOverlap(R);
    const std::vector<double> darkness = printedDarkness(dots, R);
    QCOMPARE(darkness[0], 1.0);
    QCOMPARE(darkness[1], overlap.alpha);
    QCOMPARE(darkness[2], overlap.alpha);
    QCOMPARE(darkness[3], overlap.beta);
    QVERIFY(std::abs(meanPrintedDarkness(dots, R) - (1 + 2 * overlap.alpha + overlap.beta) / 4) < 1e-12);
    QCOMPARE(meanPrintedDarkness(DotGrid{}, R), 0.0);
}

QTEST_GUILESS_MAIN(TestDotModel)
#include "tst_dotmodel.moc"
