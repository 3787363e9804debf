#include "support/CliRun.h"
#include "support/FixtureFiles.h"
#include "support/LoadReasons.h"
#include "support/PngFiles.h"
#include "support/WindowRecorder.h"

#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "platform/PictureFile.h"

#include "Version.h"

#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// What the window's text area holds after loading `path`, setting the controls and
// pressing Create, as bytes in UTF-8; the working picture comes back in `destPix`.
QByteArray windowText(const QString &path, int threshold, bool reverse, PictureRef *destPix = nullptr)
{
    ConversionState state;
    WindowRecorder view;
    if (!loadFile(state, view, path)) {
        QTest::qFail(qPrintable(describe(view.errors.value(0).reason)), __FILE__, __LINE__);
        return {};
    }
    state.threshold = threshold;
    state.reverse = reverse;
    redraw(state, view);
    createLogoText(state, view);
    if (destPix)
        *destPix = state.destPix;
    return view.text.toUtf8();
}

QImage logoImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int shade = (x * 7 + y * 13) % 256;
            const int alpha = x < width / 4 ? 0 : (x < width / 2 ? 128 : 255);
            image.setPixel(x, y, qRgba(shade, 255 - shade, (x * y) % 256, alpha));
        }
    }
    return image;
}

QString oneLine(const QString &name, const QString &reason)
{
    return QStringLiteral("plovan-cli: cannot load '%1': %2\n").arg(name, reason);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sameBytesAsTheWindow_data();
    void sameBytesAsTheWindow();
    void loadFailures_data();
    void loadFailures();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
    void outputFile();
    void outputLeftAloneOnFailure_data();
    void outputLeftAloneOnFailure();
    void standardInput();
    void preview();
    void ignoresQtAllocationLimitVariable();
    void outOfMemoryIsOneLine();
    void missingDecoderIsNamed();
    void outOfMemoryAfterTheLoad_data();
    void outOfMemoryAfterTheLoad();

private:
    QString fixture(const QString &name, const QByteArray &bytes);

    QTemporaryDir dir_;
    QString logo_;
};

QString TestCli::fixture(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    writeFile(path, bytes);
    return path;
}

void TestCli::initTestCase()
{
    QVERIFY(dir_.isValid());
    logo_ = fixture(QStringLiteral("logo.png"), png::fromImage(logoImage(50, 21), 6));
}

void TestCli::sameBytesAsTheWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<QStringList>("options");

    QTest::newRow("default threshold 100") << QStringLiteral("logo.png") << 100 << false << QStringList();
    QTest::newRow("threshold 128") << QStringLiteral("logo.png") << 128 << false
                                   << QStringList{QStringLiteral("--threshold"), QStringLiteral("128")};
    QTest::newRow("threshold 0 and reverse") << QStringLiteral("logo.png") << 0 << true
                                             << QStringList{QStringLiteral("--threshold=0"), QStringLiteral("--reverse")};
    QTest::newRow("threshold 255") << QStringLiteral("logo.png") << 255 << false
                                   << QStringList{QStringLiteral("--threshold=255")};
    QTest::newRow("JPEG, reverse") << QStringLiteral("photo.jpg") << 90 << true
                                   << QStringList{QStringLiteral("--reverse"), QStringLiteral("--threshold=90")};
    QTest::newRow("height not a multiple of 8") << QStringLiteral("odd.png") << 100 << false << QStringList();
}

void TestCli::sameBytesAsTheWindow()
{
    QFETCH(QString, file);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    QFETCH(QStringList, options);

    if (file == QLatin1String("photo.jpg")) {
        QImage photo = logoImage(64, 40).convertToFormat(QImage::Format_RGB32);
        fixture(file, encoded(photo, "jpeg", 90));
    } else if (file == QLatin1String("odd.png")) {
        fixture(file, png::fromImage(logoImage(13, 11), 6));
    }
    const QString path = dir_.filePath(file);
    const QByteArray expected = windowText(path, threshold, reverse);
    QVERIFY(expected.startsWith("OBM\xC2\xB6"));
    QVERIFY(expected.endsWith("CBM\xC2\xB6")); // no newline after the last line mark

    const CliResult result = runCli(options + QStringList{path});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.out, expected);
}

void TestCli::loadFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // written to `name`, unless it is "-" (then fed on stdin)
    QTest::addColumn<QString>("reason");

    const QByteArray good = png::fromImage(logoImage(40, 30), 6);
    QTest::newRow("missing file") << "missing.png" << QByteArray() << QStringLiteral("there is no such file");
    QTest::newRow("empty file") << "empty.png" << QByteArray("") << QStringLiteral("the file is empty");
    QTest::newRow("truncated PNG, whose error libpng prints itself")
        << "cut.png" << good.left(good.size() / 2) << QStringLiteral("the PNG picture data is damaged or incomplete");
    QTest::newRow("PNG header cut short") << "head.png" << good.left(16) << QStringLiteral("the PNG header is damaged or incomplete");
    QTest::newRow("PNG with a broken header checksum")
        << "crc.png" << good.left(29) + char(good[29] ^ 1) + good.mid(30) << QStringLiteral("the PNG header is damaged or incomplete");
    QTest::newRow("GIF named .png") << "gif.png" << gif() << QStringLiteral("not a PNG or JPEG picture");
    QTest::newRow("width 32768") << "wide.png" << png::declaring(32768, 2) << QStringLiteral("the picture is 32768x2 pixels; Width/Height needs to be in the range 1-32767");
    QTest::newRow("garbage on standard input") << "-" << QByteArray("not a picture")
                                               << QStringLiteral("not a PNG or JPEG picture");
    QTest::newRow("truncated PNG on standard input") << "-" << good.left(good.size() - 40)
                                                     << QStringLiteral("the PNG picture data is damaged or incomplete");
}

void TestCli::loadFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    QString argument = name;
    QByteArray input;
    if (name == QLatin1String("-"))
        input = bytes;
    else if (!bytes.isNull())
        argument = fixture(name, bytes);
    else
        argument = dir_.filePath(name);

    const CliResult result = runCli({argument}, input);
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QString::fromUtf8(result.err), oneLine(argument, reason));
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");

    const QString logo = QStringLiteral("@logo");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus"), logo} << "Unknown option 'bogus'.";
    QTest::newRow("no IMAGE") << QStringList{QStringLiteral("--reverse")} << "no IMAGE given";
    QTest::newRow("two IMAGEs") << QStringList{logo, logo} << "only one IMAGE, not 2";
    auto thresholdRow = [&](const char *name, const QString &value) {
        QTest::newRow(name) << QStringList{QStringLiteral("--threshold"), value, logo}
                            << QStringLiteral("the threshold must be a whole number from 0 to 255 or auto, not '%1'").arg(value);
    };
    thresholdRow("threshold not a number", QStringLiteral("abc"));
    thresholdRow("threshold 256", QStringLiteral("256"));
    thresholdRow("threshold negative", QStringLiteral("-1"));
    thresholdRow("threshold with a fraction", QStringLiteral("1.5"));
    thresholdRow("threshold with a plus sign", QStringLiteral("+5"));
    thresholdRow("threshold with a space", QStringLiteral(" 7"));
    thresholdRow("threshold empty", QString());
    thresholdRow("threshold in hex", QStringLiteral("0x10"));
    QTest::newRow("threshold without its value") << QStringList{logo, QStringLiteral("--threshold")}
                                                 << "Missing value after '--threshold'.";
    QTest::newRow("--output without a name") << QStringList{QStringLiteral("--output="), logo}
                                             << "--output needs a file name";
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    arguments.replaceInStrings(QStringLiteral("@logo"), logo_);

    const CliResult result = runCli(arguments);
    verifyUsageError(result, reason);
}

void TestCli::helpAndVersion()
{
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("--help-all")}) {
        const CliResult help = runCli({option});
        QCOMPARE(help.exitCode, 0);
        QCOMPARE(help.err, QByteArray());
        QVERIFY(help.out.contains("--threshold <N|auto>"));
        QVERIFY(help.out.contains("--reverse"));
        QVERIFY(help.out.contains("--output <FILE>"));
        QVERIFY(help.out.contains("--preview <OUT.png>"));
    }

    const CliResult version = runCli({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("plovan-cli ") + plovan::kVersion + '\n');
}

void TestCli::outputFile()
{
    const QString out = dir_.filePath(QStringLiteral("text.txt"));
    writeFile(out, "an older text that is longer than nothing");
    const CliResult result = runCli({QStringLiteral("--output"), out, logo_});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, QByteArray());
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), windowText(logo_, 100, false));
}

void TestCli::outputLeftAloneOnFailure_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QString>("preview"); // empty: none
    QTest::newRow("no file is created") << false << QString();
    QTest::newRow("an existing file keeps its content") << true << QString();
    QTest::newRow("a preview that cannot be written") << true << QStringLiteral("no/such/folder/out.png");
}

void TestCli::outputLeftAloneOnFailure()
{
    QFETCH(bool, existing);
    QFETCH(QString, preview);

    const QString out = dir_.filePath(QStringLiteral("kept-%1.txt").arg(QTest::currentDataTag()));
    if (existing)
        writeFile(out, "keep me");
    QStringList arguments{QStringLiteral("--output"), out};
    QString image = dir_.filePath(QStringLiteral("absent.png"));
    if (!preview.isEmpty()) {
        arguments << QStringLiteral("--preview") << dir_.filePath(preview);
        image = logo_;
    }
    const CliResult result = runCli(arguments + QStringList{image});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err.count('\n'), 1);
    QCOMPARE(QFile::exists(out), existing);
    if (existing) {
        QFile kept(out);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("keep me"));
    }
    // QSaveFile leaves no temporary file behind either.
    const QString outName = QFileInfo(out).fileName();
    const QStringList left = QDir(dir_.path()).entryList({outName + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    QCOMPARE(left.size(), existing ? 1 : 0);
}

void TestCli::standardInput()
{
    QFile logo(logo_);
    QVERIFY(logo.open(QIODevice::ReadOnly));
    const CliResult result = runCli({QStringLiteral("--threshold"), QStringLiteral("150"), QStringLiteral("-")},
                                    logo.readAll());
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, windowText(logo_, 150, false));
}

void TestCli::preview()
{
    const QString out = dir_.filePath(QStringLiteral("preview.png"));
    const CliResult result = runCli({QStringLiteral("--preview"), out, QStringLiteral("--threshold=140"), logo_});
    QCOMPARE(result.exitCode, 0);
    PictureRef destPix;
    QCOMPARE(result.out, windowText(logo_, 140, false, &destPix));
    QImageReader reader(out, "png");
    const QImage written = reader.read();
    QVERIFY2(!written.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), destPix->image());
}

void TestCli::ignoresQtAllocationLimitVariable()
{
    // 2000 x 1000 is 7.6 MiB decoded; Qt alone would refuse it under a 1 MiB limit.
    PngFixture spec;
    spec.width = 2000;
    spec.height = 1000;
    spec.samples = [](int x, int y) { return QList<int>{x % 256, y % 256, 7}; };
    const QString path = fixture(QStringLiteral("big.png"), png::file(spec));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_IMAGEIO_MAXALLOC"), QStringLiteral("1"));
    const CliResult result = runCli({path}, {}, environment);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    // Every line mark is two bytes in UTF-8: the open and close lines and two per band.
    QCOMPARE(result.out.size(), qsizetype(logotext::length(2000, 1000)) + 2 + 2 * 125);
}

void TestCli::outOfMemoryIsOneLine()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves more address space than any limit this test sets");
#elif !defined(Q_OS_UNIX)
    QSKIP("Runs under an address-space limit (setrlimit), which Windows does not have");
#else
    // 30000 x 30000 needs 3.6 GB decoded; the child gets 2 GiB of address space.
    const QString path = fixture(QStringLiteral("huge.png"), png::declaring(30000, 30000));
    const CliResult result = runCli({path}, {}, QProcessEnvironment::systemEnvironment(), [] {
        const rlimit limit{rlim_t(2) << 30, rlim_t(2) << 30};
        setrlimit(RLIMIT_AS, &limit);
    });
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QString::fromUtf8(result.err), oneLine(path, QStringLiteral("not enough memory for a picture of 30000x30000 pixels")));
#endif
}

// An installation without Qt's JPEG plugin (a Windows folder put together by hand, a
// distribution's package split) reads PNG still, and says of a JPEG that the decoder is
// missing, not that the file is damaged. A copy of plovan-cli beside a qt.conf that points
// its plugins at an empty folder stands in for it.
void TestCli::missingDecoderIsNamed()
{
    QTemporaryDir installation;
    QVERIFY(installation.isValid());
    const QString program = installation.filePath(QFileInfo(QStringLiteral(PLOVAN_CLI_PATH)).fileName());
    QVERIFY(QFile::copy(QStringLiteral(PLOVAN_CLI_PATH), program));
    QVERIFY(QDir(installation.path()).mkdir(QStringLiteral("no-plugins")));
    writeFile(installation.filePath(QStringLiteral("qt.conf")), "[Paths]\nPlugins = no-plugins\n");
    QImage picture = logoImage(24, 16).convertToFormat(QImage::Format_RGB32);
    const QString jpeg = fixture(QStringLiteral("undecodable.jpg"), encoded(picture, "jpeg", 90));
    const QString png = fixture(QStringLiteral("decodable.png"), encoded(picture, "png"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_PLUGIN_PATH"));
    auto run = [&](const QString &path) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {path});
        if (!process.waitForFinished(60000))
            qFatal("the copy of plovan-cli did not finish: %s", qPrintable(process.errorString()));
        return CliResult{process.exitCode(), process.exitStatus(), process.readAllStandardOutput(), process.readAllStandardError()};
    };

    const CliResult fromJpeg = run(jpeg);
    QCOMPARE(QString::fromUtf8(fromJpeg.err),
             oneLine(jpeg, QStringLiteral("this installation has no JPEG decoder (Qt's image plugin for JPEG is missing)")));
    QCOMPARE(fromJpeg.exitCode, 1);
    QCOMPARE(fromJpeg.out, QByteArray());

    const CliResult fromPng = run(png);
    QCOMPARE(fromPng.err, QByteArray());
    QCOMPARE(fromPng.exitCode, 0);
    QVERIFY(fromPng.out.startsWith("OBM\xC2\xB6"));
}

void TestCli::outOfMemoryAfterTheLoad_data()
{
    QTest::addColumn<bool>("toFiles"); // --output and --preview, or standard output
    QTest::newRow("text on standard output") << false;
    QTest::newRow("text and preview into files") << true;
}

// Under every address-space limit from just enough to 16 MiB less, one per MiB, the run
// either succeeds in full or ends like a refused load: one line, exit 1, nothing on
// standard output and no output file touched. Those 16 MiB take in every step after the
// decoding: the working picture, redraw, the 2 MiB text, the preview and the output.
void TestCli::outOfMemoryAfterTheLoad()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves more address space than any limit this test sets");
#elif !defined(Q_OS_UNIX)
    QSKIP("Runs under an address-space limit (setrlimit), which Windows does not have");
#else
    QFETCH(bool, toFiles);
    QImage picture(2048, 2048, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb((x * 7) & 255, (y * 3) & 255, (x ^ y) & 255);
    }
    const QString path = dir_.filePath(QStringLiteral("memory.png"));
    if (!QFile::exists(path))
        writeFile(path, encoded(picture, "png"));
    const QString out = dir_.filePath(QStringLiteral("memory.txt"));
    const QString preview = dir_.filePath(QStringLiteral("memory-preview.png"));
    const QStringList arguments = toFiles ? QStringList{QStringLiteral("--output"), out, QStringLiteral("--preview"), preview, path}
                                          : QStringList{path};
    const QByteArray fullText = windowText(path, 100, false);
    const QByteArray earlier("an earlier text that must stay when a run fails");
    auto underLimit = [&](qint64 mib) {
        writeFile(out, earlier);
        QFile::remove(preview);
        return runCli(arguments, {}, QProcessEnvironment::systemEnvironment(), [mib] {
            const rlimit limit{rlim_t(mib) << 20, rlim_t(mib) << 20};
            setrlimit(RLIMIT_AS, &limit);
        });
    };
    auto succeeded = [&](const CliResult &result) { return result.status == QProcess::NormalExit && result.exitCode == 0; };

    // The least limit under which the whole run succeeds, to the MiB.
    qint64 refusedAt = 16, enough = 4096;
    QVERIFY2(succeeded(underLimit(enough)), "the run needs more than 4 GiB of address space");
    while (enough - refusedAt > 1) {
        const qint64 middle = (refusedAt + enough) / 2;
        (succeeded(underLimit(middle)) ? enough : refusedAt) = middle;
    }

    int failures = 0;
    for (qint64 mib = enough; mib > enough - 16; --mib) {
        const CliResult result = underLimit(mib);
        const QString at = QStringLiteral("under %1 MiB: exit %2, %3").arg(mib).arg(result.exitCode).arg(QString::fromUtf8(result.err));
        QVERIFY2(result.status == QProcess::NormalExit, qPrintable(at));
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray fileText = written.readAll();
        if (result.exitCode == 0) {
            QVERIFY2(result.err.isEmpty(), qPrintable(at));
            QVERIFY2((toFiles ? fileText : result.out) == fullText, qPrintable(at));
            continue;
        }
        ++failures;
        QVERIFY2(result.exitCode == 1, qPrintable(at));
        QCOMPARE(QString::fromUtf8(result.err), oneLine(path, QStringLiteral("not enough memory for a picture of 2048x2048 pixels")));
        QVERIFY2(result.out.isEmpty(), qPrintable(at));
        QVERIFY2(fileText == earlier, qPrintable(at));
        if (QFile::exists(preview)) // written in full before the text ran out
            QCOMPARE(QImageReader(preview).size(), QSize(2048, 2048));
    }
    QVERIFY2(failures > 0, "no limit in the range made the run fail");
#endif
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
