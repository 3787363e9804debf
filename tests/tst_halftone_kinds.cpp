#include "PictureMaker.h"
#include "support/TextbookHalftones.h"
#include "support/WindowRecorder.h"

#include "conversion/BlueNoise.h"
#include "conversion/HalftoneNames.h"
#include "conversion/Redraw.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <vector>

// The error diffusions beyond Floyd-Steinberg and Atkinson, and serpentine rows for all of
// them, each against its textbook loop; the screens against their own matrices' rules.

using namespace plovan;
using testsupport::WindowRecorder;
using testsupport::textbookLevel;
using testsupport::Textbook;
using testsupport::textbookOf;

Q_DECLARE_METATYPE(plovan::Halftone)

namespace {

ConversionState stateFor(const PictureRef &pix, Halftone halftone, int threshold, bool reverse, bool serpentine)
{
    ConversionState state;
    state.pix = pix;
    state.destPix = makePicture(pix->Width(), pix->Height());
    state.threshold = threshold;
    state.reverse = reverse;
    state.print.halftone = halftone;
    state.print.serpentine = serpentine;
    return state;
}

// Rounds down, below zero too.
long floorDivided(long numerator, long divisor)
{
    const long quotient = numerator / divisor;
    return numerator % divisor != 0 && numerator < 0 ? quotient - 1 : quotient;
}

// The textbook loop over a picture-sized buffer of received error in 1/divisor: each
// pixel's value floor((level x divisor + divisor / 2 + received) / divisor), black below
// 128, its error (value, less 255 when white) handed to every neighbour inside the picture
// as weight x error. Serpentine: odd rows right to left, the kernel mirrored.
std::vector<bool> textbookDiffusion(const Picture &pix, Halftone halftone, int threshold, bool reverse, bool serpentine)
{
    const Textbook kernel = textbookOf(halftone);
    const int width = pix.Width(), height = pix.Height();
    std::vector<long> received(size_t(width) * size_t(height), 0);
    std::vector<bool> black(received.size());
    for (int y = 0; y < height; ++y) {
        const int direction = serpentine && y % 2 ? -1 : 1;
        for (int i = 0; i < width; ++i) {
            const int x = direction > 0 ? i : width - 1 - i;
            const size_t at = size_t(y) * size_t(width) + size_t(x);
            const long value = floorDivided(long(textbookLevel(pix.rgbSurface().Pixel(x, y), threshold, reverse))
                                                    * kernel.divisor
                                                + kernel.divisor / 2 + received[at],
                                            kernel.divisor);
            black[at] = value < 128;
            const long error = black[at] ? value : value - 255;
            for (int dy = 0; dy < 3; ++dy) {
                for (int column = 0; column < 5; ++column) {
                    const int nx = x + direction * (column - 2), ny = y + dy;
                    if (kernel.weights[dy][column] != 0 && nx >= 0 && nx < width && ny < height)
                        received[size_t(ny) * size_t(width) + size_t(nx)] += kernel.weights[dy][column] * error;
                }
            }
        }
    }
    return black;
}

// The clustered-dot tile's ranks as ClusteredDot.h documents them, row by row.
constexpr int kClusteredMatrix[6][6] = {
    {14, 8, 16, 29, 21, 30}, {6, 0, 2, 18, 34, 22}, {12, 4, 10, 26, 25, 33},
    {28, 20, 31, 15, 9, 17}, {19, 35, 23, 7, 1, 3}, {27, 24, 32, 13, 5, 11},
};

// A screen's rule: rank r of n is black for levels below 255 (2 (n - r) - 1) / (2 n).
std::vector<bool> textbookScreen(const Picture &pix, Halftone halftone, int threshold, bool reverse)
{
    const BlueNoiseRanks blueNoise = makeBlueNoiseRanks();
    const int width = pix.Width(), height = pix.Height();
    std::vector<bool> black(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool clustered = halftone == Halftone::Clustered;
            const long count = clustered ? 36 : 4096;
            const long rank = clustered ? kClusteredMatrix[y % 6][x % 6] : blueNoise[size_t(y % 64 * 64 + x % 64)];
            const long level = textbookLevel(pix.rgbSurface().Pixel(x, y), threshold, reverse);
            black[size_t(y) * size_t(width) + size_t(x)] = 2 * count * level < 255 * (2 * (count - rank) - 1);
        }
    }
    return black;
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
    static QByteArray names[16];
    QByteArray &name = names[int(halftone)];
    if (name.isEmpty())
        name = QString(halftoneName(halftone)).toLatin1();
    return name.constData();
}

constexpr Halftone kDiffusions[] = {Halftone::FloydSteinberg, Halftone::Atkinson, Halftone::Jarvis, Halftone::Stucki,
                                    Halftone::Sierra};
constexpr Halftone kScreens[] = {Halftone::BlueNoise, Halftone::Clustered};
constexpr Halftone kNewKinds[] = {Halftone::Jarvis, Halftone::Stucki, Halftone::Sierra, Halftone::BlueNoise,
                                  Halftone::Clustered};

// Torus distance squared between two places of a side x side tile.
int wrappedDistance(int a, int b, int side)
{
    const int dx = std::abs(a % side - b % side), dy = std::abs(a / side - b / side);
    const int wx = std::min(dx, side - dx), wy = std::min(dy, side - dy);
    return wx * wx + wy * wy;
}

// Whether redraw's picture is `expected`, black for true; fails the test at the first
// pixel that is not.
void compareWith(const Picture &drawn, const std::vector<bool> &expected)
{
    for (int y = 0; y < drawn.Height(); ++y) {
        for (int x = 0; x < drawn.Width(); ++x) {
            const bool black = expected[size_t(y) * size_t(drawn.Width()) + size_t(x)];
            if (drawn.rgbSurface().Pixel(x, y) != (black ? kBlack : kWhite))
                QFAIL(qPrintable(QStringLiteral("(%1, %2) should be %3").arg(x).arg(y).arg(black ? "black" : "white")));
        }
    }
}

} // namespace

class TestHalftoneKinds : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void diffusionMatchesTextbook_data();
    void diffusionMatchesTextbook();
    void screenMatchesRule_data();
    void screenMatchesRule();
    void blueNoiseRanks();
    void clusteredDotsGrowFromTheirCentres();
    void flatGreys_data();
    void flatGreys();
    void progress_data();
    void progress();
    void names();
};

// Every diffusion with serpentine rows, and the new ones without, through redraw, on
// pictures one pixel wide or high, odd widths, and widths about the vector blocks (16) and
// their lines (64), at random thresholds, both ways round.
void TestHalftoneKinds::diffusionMatchesTextbook_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<bool>("serpentine");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<quint32>("seed");
    const QSize sizes[] = {{1, 1}, {1, 23}, {29, 1}, {2, 2}, {3, 7}, {15, 9}, {16, 5}, {17, 12},
                           {63, 4}, {64, 6}, {65, 11}, {127, 3}, {201, 37}, {333, 20}};
    QRandomGenerator choices(7);
    for (const Halftone halftone : kDiffusions) {
        for (const bool serpentine : {false, true}) {
            int i = 0;
            for (const QSize size : sizes) {
                const int threshold = i == 0 ? 128 : i == 1 ? 0 : i == 2 ? 255 : int(choices.bounded(256));
                const bool reverse = i % 3 == 1;
                QTest::addRow("%s%s %dx%d t%d%s", nameOf(halftone), serpentine ? " serpentine" : "", size.width(),
                              size.height(), threshold, reverse ? " reverse" : "")
                    << halftone << serpentine << size.width() << size.height() << threshold << reverse
                    << quint32(i * 131 + int(halftone) * 7 + serpentine);
                ++i;
            }
        }
    }
}

void TestHalftoneKinds::diffusionMatchesTextbook()
{
    QFETCH(Halftone, halftone);
    QFETCH(bool, serpentine);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const ConversionState state = stateFor(randomPicture(width, height, random), halftone, threshold, reverse, serpentine);
    WindowRecorder view;
    redraw(state, view);
    compareWith(*state.destPix, textbookDiffusion(*state.pix, halftone, threshold, reverse, serpentine));
}

// The screens through redraw, every row's vector path and its head and tail: widths about
// a line (16), the blue-noise tile (64) and more, heights past a tile.
void TestHalftoneKinds::screenMatchesRule_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<quint32>("seed");
    const QSize sizes[] = {{1, 1}, {1, 70}, {70, 1}, {5, 13}, {15, 7}, {16, 16}, {17, 9},
                           {63, 65}, {64, 64}, {65, 66}, {100, 7}, {131, 70}, {333, 13}};
    QRandomGenerator choices(5);
    for (const Halftone halftone : kScreens) {
        int i = 0;
        for (const QSize size : sizes) {
            const int threshold = i == 0 ? 128 : i == 1 ? 0 : i == 2 ? 255 : int(choices.bounded(256));
            const bool reverse = i % 3 == 2;
            QTest::addRow("%s %dx%d t%d%s", nameOf(halftone), size.width(), size.height(), threshold,
                          reverse ? " reverse" : "")
                << halftone << size.width() << size.height() << threshold << reverse << quint32(i * 17 + int(halftone));
            ++i;
        }
    }
}

void TestHalftoneKinds::screenMatchesRule()
{
    QFETCH(Halftone, halftone);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const ConversionState state = stateFor(randomPicture(width, height, random), halftone, threshold, reverse, false);
    WindowRecorder view;
    redraw(state, view);
    compareWith(*state.destPix, textbookScreen(*state.pix, halftone, threshold, reverse));
}

// A flat grey g prints (255 - g) / 255 of its dots black, g / 255 in reverse mode.
// Atkinson drops a quarter of the error, so its darkest and lightest greys go solid and it
// gets more room, as without serpentine rows; the clustered screen has only 36 steps.
void TestHalftoneKinds::flatGreys_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<bool>("serpentine");
    QTest::addColumn<int>("grey");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<double>("tolerance");
    auto row = [](Halftone halftone, bool serpentine, int grey, bool reverse, double tolerance) {
        QTest::addRow("%s%s grey %d%s", nameOf(halftone), serpentine ? " serpentine" : "", grey, reverse ? " reverse" : "")
            << halftone << serpentine << grey << reverse << tolerance;
    };
    const int greys[] = {0, 1, 3, 10, 32, 64, 100, 127, 128, 160, 192, 224, 245, 252, 254, 255};
    for (const Halftone halftone : kDiffusions) {
        for (const bool serpentine : {false, true}) {
            if (!serpentine && (halftone == Halftone::FloydSteinberg || halftone == Halftone::Atkinson))
                continue; // tst_halftone has them
            for (const int grey : greys)
                row(halftone, serpentine, grey, grey % 3 == 0, halftone == Halftone::Atkinson ? 0.15 : 0.02);
        }
    }
    // The clustered dots within one of the tile's 36 steps, on whole tiles (252 = 42 x 6).
    for (const int grey : greys) {
        row(Halftone::BlueNoise, false, grey, grey % 3 == 0, 0.02);
        row(Halftone::Clustered, false, grey, grey % 3 == 0, 1.0 / 36);
    }
}

void TestHalftoneKinds::flatGreys()
{
    QFETCH(Halftone, halftone);
    QFETCH(bool, serpentine);
    QFETCH(int, grey);
    QFETCH(bool, reverse);
    QFETCH(double, tolerance);
    const int side = halftone == Halftone::Clustered ? 252 : 256;
    const ConversionState state =
        stateFor(testpictures::uniform(side, side, RGB(grey, grey, grey)), halftone, 128, reverse, serpentine);
    WindowRecorder view;
    redraw(state, view);
    const double expected = reverse ? grey / 255.0 : (255 - grey) / 255.0;
    const double share = blackShare(*state.destPix);
    QVERIFY2(std::abs(share - expected) <= tolerance,
             qPrintable(QStringLiteral("%1 black, expected %2").arg(share).arg(expected)));
}

void TestHalftoneKinds::progress_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<bool>("serpentine");
    for (const Halftone halftone : kNewKinds)
        QTest::newRow(nameOf(halftone)) << halftone << false;
    for (const Halftone halftone : kDiffusions)
        QTest::addRow("%s serpentine", nameOf(halftone)) << halftone << true;
}

// A row at a time, "1" up to the height, then the picture to the processed canvas.
void TestHalftoneKinds::progress()
{
    QFETCH(Halftone, halftone);
    QFETCH(bool, serpentine);
    const ConversionState state = stateFor(makePicture(5, 19), halftone, 100, false, serpentine);
    WindowRecorder view;
    redraw(state, view);
    QStringList rows;
    for (int i = 1; i <= 19; ++i)
        rows << QString::number(i);
    QCOMPARE(view.progressHistory, rows);
    QCOMPARE(view.calls.count(QStringLiteral("setProcessedBackdrop")), 1);
    QCOMPARE(view.processedBackdrop, state.destPix);
}

// Every rank once, the same ranks each time they are made, and blue: the places that turn
// black first (light greys) and those that stay white longest (dark greys) lie apart.
void TestHalftoneKinds::blueNoiseRanks()
{
    const BlueNoiseRanks ranks = makeBlueNoiseRanks();
    std::vector<int> placeOf(size_t(kBlueNoisePlaces), -1);
    for (int place = 0; place < kBlueNoisePlaces; ++place) {
        const int rank = ranks[size_t(place)];
        QVERIFY(rank < kBlueNoisePlaces);
        QCOMPARE(placeOf[size_t(rank)], -1);
        placeOf[size_t(rank)] = place;
    }
    QVERIFY(makeBlueNoiseRanks() == ranks);
    // (count, the least squared distance between any two of the first or last count
    // places): white noise would put some of them side by side already at 64.
    const int apart[][2] = {{64, 16}, {256, 4}, {512, 2}};
    for (const auto &[count, least] : apart) {
        int closestFirst = 1 << 30, closestLast = 1 << 30;
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < i; ++j) {
                closestFirst = std::min(closestFirst, wrappedDistance(placeOf[size_t(i)], placeOf[size_t(j)], 64));
                closestLast = std::min(closestLast, wrappedDistance(placeOf[size_t(kBlueNoisePlaces - 1 - i)],
                                                                    placeOf[size_t(kBlueNoisePlaces - 1 - j)], 64));
            }
        }
        QVERIFY2(closestFirst >= least && closestLast >= least,
                 qPrintable(QStringLiteral("%1 places: %2 and %3").arg(count).arg(closestFirst).arg(closestLast)));
    }
}

// Every black patch of a flat grey through the clustered screen holds a dot's centre, so
// the dots grow outward from them; and from a tenth black up to half (the light to middle
// greys that the lone dots of other screens print unevenly) no black dot stands alone.
void TestHalftoneKinds::clusteredDotsGrowFromTheirCentres()
{
    constexpr int kSide = 36;
    for (int grey = 0; grey < 256; ++grey) {
        const ConversionState state =
            stateFor(testpictures::uniform(kSide, kSide, RGB(grey, grey, grey)), Halftone::Clustered, 128, false, false);
        WindowRecorder view;
        redraw(state, view);
        auto black = [&](int x, int y) {
            return state.destPix->rgbSurface().Pixel((x + kSide) % kSide, (y + kSide) % kSide) == kBlack;
        };
        // Each black patch, four-connected across the tiles' edges, by flood fill.
        std::vector<int> patch(size_t(kSide) * kSide, -1);
        std::vector<bool> holdsCentre;
        for (int start = 0; start < kSide * kSide; ++start) {
            if (!black(start % kSide, start / kSide) || patch[size_t(start)] >= 0)
                continue;
            const int id = int(holdsCentre.size());
            holdsCentre.push_back(false);
            std::vector<int> stack{start};
            patch[size_t(start)] = id;
            while (!stack.empty()) {
                const int at = stack.back();
                stack.pop_back();
                const int x = at % kSide, y = at / kSide;
                if ((x % 6 == 1 && y % 6 == 1) || (x % 6 == 4 && y % 6 == 4))
                    holdsCentre[size_t(id)] = true;
                const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
                for (const auto &n : next) {
                    const int nx = (n[0] + kSide) % kSide, ny = (n[1] + kSide) % kSide;
                    if (black(nx, ny) && patch[size_t(ny * kSide + nx)] < 0) {
                        patch[size_t(ny * kSide + nx)] = id;
                        stack.push_back(ny * kSide + nx);
                    }
                }
            }
        }
        for (size_t id = 0; id < holdsCentre.size(); ++id)
            QVERIFY2(holdsCentre[id], qPrintable(QStringLiteral("grey %1: a patch without a centre").arg(grey)));
        const double share = blackShare(*state.destPix);
        if (share < 0.1 || share > 0.5)
            continue;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool alone = black(x, y) && !black(x + 1, y) && !black(x - 1, y) && !black(x, y + 1)
                    && !black(x, y - 1) && !black(x + 1, y + 1) && !black(x - 1, y - 1) && !black(x + 1, y - 1)
                    && !black(x - 1, y + 1);
                QVERIFY2(!alone, qPrintable(QStringLiteral("grey %1: (%2, %3) alone").arg(grey).arg(x).arg(y)));
            }
        }
    }
}

// Every kind by its name and back, in the order menus and help list them, the first
// four as they always were; only the error diffusions can run serpentine.
void TestHalftoneKinds::names()
{
    const QStringList expected = {QStringLiteral("none"),   QStringLiteral("floyd-steinberg"),
                                  QStringLiteral("atkinson"), QStringLiteral("ordered"),
                                  QStringLiteral("jarvis"), QStringLiteral("stucki"),
                                  QStringLiteral("sierra"), QStringLiteral("blue-noise"),
                                  QStringLiteral("clustered")};
    QStringList listed;
    for (const HalftoneName &entry : kHalftoneNames) {
        listed << QString(entry.name);
        QCOMPARE(halftoneNamed(QString(entry.name)), std::optional<Halftone>(entry.halftone));
        QCOMPARE(QString(halftoneName(entry.halftone)), QString(entry.name));
    }
    QCOMPARE(listed, expected);
    QCOMPARE(int(Halftone::Ordered), 3); // the first four keep their values
    for (const HalftoneName &entry : kHalftoneNames) {
        const bool diffusion = std::find(std::begin(kDiffusions), std::end(kDiffusions), entry.halftone)
            != std::end(kDiffusions);
        QCOMPARE(isErrorDiffusion(entry.halftone), diffusion);
    }
}

QTEST_GUILESS_MAIN(TestHalftoneKinds)
#include "tst_halftone_kinds.moc"
