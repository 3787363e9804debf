// plovan-cli --check, run as a user runs it: a separate process, its exit status, its
// standard output and standard error byte for byte, the files it writes.
#include "PictureMaker.h"
#include "support/CliRun.h"
#include "support/CreatedText.h"
#include "support/FixtureFiles.h"
#include "support/PngFiles.h"

#include "conversion/LogoText.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// Random black and white, as redraw leaves a working picture.
PictureRef randomWorkingPicture(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    return testpictures::filled(width, height, [&](int, int) { return random.bounded(2) ? kBlack : kWhite; });
}

} // namespace

class TestCliCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void valid_data();
    void valid();
    void notLogoText_data();
    void notLogoText();
    void cannotRead_data();
    void cannotRead();
    void usageErrors_data();
    void usageErrors();
    void previewOfTheConvertedPicture();
    void previewPadsTheLastBand();
    void checkWhileTheFileChanges();
    void help();

private:
    QString fixture(const QString &name, const QByteArray &bytes);

    QTemporaryDir dir_;
    QString logoText_; // a valid text, 576 x 240
};

QString TestCliCheck::fixture(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    writeFile(path, bytes);
    return path;
}

void TestCliCheck::initTestCase()
{
    QVERIFY(dir_.isValid());
    logoText_ = fixture(QStringLiteral("receipt.txt"), logoTextOf(randomWorkingPicture(576, 240, 80)).toUtf8());
}

void TestCliCheck::valid_data()
{
    QTest::addColumn<QStringList>("arguments"); // "@text" stands for the 576 x 240 text
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("out");
    const QByteArray receipt = "576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi\n";
    QTest::newRow("80 mm receipt logo at 203 dpi") << QStringList{"--check", "@text"} << QByteArray() << receipt;
    QTest::newRow("--dpi 300") << QStringList{"--check", "@text", "--dpi", "300"} << QByteArray()
                               << QByteArray("576x240 dots, 30 bands, 34718 characters, 48.8x20.3 mm at 300 dpi\n");
    QTest::newRow("--dpi=1, the least") << QStringList{"--dpi=1", "--check=@text"} << QByteArray()
                                        << QByteArray("576x240 dots, 30 bands, 34718 characters, 14630.4x6096.0 mm "
                                                      "at 1 dpi\n");
    QTest::newRow("--dpi 2400, the most") << QStringList{"--check", "@text", "--dpi", "2400"} << QByteArray()
                                          << QByteArray("576x240 dots, 30 bands, 34718 characters, 6.1x2.5 mm at "
                                                        "2400 dpi\n");
    QTest::newRow("standard input") << QStringList{"--check", "-"} << QByteArray("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶")
                                    << QByteArray("2x16 dots, 2 bands, 26 characters, 0.3x2.0 mm at 203 dpi\n");
    QTest::newRow("one band") << QStringList{"--check", "-"} << QByteArray("OBM¶BMD¶FF¶CBM¶")
                              << QByteArray("1x8 dots, 1 band, 15 characters, 0.1x1.0 mm at 203 dpi\n");
}

void TestCliCheck::valid()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, out);
    arguments.replaceInStrings(QStringLiteral("@text"), logoText_);
    const CliResult result = runCli(arguments, input);
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, out);
    QCOMPARE(result.exitCode, 0);
}

void TestCliCheck::notLogoText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("where"); // after "is not logo data text: "
    QTest::newRow("line feed at the end, as an editor saves it")
        << QByteArray("OBM¶BMD¶FF¶CBM¶\n")
        << "line 5, column 1: text after the closing line \"CBM¶\", starting with a line feed (U+000A)";
    QTest::newRow("saved in Latin-1") << QByteArray("OBM\xB6")
                                      << "line 1, column 4: the byte B6 is not UTF-8; the text must be saved as "
                                         "UTF-8, where \"¶\" is the bytes C2 B6";
    QTest::newRow("lowercase digit") << QByteArray("OBM¶BMD¶00ff¶CBM¶")
                                     << "line 3, column 3: 'f' is a lowercase hexadecimal digit; the digits must be "
                                        "uppercase (A-F)";
    QTest::newRow("bands of two widths") << QByteArray("OBM¶BMD¶0000¶BMD¶00¶CBM¶")
                                         << "line 5, column 1: the band has 2 digits but the first band has 4; all "
                                            "bands must be equally wide";
    QTest::newRow("empty file") << QByteArray() << "line 1, column 1: the text is empty; logo data text starts with "
                                                   "\"OBM¶\"";
    QTest::newRow("saved as UTF-16") << QByteArray("\xFF\xFEO\0B\0M\0\xB6\0", 10)
                                     << "line 1, column 1: the text is UTF-16; save it as UTF-8";
}

// From a file and from standard input alike: exit 1, nothing on standard output, one line
// on standard error; a preview asked for is not written.
void TestCliCheck::notLogoText()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, where);
    const QString path = fixture(QStringLiteral("bad.txt"), text);
    const QString preview = dir_.filePath(QStringLiteral("bad.png"));
    for (const QString &name : {path, QStringLiteral("-")}) {
        const CliResult result = runCli({"--check", name, "--preview", preview}, text);
        QCOMPARE(result.status, QProcess::NormalExit);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(QString::fromUtf8(result.err),
                 QStringLiteral("plovan-cli: '%1' is not logo data text: %2\n").arg(name, where));
        QVERIFY(!QFile::exists(preview));
    }
}

void TestCliCheck::cannotRead_data()
{
    QTest::addColumn<QString>("name"); // in the temporary folder; "." is the folder itself
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such file") << "missing.txt" << "there is no such file";
    QTest::newRow("a folder") << "." << "it is a folder, not a text file";
}

void TestCliCheck::cannotRead()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString path = name == QLatin1String(".") ? dir_.path() : dir_.filePath(name);
    const CliResult result = runCli({"--check", path});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QString::fromUtf8(result.err), QStringLiteral("plovan-cli: cannot read '%1': %2\n").arg(path, reason));
}

void TestCliCheck::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    auto dpiRow = [](const char *name, const QString &value) {
        QTest::newRow(name) << QStringList{"--check", "@text", "--dpi", value}
                            << QStringLiteral("the dpi must be a whole number from 1 to 2400, not '%1'").arg(value);
    };
    dpiRow("dpi 0", QStringLiteral("0"));
    dpiRow("dpi 2401", QStringLiteral("2401"));
    dpiRow("dpi negative", QStringLiteral("-203"));
    dpiRow("dpi with a fraction", QStringLiteral("203.5"));
    dpiRow("dpi empty", QString());
    QTest::newRow("--dpi without --check") << QStringList{"--dpi", "300", "logo.png"} << "--dpi goes with --check only";
    QTest::newRow("--check and an IMAGE") << QStringList{"--check", "@text", "logo.png"}
                                          << "--check reads a text, not an IMAGE ('logo.png')";
    QTest::newRow("--check with --threshold") << QStringList{"--check", "@text", "--threshold", "128"}
                                              << "--threshold does not go with --check";
    QTest::newRow("--check with --reverse") << QStringList{"--reverse", "--check", "@text"}
                                            << "--reverse does not go with --check";
    QTest::newRow("--check with --output") << QStringList{"--check", "@text", "--output", "out.txt"}
                                           << "--output does not go with --check";
    for (const QString &option : {QStringLiteral("width"), QStringLiteral("max-width"), QStringLiteral("center-on")}) {
        QTest::addRow("--check with --%s", qPrintable(option))
            << QStringList{"--check", "@text", "--" + option, "576"} << "--" + option + " does not go with --check";
    }
    QTest::newRow("--check with --halftone") << QStringList{"--halftone=none", "--check", "@text"}
                                             << "--halftone does not go with --check";
    QTest::newRow("--check without a name") << QStringList{"--check="} << "--check needs a file name";
    QTest::newRow("--check without its value") << QStringList{"--check"} << "Missing value after '--check'.";
}

void TestCliCheck::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    arguments.replaceInStrings(QStringLiteral("@text"), logoText_);
    const CliResult result = runCli(arguments);
    verifyUsageError(result, reason);
}

// The picture read back from a text is the working picture the text was made from: the
// preview of --check and the preview of the conversion are the same file, byte for byte.
void TestCliCheck::previewOfTheConvertedPicture()
{
    QImage image(96, 40, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 5 + y * 11) % 256, (x * y) % 256, (x + 3 * y) % 256));
    const QString picture = fixture(QStringLiteral("logo.png"), png::fromImage(image));
    const QString converted = dir_.filePath(QStringLiteral("converted.png"));
    const QString text = dir_.filePath(QStringLiteral("logo.txt"));
    const CliResult conversion = runCli({"--threshold", "120", "--preview", converted, "--output", text, picture});
    QCOMPARE(conversion.exitCode, 0);

    const QString readBack = dir_.filePath(QStringLiteral("read-back.png"));
    const CliResult check = runCli({"--check", text, "--preview", readBack});
    QCOMPARE(check.err, QByteArray());
    QCOMPARE(check.out, QByteArray("96x40 dots, 5 bands, 993 characters, 12.0x5.0 mm at 203 dpi\n"));
    QCOMPARE(check.exitCode, 0);
    QFile convertedFile(converted);
    QFile readBackFile(readBack);
    QVERIFY(convertedFile.open(QIODevice::ReadOnly) && readBackFile.open(QIODevice::ReadOnly));
    QCOMPARE(readBackFile.readAll(), convertedFile.readAll());
}

// A working picture whose height is not a multiple of 8 comes back with its last band
// filled up with white rows, in black and white only.
void TestCliCheck::previewPadsTheLastBand()
{
    const PictureRef destPix = randomWorkingPicture(33, 13, 13);
    const QByteArray text = logoTextOf(destPix).toUtf8();
    const QString preview = dir_.filePath(QStringLiteral("padded.png"));
    const CliResult result = runCli({"--check", "-", "--preview", preview}, text);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, QByteArray("33x16 dots, 2 bands, 150 characters, 4.1x2.0 mm at 203 dpi\n"));

    QImageReader reader(preview, "png");
    const QImage written = reader.read().convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!written.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(written.size(), QSize(33, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 33; ++x) {
            const QRgb expected = y < 13 ? destPix->image().pixel(x, y) : qRgb(255, 255, 255);
            QCOMPARE(written.pixel(x, y), expected);
        }
    }
}

// The file is rewritten over and over while --check --preview reads it, with two texts of
// different sizes, each rewrite emptying it first: every run ends on its own, never on a
// signal, and a run that finds the text valid writes the picture of the size it names.
void TestCliCheck::checkWhileTheFileChanges()
{
    const QByteArray texts[] = {logoTextOf(randomWorkingPicture(1024, 1024, 21)).toUtf8(),
                                logoTextOf(randomWorkingPicture(600, 400, 22)).toUtf8()};
    QMap<QByteArray, QSize> validLines; // the line each text gives, and its picture's size
    validLines.insert("1024x1024 dots, 128 bands, 262792 characters, 128.1x128.1 mm at 203 dpi\n", {1024, 1024});
    validLines.insert("600x400 dots, 50 bands, 60258 characters, 75.1x50.0 mm at 203 dpi\n", {600, 400});
    const QString path = dir_.filePath(QStringLiteral("changing.txt"));
    const QString preview = dir_.filePath(QStringLiteral("changing.png"));
    for (const QByteArray &text : texts) {
        writeFile(path, text);
        const CliResult steady = runCli({"--check", path});
        QVERIFY2(validLines.contains(steady.out), steady.out.constData());
    }

    std::atomic<bool> stop{false};
    std::thread rewriter([&] {
        QFile file(path);
        for (int i = 0; !stop; ++i) {
            // In place, as an editor that truncates and writes does.
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return;
            file.write(texts[i % 2]);
            file.close();
        }
    });
    QStringList problems;
    int valid = 0;
    for (int run = 0; run < 40; ++run) {
        QFile::remove(preview);
        const CliResult result = runCli({"--check", path, "--preview", preview});
        const QString ending = result.status == QProcess::NormalExit ? QStringLiteral("exit status") : QStringLiteral("signal");
        const QString what = QStringLiteral("run %1: %2 %3, out '%4', err '%5'")
                                 .arg(QString::number(run), ending, QString::number(result.exitCode),
                                      QString::fromUtf8(result.out), QString::fromUtf8(result.err));
        if (result.status != QProcess::NormalExit) {
            problems << what;
        } else if (result.exitCode == 0) {
            ++valid;
            const QSize written = QImageReader(preview, "png").size();
            if (!validLines.contains(result.out) || written != validLines.value(result.out))
                problems << what + QStringLiteral(", preview %1x%2").arg(written.width()).arg(written.height());
        } else if (result.exitCode != 1 || !result.out.isEmpty() || QFile::exists(preview)
                   || !result.err.startsWith("plovan-cli: '" + path.toUtf8() + "' is not logo data text: line ")) {
            problems << what;
        }
    }
    stop = true;
    rewriter.join();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    qInfo("%d of 40 runs found a whole text", valid);
}

void TestCliCheck::help()
{
    const CliResult help = runCli({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--check <TEXTFILE>"));
    QVERIFY(help.out.contains("--dpi <N>"));
    QVERIFY(help.out.contains("at 203 dpi"));
}

QTEST_GUILESS_MAIN(TestCliCheck)
#include "tst_cli_check.moc"
