// plovan-cli's print-ready options, run as a user runs them: each option's bytes against
// the same steps done in this process (decode, prepare, threshold or halftone, encode),
// the preview, the usage errors and the picture too wide for its paper.

#include "support/CliRun.h"
#include "support/FixtureFiles.h"
#include "support/LoadReasons.h"
#include "support/PngFiles.h"

#include "conversion/Convert.h"
#include "conversion/HeadlessView.h"
#include "import/LoadSequence.h"

#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// Every run here has to end on its own: a crash stops the test program.
CliResult runToTheEnd(const QStringList &arguments)
{
    const CliResult result = runCli(arguments);
    if (result.status != QProcess::NormalExit)
        qFatal("plovan-cli crashed");
    return result;
}

using Settings = ConversionSettings;

// What the window's steps make of the file under these settings (the loading sequence,
// then the slider's value, Refresh and Create): the text and the encoded picture.
QByteArray expectedText(const QString &path, const Settings &settings, PictureRef *encoded = nullptr)
{
    ConversionState state;
    state.print = settings.print;
    if (const std::optional<LoadError> error = load(state, PictureSource::file(path), nullptr))
        qFatal("cannot load the fixture: %s", qPrintable(describe(error->reason)));
    HeadlessView view;
    convertLoaded(state, settings, view);
    if (encoded)
        *encoded = state.destPix;
    return view.text().toUtf8();
}

// A photo-like fixture: two gradients and a dark disc, so that every halftone and the
// automatic threshold have something to do.
QImage photoImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 3, dy = y - height / 2;
            const bool disc = dx * dx + dy * dy < height * height / 9;
            const int grey = disc ? 30 + (x + y) % 20 : 90 + (150 * x) / width;
            image.setPixel(x, y, qRgb(grey, (grey + 60 * y / height) % 256, grey / 2 + 100));
        }
    }
    return image;
}

Settings with(std::function<void(Settings &)> change)
{
    Settings settings;
    change(settings);
    return settings;
}

} // namespace

Q_DECLARE_METATYPE(plovan::ConversionSettings)

class TestCliPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameBytesAsTheSteps_data();
    void sameBytesAsTheSteps();
    void previewIsTheEncodedPicture();
    void usageErrors_data();
    void usageErrors();
    void widerThanThePaper();
    void everyOptionInTheHelp();

private:
    QTemporaryDir dir_;
    QString photo_; // 101 x 61
};

void TestCliPrint::initTestCase()
{
    QVERIFY(dir_.isValid());
    photo_ = dir_.filePath(QStringLiteral("photo.png"));
    writeFile(photo_, png::fromImage(photoImage(101, 61)));
}

void TestCliPrint::sameBytesAsTheSteps_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Settings>("settings");
    auto row = [](const char *name, const QStringList &arguments, const Settings &settings) {
        QTest::newRow(name) << arguments << settings;
    };
    row("--width shrinks", {QStringLiteral("--width"), QStringLiteral("40")},
        with([](Settings &s) { s.print = {Fit::Width, 40, 0, Halftone::None}; }));
    row("--width enlarges", {QStringLiteral("--width"), QStringLiteral("150")},
        with([](Settings &s) { s.print = {Fit::Width, 150, 0, Halftone::None}; }));
    row("--max-width shrinks a wider picture", {QStringLiteral("--max-width"), QStringLiteral("64")},
        with([](Settings &s) { s.print = {Fit::MaxWidth, 64, 0, Halftone::None}; }));
    row("--max-width leaves a narrower one", {QStringLiteral("--max-width"), QStringLiteral("576")},
        with([](Settings &s) { s.print = {Fit::MaxWidth, 576, 0, Halftone::None}; }));
    row("--center-on", {QStringLiteral("--center-on"), QStringLiteral("384")},
        with([](Settings &s) { s.print.paperWidth = 384; }));
    row("--max-width and --center-on", {QStringLiteral("--max-width"), QStringLiteral("50"), QStringLiteral("--center-on"),
                                        QStringLiteral("57")},
        with([](Settings &s) { s.print = {Fit::MaxWidth, 50, 57, Halftone::None}; }));
    row("--halftone none", {QStringLiteral("--halftone"), QStringLiteral("none")}, Settings{});
    row("--halftone floyd-steinberg", {QStringLiteral("--halftone"), QStringLiteral("floyd-steinberg")},
        with([](Settings &s) { s.print.halftone = Halftone::FloydSteinberg; }));
    row("--halftone atkinson", {QStringLiteral("--halftone"), QStringLiteral("atkinson")},
        with([](Settings &s) { s.print.halftone = Halftone::Atkinson; }));
    row("--halftone ordered", {QStringLiteral("--halftone"), QStringLiteral("ordered")},
        with([](Settings &s) { s.print.halftone = Halftone::Ordered; }));
    row("--halftone with --threshold and --reverse",
        {QStringLiteral("--halftone"), QStringLiteral("floyd-steinberg"), QStringLiteral("--threshold"),
         QStringLiteral("150"), QStringLiteral("--reverse")},
        with([](Settings &s) {
            s.print.halftone = Halftone::FloydSteinberg;
            s.threshold = 150;
            s.reverse = true;
        }));
    row("--threshold auto", {QStringLiteral("--threshold"), QStringLiteral("auto")},
        with([](Settings &s) { s.automaticThreshold = true; }));
    row("--threshold auto --reverse", {QStringLiteral("--threshold"), QStringLiteral("auto"), QStringLiteral("--reverse")},
        with([](Settings &s) {
            s.automaticThreshold = true;
            s.reverse = true;
        }));
    row("a receipt logo from a photo",
        {QStringLiteral("--max-width"), QStringLiteral("48"), QStringLiteral("--center-on"), QStringLiteral("64"),
         QStringLiteral("--halftone"), QStringLiteral("ordered"), QStringLiteral("--threshold"), QStringLiteral("auto")},
        with([](Settings &s) {
            s.print = {Fit::MaxWidth, 48, 64, Halftone::Ordered};
            s.automaticThreshold = true;
        }));
}

void TestCliPrint::sameBytesAsTheSteps()
{
    QFETCH(QStringList, arguments);
    QFETCH(Settings, settings);
    const CliResult result = runToTheEnd(arguments << photo_);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, expectedText(photo_, settings));
}

void TestCliPrint::previewIsTheEncodedPicture()
{
    const QString preview = dir_.filePath(QStringLiteral("preview.png"));
    const CliResult result = runToTheEnd({QStringLiteral("--max-width"), QStringLiteral("40"), QStringLiteral("--center-on"),
                                     QStringLiteral("45"), QStringLiteral("--halftone"), QStringLiteral("atkinson"),
                                     QStringLiteral("--preview"), preview, photo_});
    QCOMPARE(result.exitCode, 0);
    PictureRef encoded;
    QCOMPARE(result.out, expectedText(photo_, with([](Settings &s) { s.print = {Fit::MaxWidth, 40, 45, Halftone::Atkinson}; }),
                                      &encoded));
    const QImage written = QImageReader(preview).read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written.size(), QSize(45, 24));
    QCOMPARE(written, encoded->image());
}

void TestCliPrint::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    auto row = [](const char *name, const QStringList &arguments, const char *reason) {
        QTest::newRow(name) << arguments << QString::fromUtf8(reason);
    };
    const QString width = QStringLiteral("--width"), maxWidth = QStringLiteral("--max-width"),
                  centerOn = QStringLiteral("--center-on");
    row("width 0", {width, QStringLiteral("0")}, "--width must be a whole number of dots from 1 to 32767, not '0'");
    row("width 32768", {width, QStringLiteral("32768")}, "--width must be a whole number of dots from 1 to 32767, not '32768'");
    row("width not a number", {width, QStringLiteral("wide")}, "--width must be a whole number of dots from 1 to 32767, not 'wide'");
    row("max width negative", {maxWidth, QStringLiteral("-5")}, "--max-width must be a whole number of dots from 1 to 32767, not '-5'");
    row("max width with a sign", {maxWidth, QStringLiteral("+576")}, "--max-width must be a whole number of dots from 1 to 32767, not '+576'");
    row("paper 0", {centerOn, QStringLiteral("0")}, "--center-on must be a whole number of dots from 1 to 32767, not '0'");
    row("paper 32768", {centerOn, QStringLiteral("32768")}, "--center-on must be a whole number of dots from 1 to 32767, not '32768'");
    row("width and max width", {width, QStringLiteral("384"), maxWidth, QStringLiteral("576")},
        "--width and --max-width do not go together");
    row("unknown halftone", {QStringLiteral("--halftone"), QStringLiteral("floyd")},
        "the halftone must be none, floyd-steinberg, atkinson, ordered, jarvis, stucki, sierra, blue-noise or clustered, not 'floyd'");
    row("halftone in capitals", {QStringLiteral("--halftone"), QStringLiteral("Ordered")},
        "the halftone must be none, floyd-steinberg, atkinson, ordered, jarvis, stucki, sierra, blue-noise or clustered, not 'Ordered'");
    row("threshold neither number nor auto", {QStringLiteral("--threshold"), QStringLiteral("automatic")},
        "the threshold must be a whole number from 0 to 255 or auto, not 'automatic'");
}

void TestCliPrint::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const CliResult result = runToTheEnd(arguments << photo_);
    verifyUsageError(result, reason);
}

void TestCliPrint::widerThanThePaper()
{
    const QString output = dir_.filePath(QStringLiteral("too-wide.txt"));
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("--center-on"), QStringLiteral("100")},
          QStringList{QStringLiteral("--width"), QStringLiteral("200"), QStringLiteral("--center-on"), QStringLiteral("150")}}) {
        const CliResult result = runToTheEnd(QStringList(arguments) << QStringLiteral("--output") << output << photo_);
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!QFile::exists(output));
        const QString err = QString::fromUtf8(result.err);
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
        QVERIFY2(err.startsWith(QStringLiteral("plovan-cli: cannot load '%1': ").arg(photo_)), qPrintable(err));
        // Both widths, the picture's after scaling and the paper's.
        const QString pictureWidth = arguments.size() == 2 ? QStringLiteral("101") : QStringLiteral("200");
        QVERIFY2(err.contains(QStringLiteral(" %1 dots wide").arg(pictureWidth))
                     && err.contains(QStringLiteral(" %1 dots\n").arg(arguments.last())),
                 qPrintable(err));
    }
    // --check reads a text: none of the print options go with it.
    const CliResult check = runToTheEnd({QStringLiteral("--check"), output, QStringLiteral("--max-width"), QStringLiteral("576")});
    QCOMPARE(check.exitCode, 2);
}

void TestCliPrint::everyOptionInTheHelp()
{
    const CliResult result = runToTheEnd({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    for (const char *option : {"--threshold <N|auto>", "--width <D>", "--max-width <D>", "--center-on <P>",
                               "--halftone <KIND>", "floyd-steinberg", "atkinson", "ordered",
                               "plovan-cli --max-width 576 --halftone floyd-steinberg photo.jpg"})
        QVERIFY2(result.out.contains(option), option);
}

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cli_print.moc"
