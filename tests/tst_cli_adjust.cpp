// plovan-cli's options that adjust the picture before it is scaled (turn, mirror, tone,
// trim) and serpentine rows, run as a user runs them: each option's bytes against the same
// steps done in this process with the settings it stands for, a few results against
// pixels worked out by hand, and the usage errors.

#include "support/CliRun.h"
#include "support/FixtureFiles.h"
#include "support/LoadReasons.h"
#include "support/PngFiles.h"

#include "conversion/Convert.h"
#include "conversion/HalftoneNames.h"
#include "conversion/HeadlessView.h"
#include "import/LoadSequence.h"

#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

CliResult runToTheEnd(const QStringList &arguments)
{
    const CliResult result = runCli(arguments);
    if (result.status != QProcess::NormalExit)
        qFatal("plovan-cli crashed");
    return result;
}

using Settings = ConversionSettings;

Settings with(const std::function<void(Settings &)> &change)
{
    Settings settings;
    change(settings);
    return settings;
}

// What the loading sequence and the conversion make of the file under these settings.
QByteArray expectedText(const QString &path, const Settings &settings)
{
    ConversionState state;
    state.print = settings.print;
    if (const std::optional<LoadError> error = load(state, PictureSource::file(path), nullptr))
        qFatal("cannot load the fixture: %s", qPrintable(describe(error->reason)));
    HeadlessView view;
    convertLoaded(state, settings, view);
    return view.text().toUtf8();
}

// A photo-like picture with white margins around it: gradients for the tone and the
// halftones, no symmetry for the turns, and margins for the trimming.
QImage photoWithMargins(int width, int height, int margin)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = margin; y < height - margin; ++y) {
        for (int x = margin + 2; x < width - margin; ++x) {
            const int grey = (x * 7 + y * 3) % 256;
            image.setPixel(x, y, qRgb(grey, (grey + 40 * y / height) % 256, 255 - grey / 2));
        }
    }
    return image;
}

QImage previewOf(const QString &path)
{
    return QImageReader(path).read().convertToFormat(QImage::Format_RGB32);
}

} // namespace

Q_DECLARE_METATYPE(plovan::ConversionSettings)

class TestCliAdjust : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameBytesAsTheSteps_data();
    void sameBytesAsTheSteps();
    void turnsAndMirrorByHand_data();
    void turnsAndMirrorByHand();
    void toneByHand_data();
    void toneByHand();
    void trimKeepsTheContent();
    void usageErrors_data();
    void usageErrors();
    void notWithCheck();
    void everyOptionInTheHelp();

private:
    QTemporaryDir dir_;
    QString photo_; // 61 x 37, white margins of 5 (7 on the left)
    QString arrow_; // 3 x 2, three black pixels (initTestCase)
};

void TestCliAdjust::initTestCase()
{
    QVERIFY(dir_.isValid());
    photo_ = dir_.filePath(QStringLiteral("photo.png"));
    writeFile(photo_, png::fromImage(photoWithMargins(61, 37, 5)));
    // 3 x 2:  B W W
    //         B B W   no two turns or mirrors of it are alike.
    QImage arrow(3, 2, QImage::Format_RGB32);
    arrow.fill(Qt::white);
    arrow.setPixel(0, 0, qRgb(0, 0, 0));
    arrow.setPixel(0, 1, qRgb(0, 0, 0));
    arrow.setPixel(1, 1, qRgb(0, 0, 0));
    arrow_ = dir_.filePath(QStringLiteral("arrow.png"));
    writeFile(arrow_, png::fromImage(arrow));
}

void TestCliAdjust::sameBytesAsTheSteps_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Settings>("settings");
    auto row = [](const char *name, const QStringList &arguments, const Settings &settings) {
        QTest::newRow(name) << arguments << settings;
    };
    auto turned = [](int turns, bool mirror) {
        return with([=](Settings &s) { s.print.orientation = {turns, mirror}; });
    };
    row("--rotate 90", {QStringLiteral("--rotate"), QStringLiteral("90")}, turned(1, false));
    row("--rotate 180", {QStringLiteral("--rotate"), QStringLiteral("180")}, turned(2, false));
    row("--rotate 270", {QStringLiteral("--rotate"), QStringLiteral("270")}, turned(3, false));
    row("--mirror", {QStringLiteral("--mirror")}, turned(0, true));
    row("--rotate=270 --mirror", {QStringLiteral("--rotate=270"), QStringLiteral("--mirror")}, turned(3, true));
    auto toned = [](int brightness, int contrast, int gamma) {
        return with([=](Settings &s) { s.print.tone = {brightness, contrast, gamma}; });
    };
    row("--brightness -40", {QStringLiteral("--brightness"), QStringLiteral("-40")}, toned(-40, 0, 100));
    row("--brightness=25", {QStringLiteral("--brightness=25")}, toned(25, 0, 100));
    row("--contrast 60", {QStringLiteral("--contrast"), QStringLiteral("60")}, toned(0, 60, 100));
    row("--contrast -100", {QStringLiteral("--contrast"), QStringLiteral("-100")}, toned(0, -100, 100));
    row("--gamma 2.2", {QStringLiteral("--gamma"), QStringLiteral("2.2")}, toned(0, 0, 220));
    row("--gamma 0.45", {QStringLiteral("--gamma"), QStringLiteral("0.45")}, toned(0, 0, 45));
    row("--gamma 10", {QStringLiteral("--gamma"), QStringLiteral("10")}, toned(0, 0, 1000));
    row("--gamma 1.00 is the default", {QStringLiteral("--gamma"), QStringLiteral("1.00")}, Settings{});
    row("all three", {QStringLiteral("--brightness"), QStringLiteral("10"), QStringLiteral("--contrast"), QStringLiteral("-20"),
                      QStringLiteral("--gamma"), QStringLiteral("1.5")},
        toned(10, -20, 150));
    row("--trim", {QStringLiteral("--trim")}, with([](Settings &s) { s.print.trim = Trim::Light; }));
    row("--trim --reverse trims the dark paper", {QStringLiteral("--trim"), QStringLiteral("--reverse")},
        with([](Settings &s) {
            s.print.trim = Trim::Dark;
            s.reverse = true;
        }));
    for (const HalftoneName &entry : kHalftoneNames) {
        if (!isErrorDiffusion(entry.halftone))
            continue;
        const QByteArray name = "--serpentine with " + QByteArray(entry.name.data(), entry.name.size());
        QTest::newRow(name.constData()) << QStringList{QStringLiteral("--halftone"), QString(entry.name), QStringLiteral("--serpentine")}
                                        << with([&](Settings &s) {
                                               s.print.halftone = entry.halftone;
                                               s.print.serpentine = true;
                                           });
    }
    row("everything at once",
        {QStringLiteral("--rotate"), QStringLiteral("90"), QStringLiteral("--mirror"), QStringLiteral("--gamma"),
         QStringLiteral("0.8"), QStringLiteral("--trim"), QStringLiteral("--max-width"), QStringLiteral("20"),
         QStringLiteral("--center-on"), QStringLiteral("32"), QStringLiteral("--halftone"), QStringLiteral("atkinson"),
         QStringLiteral("--serpentine"), QStringLiteral("--threshold"), QStringLiteral("140")},
        with([](Settings &s) {
            s.print = {Fit::MaxWidth, 20, 32, Halftone::Atkinson};
            s.print.serpentine = true;
            s.print.orientation = {1, true};
            s.print.tone.gammaHundredths = 80;
            s.print.trim = Trim::Light;
            s.threshold = 140;
        }));
}

void TestCliAdjust::sameBytesAsTheSteps()
{
    QFETCH(QStringList, arguments);
    QFETCH(Settings, settings);
    const CliResult result = runToTheEnd(arguments << photo_);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, expectedText(photo_, settings));
    // Nothing chosen is not what was chosen: each row changes the text (but the default gamma).
    if (!(settings == Settings{}))
        QVERIFY(result.out != expectedText(photo_, Settings{}));
}

void TestCliAdjust::turnsAndMirrorByHand_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("rows"); // the preview, 'B' for black
    // The picture:  B W W
    //               B B W
    QTest::newRow("as it is") << QStringList{} << QStringList{"BWW", "BBW"};
    QTest::newRow("90") << QStringList{"--rotate", "90"} << QStringList{"BB", "BW", "WW"};
    QTest::newRow("180") << QStringList{"--rotate", "180"} << QStringList{"WBB", "WWB"};
    QTest::newRow("270") << QStringList{"--rotate", "270"} << QStringList{"WW", "WB", "BB"};
    QTest::newRow("mirror") << QStringList{"--mirror"} << QStringList{"WWB", "WBB"};
    QTest::newRow("90, then the mirror") << QStringList{"--rotate", "90", "--mirror"} << QStringList{"BB", "WB", "WW"};
}

void TestCliAdjust::turnsAndMirrorByHand()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, rows);
    const QString preview = dir_.filePath(QStringLiteral("turned.png"));
    const CliResult result = runToTheEnd(arguments << QStringLiteral("--preview") << preview << arrow_);
    QCOMPARE(result.exitCode, 0);
    const QImage written = previewOf(preview);
    QCOMPARE(written.size(), QSize(int(rows.first().size()), int(rows.size())));
    for (int y = 0; y < written.height(); ++y) {
        QString seen;
        for (int x = 0; x < written.width(); ++x)
            seen += qRed(written.pixel(x, y)) == 0 ? QLatin1Char('B') : QLatin1Char('W');
        QCOMPARE(seen, rows[y]);
    }
}

void TestCliAdjust::toneByHand_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("allWhite"); // else all black
    // brightness 100: every value is at least 1 before it is held, so all 255: white.
    QTest::newRow("brightness 100: white") << QStringList{"--brightness", "100"} << true;
    // brightness -100: every value at most 0, so 0: black, margins too.
    QTest::newRow("brightness -100: black") << QStringList{"--brightness", "-100"} << false;
    // contrast -100: every value 0.5, round(127.5) = 128; a mean of 128 is white below
    // the threshold 100 and black below the threshold 129.
    QTest::newRow("contrast -100, threshold 100") << QStringList{"--contrast", "-100"} << true;
    QTest::newRow("contrast -100, threshold 129") << QStringList{"--contrast", "-100", "--threshold", "129"} << false;
    QTest::newRow("contrast -100, threshold 128") << QStringList{"--contrast", "-100", "--threshold", "128"} << true;
}

void TestCliAdjust::toneByHand()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, allWhite);
    const QString preview = dir_.filePath(QStringLiteral("toned.png"));
    const CliResult result = runToTheEnd(arguments << QStringLiteral("--preview") << preview << photo_);
    QCOMPARE(result.exitCode, 0);
    const QImage written = previewOf(preview);
    QCOMPARE(written.size(), QSize(61, 37));
    QImage expected(written.size(), QImage::Format_RGB32);
    expected.fill(allWhite ? Qt::white : Qt::black);
    QCOMPARE(written, expected);
}

void TestCliAdjust::trimKeepsTheContent()
{
    // The content of the photo: x 7-55, y 5-31; the margins white. Trimmed, it is 49 x 27,
    // and --max-width then fits the content, not the margins: 49 -> 30 dots.
    const QString preview = dir_.filePath(QStringLiteral("trimmed.png"));
    const CliResult trimmed = runToTheEnd({QStringLiteral("--trim"), QStringLiteral("--preview"), preview, photo_});
    QCOMPARE(trimmed.exitCode, 0);
    QCOMPARE(previewOf(preview).size(), QSize(49, 27));
    const CliResult fitted =
        runToTheEnd({QStringLiteral("--trim"), QStringLiteral("--max-width"), QStringLiteral("30"), QStringLiteral("--preview"), preview, photo_});
    QCOMPARE(fitted.exitCode, 0);
    QCOMPARE(previewOf(preview).width(), 30);
    // Reversed, the paper is dark: the white margins are content, nothing is cut.
    const CliResult reversed = runToTheEnd({QStringLiteral("--trim"), QStringLiteral("--reverse"), QStringLiteral("--preview"), preview, photo_});
    QCOMPARE(reversed.exitCode, 0);
    QCOMPARE(previewOf(preview).size(), QSize(61, 37));
    // Rotated first, the trimmed size turns with it.
    const CliResult turned = runToTheEnd({QStringLiteral("--rotate"), QStringLiteral("90"), QStringLiteral("--trim"), QStringLiteral("--preview"), preview, photo_});
    QCOMPARE(turned.exitCode, 0);
    QCOMPARE(previewOf(preview).size(), QSize(27, 49));
}

void TestCliAdjust::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    auto row = [](const char *name, const QStringList &arguments, const char *reason) {
        QTest::newRow(name) << arguments << QString::fromUtf8(reason);
    };
    const char *rotate = "--rotate must be 90, 180 or 270 (degrees clockwise), not '%1'";
    for (const char *degrees : {"45", "0", "360", "-90", "+90", "90.0", " 90", "ninety", ""}) {
        const QByteArray name = QByteArray("rotate '") + degrees + "'";
        QTest::newRow(name.constData()) << QStringList{QStringLiteral("--rotate"), QString::fromLatin1(degrees)}
                                        << QString::fromLatin1(rotate).arg(QString::fromLatin1(degrees));
    }
    for (const char *option : {"brightness", "contrast"}) {
        for (const char *value : {"101", "-101", "+5", "1.5", "--5", "-", "ten", "1000000000000", ""}) {
            const QByteArray name = QByteArray(option) + " '" + value + "'";
            QTest::newRow(name.constData())
                << QStringList{QStringLiteral("--%1=%2").arg(QString::fromLatin1(option), QString::fromLatin1(value))}
                << QStringLiteral("--%1 must be a whole number from -100 to 100, not '%2'")
                       .arg(QString::fromLatin1(option), QString::fromLatin1(value));
        }
    }
    for (const char *value : {"0.09", "10.01", "0", "11", "1.234", "1,5", ".5", "1.", "-1", "+2", "1e0", "2.5 ", "abc", ""}) {
        const QByteArray name = QByteArray("gamma '") + value + "'";
        QTest::newRow(name.constData()) << QStringList{QStringLiteral("--gamma=%1").arg(QString::fromLatin1(value))}
                                        << QStringLiteral("--gamma must be a number from 0.10 to 10.00 with at most two "
                                                          "decimals, not '%1'")
                                               .arg(QString::fromLatin1(value));
    }
    row("serpentine without a halftone", {QStringLiteral("--serpentine")},
        "--serpentine goes with an error diffusion (floyd-steinberg, atkinson, jarvis, stucki or sierra), not with the "
        "halftone 'none'");
    row("serpentine with a screen", {QStringLiteral("--serpentine"), QStringLiteral("--halftone"), QStringLiteral("ordered")},
        "--serpentine goes with an error diffusion (floyd-steinberg, atkinson, jarvis, stucki or sierra), not with the "
        "halftone 'ordered'");
}

void TestCliAdjust::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    verifyUsageError(runToTheEnd(arguments << photo_), reason);
}

void TestCliAdjust::notWithCheck()
{
    for (const QStringList &option : {QStringList{"--rotate", "90"}, QStringList{"--mirror"}, QStringList{"--brightness", "5"},
                                      QStringList{"--contrast", "5"}, QStringList{"--gamma", "2"}, QStringList{"--trim"},
                                      QStringList{"--serpentine"}}) {
        const CliResult result = runToTheEnd(QStringList{QStringLiteral("--check"), photo_} + option);
        verifyUsageError(result, QStringLiteral("%1 does not go with --check").arg(option.first()));
    }
}

void TestCliAdjust::everyOptionInTheHelp()
{
    const CliResult result = runToTheEnd({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    for (const char *option : {"--rotate <DEGREES>", "--mirror", "--brightness <B>", "--contrast <C>", "--gamma <G>", "--trim",
                               "--serpentine", "jarvis", "stucki", "sierra", "blue-noise", "clustered"})
        QVERIFY2(result.out.contains(option), option);
    const CliResult usage = runToTheEnd({QStringLiteral("--no-such-option")});
    for (const char *option : {"--rotate", "--mirror", "--brightness", "--contrast", "--gamma", "--trim", "--serpentine"})
        QVERIFY2(usage.err.contains(option), option);
}

QTEST_GUILESS_MAIN(TestCliAdjust)
#include "tst_cli_adjust.moc"
