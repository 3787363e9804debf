// plovan-cli's printer dots, run as a user runs them: --simulate's picture against the dots
// it is made of (square cells pixel for pixel, a lone disc against its area), with
// --check too, and the usage errors of --dot-gain and --simulate.

#include "support/CliRun.h"
#include "support/FixtureFiles.h"
#include "support/LoadReasons.h"
#include "support/PngFiles.h"

#include "conversion/CalibrationStrip.h"
#include "conversion/Convert.h"
#include "conversion/HalftoneNames.h"
#include "conversion/HeadlessView.h"
#include "import/LoadSequence.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace plovan;
using namespace plovan::testsupport;

Q_DECLARE_METATYPE(plovan::Halftone)

namespace {

CliResult runToTheEnd(const QStringList &arguments)
{
    const CliResult result = runCli(arguments);
    if (result.status != QProcess::NormalExit)
        qFatal("plovan-cli crashed");
    return result;
}

// What the loading sequence and the conversion make of the file under these settings.
QByteArray expectedText(const QString &path, const ConversionSettings &settings)
{
    ConversionState state;
    state.print = settings.print;
    if (const std::optional<LoadError> error = load(state, PictureSource::file(path), nullptr))
        qFatal("cannot load the fixture: %s", qPrintable(describe(error->reason)));
    HeadlessView view;
    convertLoaded(state, settings, view);
    return view.text().toUtf8();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

QImage pictureOf(const QString &path)
{
    return QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
}

// A white picture with black pixels at `blacks`.
QImage withBlack(int width, int height, const QList<QPoint> &blacks)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const QPoint &at : blacks)
        image.setPixel(at, qRgb(0, 0, 0));
    return image;
}

// The darkness of a simulated print, summed over its pixels: 1 for black, 0 for white.
double inkOf(const QImage &print)
{
    double ink = 0;
    for (int y = 0; y < print.height(); ++y)
        for (int x = 0; x < print.width(); ++x)
            ink += (255 - qGray(print.pixel(x, y))) / 255.0;
    return ink;
}

} // namespace

class TestCliDots : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void squareCells();
    void oneDisc_data();
    void oneDisc();
    void fromTheTextReadBack();
    void neverOverTheInput();
    void tooLargeToSimulate();
    void thresholdLeftAlone();
    void halftonesAllowForIt_data();
    void halftonesAllowForIt();
    void calibrationStrip_data();
    void calibrationStrip();
    void usageErrors_data();
    void usageErrors();
    void inTheHelp();

private:
    QTemporaryDir dir_;
    QString pattern_; // 7 x 8, a few black pixels, edges included (initTestCase)
    QString lone_;    // 5 x 5, one black pixel in the middle
    QString ramp_;    // 40 x 24, greys from black to white
};

void TestCliDots::initTestCase()
{
    QVERIFY(dir_.isValid());
    pattern_ = dir_.filePath(QStringLiteral("pattern.png"));
    writeFile(pattern_, png::fromImage(withBlack(7, 8, {{0, 0}, {1, 0}, {3, 3}, {4, 4}, {6, 7}, {2, 6}, {2, 7}})));
    lone_ = dir_.filePath(QStringLiteral("lone.png"));
    writeFile(lone_, png::fromImage(withBlack(5, 5, {{2, 2}})));
    QImage ramp(40, 24, QImage::Format_RGB32);
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x)
            ramp.setPixel(x, y, qRgb(x * 255 / 39, x * 255 / 39, (x * 255 / 39 + y) % 256));
    ramp_ = dir_.filePath(QStringLiteral("ramp.png"));
    writeFile(ramp_, png::fromImage(ramp));
}

void TestCliDots::squareCells()
{
    // Without --dot-gain each dot is its 8 x 8 square, exactly black or white.
    const QString preview = dir_.filePath(QStringLiteral("square-preview.png"));
    const QString print = dir_.filePath(QStringLiteral("square-print.png"));
    const CliResult result = runToTheEnd({QStringLiteral("--preview"), preview, QStringLiteral("--simulate"), print, pattern_});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    const QImage dots = pictureOf(preview);
    const QImage printed = pictureOf(print);
    QCOMPARE(printed.size(), QSize(8 * 7, 8 * 8));
    for (int y = 0; y < printed.height(); ++y)
        for (int x = 0; x < printed.width(); ++x)
            QCOMPARE(printed.pixel(x, y), dots.pixel(x / 8, y / 8));
}

void TestCliDots::oneDisc_data()
{
    QTest::addColumn<QString>("R");
    for (const char *R : {"1", "1.1", "1.25", "1.41"})
        QTest::newRow(R) << QString::fromLatin1(R);
}

void TestCliDots::oneDisc()
{
    // A lone dot prints as a disc of radius 8 R / sqrt 2 pixels: its ink is pi r^2, within
    // what the anti-aliasing's rounding of each pixel to 1/255 allows (half a level over
    // the pixels of its edge, well under 0.5 %).
    QFETCH(QString, R);
    const QString print = dir_.filePath(QStringLiteral("disc.png"));
    const CliResult result = runToTheEnd({QStringLiteral("--dot-gain"), R, QStringLiteral("--simulate"), print, lone_});
    QCOMPARE(result.exitCode, 0);
    const QImage printed = pictureOf(print);
    QCOMPARE(printed.size(), QSize(40, 40));
    const double radius = 8 * R.toDouble() / std::numbers::sqrt2;
    const double area = std::numbers::pi * radius * radius;
    QVERIFY2(std::abs(inkOf(printed) - area) < 0.005 * area,
             qPrintable(QStringLiteral("ink %1, disc %2").arg(inkOf(printed)).arg(area)));
    // Nothing beyond the disc's edge (a pixel further than its radius and one pixel), the
    // dot's own cell black, and the disc alike across its diagonal.
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const double distance = std::hypot(x + 0.5 - 20, y + 0.5 - 20);
            if (distance > radius + 1)
                QCOMPARE(qGray(printed.pixel(x, y)), 255);
            if (x >= 16 && x < 24 && y >= 16 && y < 24)
                QCOMPARE(qGray(printed.pixel(x, y)), 0);
        }
    }
    QCOMPARE(printed.pixel(20 + int(radius) - 1, 20), printed.pixel(20, 20 + int(radius) - 1));
}

void TestCliDots::fromTheTextReadBack()
{
    // The picture's height is a whole band, so the text encodes it exactly: --check
    // --simulate draws the same print as the conversion's --simulate.
    const QString text = dir_.filePath(QStringLiteral("pattern.txt"));
    const QString fromImage = dir_.filePath(QStringLiteral("from-image.png"));
    const QString fromText = dir_.filePath(QStringLiteral("from-text.png"));
    QCOMPARE(runToTheEnd({QStringLiteral("--dot-gain"), QStringLiteral("1.3"), QStringLiteral("--simulate"), fromImage,
                          QStringLiteral("--output"), text, pattern_})
                 .exitCode,
             0);
    const CliResult check = runToTheEnd({QStringLiteral("--check"), text, QStringLiteral("--simulate"), fromText,
                                         QStringLiteral("--dot-gain"), QStringLiteral("1.3")});
    QCOMPARE(check.exitCode, 0);
    QVERIFY(check.out.startsWith("7x8 dots"));
    QCOMPARE(pictureOf(fromText), pictureOf(fromImage));
    QVERIFY(pictureOf(fromText) != pictureOf(dir_.filePath(QStringLiteral("square-print.png"))));
}

void TestCliDots::neverOverTheInput()
{
    const QByteArray before = contentsOf(lone_);
    const CliResult result = runToTheEnd({QStringLiteral("--simulate"), lone_, lone_});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.startsWith(QStringLiteral("plovan-cli: cannot write '%1': ").arg(lone_).toUtf8()));
    QCOMPARE(contentsOf(lone_), before);
}

void TestCliDots::tooLargeToSimulate()
{
    const QString wide = dir_.filePath(QStringLiteral("wide.png"));
    writeFile(wide, png::fromImage(withBlack(4096, 1, {{0, 0}})));
    const QString print = dir_.filePath(QStringLiteral("wide-print.png"));
    const CliResult result = runToTheEnd({QStringLiteral("--simulate"), print, wide});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err),
             QStringLiteral("plovan-cli: cannot write '%1': a picture 4096 dots wide or high is too large to simulate (at "
                            "most 4095 dots)\n")
                 .arg(print));
    QVERIFY(!QFile::exists(print));
    // 4095 is still drawn.
    const QString widest = dir_.filePath(QStringLiteral("widest.png"));
    writeFile(widest, png::fromImage(withBlack(4095, 1, {{0, 0}})));
    QCOMPARE(runToTheEnd({QStringLiteral("--simulate"), print, widest}).exitCode, 0);
    QCOMPARE(QImageReader(print).size(), QSize(8 * 4095, 8));
}

void TestCliDots::thresholdLeftAlone()
{
    // The threshold alone has no greys to keep: the dot gain changes nothing of its text.
    const CliResult plain = runToTheEnd({pattern_});
    const CliResult withGain = runToTheEnd({QStringLiteral("--dot-gain"), QStringLiteral("1.4"), pattern_});
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(withGain.exitCode, 0);
    QCOMPARE(withGain.out, plain.out);
}

void TestCliDots::halftonesAllowForIt_data()
{
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<QString>("R");
    QTest::addColumn<bool>("serpentine");
    for (const HalftoneName &entry : kHalftoneNames) {
        if (entry.halftone == Halftone::None)
            continue;
        QTest::addRow("%s 1.2", entry.name.data()) << entry.halftone << QStringLiteral("1.2") << false;
        if (isErrorDiffusion(entry.halftone))
            QTest::addRow("%s 1.41 serpentine", entry.name.data()) << entry.halftone << QStringLiteral("1.41") << true;
    }
}

void TestCliDots::halftonesAllowForIt()
{
    // The same bytes as the steps with the dot gain in the settings, and other bytes than
    // without it: fewer dots, for they print larger.
    QFETCH(Halftone, halftone);
    QFETCH(QString, R);
    QFETCH(bool, serpentine);
    ConversionSettings settings;
    settings.threshold = 128;
    settings.print.halftone = halftone;
    settings.print.serpentine = serpentine;
    QStringList arguments{QStringLiteral("--threshold"), QStringLiteral("128"), QStringLiteral("--halftone"),
                          QString(halftoneName(halftone))};
    if (serpentine)
        arguments << QStringLiteral("--serpentine");
    const QString squarePreview = dir_.filePath(QStringLiteral("ramp-square.png"));
    const CliResult square = runToTheEnd(arguments + QStringList{QStringLiteral("--preview"), squarePreview, ramp_});
    QCOMPARE(square.exitCode, 0);
    QCOMPARE(square.out, expectedText(ramp_, settings));
    settings.print.dotGainHundredths = int(std::lround(R.toDouble() * 100));
    const QString preview = dir_.filePath(QStringLiteral("ramp-dots.png"));
    const CliResult result =
        runToTheEnd(arguments + QStringList{QStringLiteral("--dot-gain"), R, QStringLiteral("--preview"), preview, ramp_});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, expectedText(ramp_, settings));
    QVERIFY(result.out != square.out);
    auto blackDots = [](const QImage &picture) {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += qGray(picture.pixel(x, y)) == 0;
        return count;
    };
    const int withGain = blackDots(pictureOf(preview)), without = blackDots(pictureOf(squarePreview));
    QVERIFY2(withGain < without, qPrintable(QStringLiteral("%1 dots, %2 without").arg(withGain).arg(without)));
}

void TestCliDots::calibrationStrip_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("width");
    QTest::addColumn<Halftone>("halftone");
    QTest::addColumn<bool>("serpentine");
    QTest::newRow("defaults") << QStringList{} << 384 << Halftone::FloydSteinberg << false;
    QTest::newRow("blue noise, 128 wide") << QStringList{QStringLiteral("--halftone"), QStringLiteral("blue-noise"),
                                                         QStringLiteral("--width"), QStringLiteral("128")}
                                          << 128 << Halftone::BlueNoise << false;
    QTest::newRow("stucki serpentine, 576 wide")
        << QStringList{QStringLiteral("--width=576"), QStringLiteral("--halftone"), QStringLiteral("stucki"),
                       QStringLiteral("--serpentine")}
        << 576 << Halftone::Stucki << true;
}

void TestCliDots::calibrationStrip()
{
    // The strip as the conversion makes it, encoded as it is: its preview is it, and the
    // text read back is as big.
    QFETCH(QStringList, arguments);
    QFETCH(int, width);
    QFETCH(Halftone, halftone);
    QFETCH(bool, serpentine);
    const QString preview = dir_.filePath(QStringLiteral("strip.png"));
    const QString print = dir_.filePath(QStringLiteral("strip-print.png"));
    const QString text = dir_.filePath(QStringLiteral("strip.txt"));
    const CliResult result = runToTheEnd(QStringList{QStringLiteral("--calibration-strip"), QStringLiteral("--preview"), preview,
                                                     QStringLiteral("--output"), text, QStringLiteral("--simulate"), print,
                                                     QStringLiteral("--dot-gain"), QStringLiteral("1.3")}
                                         + arguments);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.isEmpty());
    QVERIFY(result.err.isEmpty());
    const PictureRef strip = plovan::calibrationStrip(width, halftone, serpentine);
    QCOMPARE(pictureOf(preview), strip->image());
    QCOMPARE(QImageReader(print).size(), QSize(8 * width, 8 * kCalibrationStripHeight));
    const CliResult check = runToTheEnd({QStringLiteral("--check"), text});
    QCOMPARE(check.exitCode, 0);
    QVERIFY2(check.out.startsWith(QStringLiteral("%1x320 dots, 40 bands").arg(width).toUtf8()), check.out.constData());
    // Standard output by default, as a picture's text.
    const CliResult plain = runToTheEnd(QStringList{QStringLiteral("--calibration-strip")} + arguments);
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(plain.out, contentsOf(text));
}

void TestCliDots::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const QString range = QStringLiteral("--dot-gain must be a number from 1.00 to 1.41 with at most two decimals, not '%1'");
    for (const char *value : {"0.99", "1.42", "2", "1.005", "1.", ".5", "+1.2", "1,2", " 1.2", "1e0", "abc", ""})
        QTest::addRow("dot gain '%s'", value) << QStringList{QStringLiteral("--dot-gain"), QString::fromLatin1(value), QStringLiteral("IMAGE")}
                                              << range.arg(QString::fromLatin1(value));
    QTest::newRow("simulate without a name") << QStringList{QStringLiteral("--simulate="), QStringLiteral("IMAGE")}
                                             << QStringLiteral("--simulate needs a file name");
    QTest::newRow("check, simulate without a name")
        << QStringList{QStringLiteral("--check"), QStringLiteral("TEXT"), QStringLiteral("--simulate=")}
        << QStringLiteral("--simulate needs a file name");
    // A text's dots are decided: with --check, R says only how they print.
    QTest::newRow("check, dot gain alone")
        << QStringList{QStringLiteral("--check"), QStringLiteral("TEXT"), QStringLiteral("--dot-gain"), QStringLiteral("1.2")}
        << QStringLiteral("--dot-gain goes with --check only for --simulate");
    const QString strip = QStringLiteral("--calibration-strip");
    QTest::newRow("strip, an IMAGE too") << QStringList{strip, QStringLiteral("IMAGE")}
                                         << QStringLiteral("--calibration-strip makes its own picture, not one of an IMAGE ('%1')");
    QTest::newRow("strip, too narrow")
        << QStringList{strip, QStringLiteral("--width"), QStringLiteral("127")}
        << QStringLiteral("--width must be a whole number of dots from 128 to 32767 for the calibration strip, not '127'");
    for (const QStringList &option : {QStringList{"--threshold", "100"}, QStringList{"--reverse"}, QStringList{"--rotate", "90"},
                                      QStringList{"--mirror"}, QStringList{"--brightness", "5"}, QStringList{"--contrast", "5"},
                                      QStringList{"--gamma", "2"}, QStringList{"--trim"}, QStringList{"--max-width", "300"},
                                      QStringList{"--center-on", "400"}, QStringList{"--dpi", "180"}})
        QTest::addRow("strip, %s", qPrintable(option.first()))
            << QStringList{strip} + option << QStringLiteral("%1 does not go with --calibration-strip").arg(option.first());
    QTest::newRow("strip, dot gain alone") << QStringList{strip, QStringLiteral("--dot-gain"), QStringLiteral("1.2")}
                                           << QStringLiteral("--dot-gain goes with --calibration-strip only for --simulate");
    QTest::newRow("strip, serpentine without a diffusion")
        << QStringList{strip, QStringLiteral("--halftone"), QStringLiteral("ordered"), QStringLiteral("--serpentine")}
        << QStringLiteral("--serpentine goes with an error diffusion (floyd-steinberg, atkinson, jarvis, stucki or sierra), "
                          "not with the halftone 'ordered'");
    QTest::newRow("strip and check") << QStringList{strip, QStringLiteral("--check"), QStringLiteral("TEXT")}
                                     << QStringLiteral("--calibration-strip does not go with --check");
    QTest::newRow("check, dot gain out of range")
        << QStringList{QStringLiteral("--check"), QStringLiteral("TEXT"), QStringLiteral("--simulate"), QStringLiteral("out.png"),
                       QStringLiteral("--dot-gain"), QStringLiteral("1.5")}
        << range.arg(QStringLiteral("1.5"));
}

void TestCliDots::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    arguments.replaceInStrings(QStringLiteral("IMAGE"), lone_);
    verifyUsageError(runToTheEnd(arguments), reason.contains(QLatin1String("%1")) ? reason.arg(lone_) : reason);
}

void TestCliDots::inTheHelp()
{
    const CliResult help = runToTheEnd({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *option : {"--dot-gain <R>", "--simulate <OUT.png>", "--calibration-strip"})
        QVERIFY2(help.out.contains(option), option);
    const CliResult usage = runToTheEnd({QStringLiteral("--no-such-option")});
    for (const char *option : {"[--dot-gain R]", "[--simulate OUT.png]", "plovan-cli --calibration-strip [--width D]"})
        QVERIFY2(usage.err.contains(option), option);
}

QTEST_GUILESS_MAIN(TestCliDots)
#include "tst_cli_dots.moc"
