// Running out of memory, safely. A child process (this test run again with --child)
// lowers its address-space limit with setrlimit(RLIMIT_AS) and loads a picture into a
// window that already shows one: it must refuse with a message and leave the window as it
// was, or load; it must never crash. A second kind of child loads, converts and encodes
// big pictures with no limit and reports its peak memory, printed next to the bound
// W x H x (decoded bytes per pixel + 4) + 6 x text length + 64 MiB.
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/ImageLoader.h"
#include "platform/PictureFile.h"
#include "support/FixtureFiles.h"
#include "support/PngFiles.h"
#include "support/WindowRecorder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/resource.h>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// A field of /proc/self/status in KiB ("VmSize", "VmRSS", "VmHWM").
qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    // readAll: a /proc file reports size 0, so atEnd() is true before the first read.
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).simplified().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts the peak (VmHWM) over from the present resident size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Decoding needs the JPEG plugin and the decoders' own tables: load them before the
// limit, so the limit falls on the picture and not on the program's start.
void warmUp()
{
    QImage tiny(8, 8, QImage::Format_RGB32);
    tiny.fill(Qt::gray);
    for (const char *format : {"png", "jpeg"}) {
        QByteArray bytes = encoded(tiny, format, 90);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        (void)openPicture(&buffer);
    }
}

// --child-load FILE SPARE_MIB: the window shows a small picture and its text; with
// SPARE_MIB of address space left, FILE is loaded. Prints the outcome and whether the
// window is as it was.
int childLoad(const QString &path, qint64 spareMiB)
{
    warmUp();
    WindowState state;
    WindowRecorder window;
    PictureRef earlier = makePicture(3, 2);
    commitLoad(state, window, {earlier, makePicture(3, 2)});
    state.threshold = 180;
    redraw(state, window);
    createLogoText(state, window);
    const WindowSnapshot before = WindowSnapshot::take(state, window);

    const qint64 sizeKiB = statusKiB("VmSize");
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = rlim_t((sizeKiB << 10) + (spareMiB << 20));
    if (sizeKiB < 0 || setrlimit(RLIMIT_AS, &limit) != 0) {
        std::printf("cannot set the limit\n");
        return 3;
    }
    const bool loaded = loadFile(state, window, path);
    if (loaded) {
        std::printf("loaded %dx%d\n", state.pix->Width(), state.pix->Height());
    } else {
        std::printf("refused %s\n", window.errors.isEmpty() ? "(no message)" : qPrintable(window.errors.first().reason));
        const QString changed = WindowSnapshot::take(state, window).differencesFrom(before);
        std::printf("window %s\n", changed.isEmpty() ? "unchanged" : qPrintable(QStringLiteral("changed: ") + changed));
    }
    return 0;
}

// --child-measure FILE: loads, converts and encodes FILE as plovan-cli does and prints the
// peak resident memory at each step.
int childMeasure(const QString &path)
{
    warmUp();
    resetPeak();
    const qint64 baseline = statusKiB("VmRSS");
    WindowState state;
    WindowRecorder window;
    if (!loadFile(state, window, path)) {
        std::printf("refused %s\n", qPrintable(window.errors.value(0).reason));
        return 1;
    }
    const qint64 afterLoad = statusKiB("VmHWM");
    HeadlessView view;
    redraw(state, view);
    const qint64 afterRedraw = statusKiB("VmHWM");
    createLogoText(state, view);
    const qint64 afterCreate = statusKiB("VmHWM");
    std::printf("baseline %lld load %lld redraw %lld create %lld text %lld\n", baseline, afterLoad, afterRedraw,
                afterCreate, static_cast<long long>(view.text().size()));
    return 0;
}

struct ChildResult {
    int exitCode = -1;
    bool crashed = false;
    QString output;
};

ChildResult runChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    ChildResult result;
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        result.output = QStringLiteral("(did not finish in 120 s)");
        result.crashed = true;
        return result;
    }
    result.crashed = child.exitStatus() == QProcess::CrashExit;
    result.exitCode = child.exitCode();
    result.output = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
    if (result.crashed || result.exitCode != 0)
        result.output += QStringLiteral("\n[stderr] ") + QString::fromUtf8(child.readAllStandardError()).right(2000);
    return result;
}

// Sizes that the loader names in a memory refusal.
bool isMemoryRefusal(const QString &line, int width, int height)
{
    return line == QStringLiteral("refused ") + picturefile::notEnoughMemory(width, height)
        || line == QStringLiteral("refused not enough memory to read the file");
}

} // namespace

class MemoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void refusedOrLoadedUnderLimit_data();
    void refusedOrLoadedUnderLimit();
    void peakMemory_data();
    void peakMemory();

private:
    QString fixture(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir_;
};

void MemoryTest::initTestCase()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves terabytes of address space and adds its own to every allocation: "
          "neither an address-space limit nor a peak means anything in this build");
#endif
    QVERIFY(dir_.isValid());
}

QString MemoryTest::fixture(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

namespace {

QImage photo(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgba((x * 7) & 255, (y * 3) & 255, ((x + y) / 16) & 255, 128 + ((x ^ y) & 127));
    }
    return image.convertToFormat(format);
}

} // namespace

void MemoryTest::refusedOrLoadedUnderLimit_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("spareMiB");
    QTest::addColumn<bool>("mustRefuse"); // far less than the picture needs

    // 3000 x 2000: 24 MiB decoded as 32-bit, 24 MiB working picture. Every limit from far
    // too little to plenty: each step must end in a refusal with a message or a load.
    const QImage picture = photo(3000, 2000, QImage::Format_RGB32);
    const QString jpeg = fixture(QStringLiteral("photo.jpg"), encoded(picture, "jpeg", 80));
    for (int spare : {4, 8, 16, 24, 32, 40, 48, 56, 64, 96, 128, 256})
        QTest::addRow("3000x2000 JPEG with %d MiB to spare", spare) << jpeg << 3000 << 2000 << spare << (spare <= 16);
    // A progressive JPEG: the decoder also keeps every coefficient of the picture.
    const QString progressive = fixture(QStringLiteral("progressive.jpg"), encoded(picture, "jpeg", 80, true));
    for (int spare : {8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 96, 256})
        QTest::addRow("3000x2000 progressive JPEG with %d MiB to spare", spare) << progressive << 3000 << 2000 << spare << (spare <= 16);
    // A grey PNG: decoded at 1 byte per pixel, then widened to 4 beside it.
    const QString grey = fixture(QStringLiteral("grey.png"), encoded(photo(3000, 2000, QImage::Format_Grayscale8), "png", 90));
    for (int spare : {8, 24, 40, 64, 256})
        QTest::addRow("3000x2000 grey PNG with %d MiB to spare", spare) << grey << 3000 << 2000 << spare << (spare <= 16);
    // A 16-bit RGBA PNG: 8 bytes per pixel decoded, narrowed in place.
    const QString deep = fixture(QStringLiteral("deep.png"), encoded(photo(1500, 1000, QImage::Format_RGBA64), "png", 90));
    for (int spare : {4, 8, 12, 16, 32, 128})
        QTest::addRow("1500x1000 16-bit RGBA PNG with %d MiB to spare", spare) << deep << 1500 << 1000 << spare << (spare <= 4);
    // A header that asks for 4 GiB, with one row of data behind it.
    const QString liar = fixture(QStringLiteral("liar.png"), png::withOneRow(32767, 32767, 8, 6));
    QTest::newRow("32767x32767 RGBA header with 1 GiB to spare") << liar << 32767 << 32767 << 1024 << true;
}

void MemoryTest::refusedOrLoadedUnderLimit()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, spareMiB);
    QFETCH(bool, mustRefuse);

    const ChildResult child = runChild({QStringLiteral("--child-load"), path, QString::number(spareMiB)});
    QVERIFY2(!child.crashed && child.exitCode == 0, qPrintable(child.output));
    const QStringList lines = child.output.split(QLatin1Char('\n'));
    const QString outcome = lines.value(0);
    qInfo("%s", qPrintable(outcome));
    if (outcome.startsWith(QLatin1String("loaded"))) {
        QVERIFY2(!mustRefuse, qPrintable(outcome));
        QCOMPARE(outcome, QStringLiteral("loaded %1x%2").arg(width).arg(height));
    } else {
        QCOMPARE(lines.value(1), QStringLiteral("window unchanged"));
        if (outcome == QStringLiteral("refused ") + picturefile::damagedData("JPEG"))
            QEXPECT_FAIL("", "libjpeg running out of its own memory (\"Insufficient memory\") is reported as damaged data",
                         Continue);
        QVERIFY2(isMemoryRefusal(outcome, width, height), qPrintable(child.output));
    }
}

void MemoryTest::peakMemory_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("4000x3000 JPEG") << fixture(QStringLiteral("big.jpg"), encoded(photo(4000, 3000, QImage::Format_RGB32), "jpeg", 85))
                                    << 4000 << 3000;
    QTest::newRow("4096x4096 grey PNG") << fixture(QStringLiteral("big-grey.png"), encoded(photo(4096, 4096, QImage::Format_Grayscale8), "png", 90))
                                        << 4096 << 4096;
    QImage bigGrey(8192, 8192, QImage::Format_Grayscale8);
    for (int y = 0; y < bigGrey.height(); ++y) {
        uchar *line = bigGrey.scanLine(y);
        for (int x = 0; x < bigGrey.width(); ++x)
            line[x] = uchar((x ^ y) >> 5);
    }
    QTest::newRow("8192x8192 grey PNG") << fixture(QStringLiteral("huge-grey.png"), encoded(bigGrey, "png", 90)) << 8192 << 8192;
    QTest::newRow("3000x3000 RGBA PNG") << fixture(QStringLiteral("big-rgba.png"), encoded(photo(3000, 3000, QImage::Format_ARGB32), "png", 90))
                                        << 3000 << 3000;
    QTest::newRow("2048x2048 16-bit RGBA PNG") << fixture(QStringLiteral("big-deep.png"), encoded(photo(2048, 2048, QImage::Format_RGBA64), "png", 90))
                                               << 2048 << 2048;
}

// Figures, not a pass mark: the bound is printed beside what was measured.
void MemoryTest::peakMemory()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);

    const ChildResult child = runChild({QStringLiteral("--child-measure"), path});
    QVERIFY2(!child.crashed && child.exitCode == 0, qPrintable(child.output));
    const QStringList fields = child.output.split(QLatin1Char(' '));
    QCOMPARE(fields.size(), 10);
    const qint64 baseline = fields[1].toLongLong() << 10, load = fields[3].toLongLong() << 10;
    const qint64 redrawPeak = fields[5].toLongLong() << 10, createPeak = fields[7].toLongLong() << 10;
    const qint64 text = fields[9].toLongLong();
    QCOMPARE(text, logotext::length(width, height));

    const int decodedBytes = QImage::toPixelFormat(QImageReader(path).imageFormat()).bitsPerPixel() / 8;
    const qint64 pixels = qint64(width) * height;
    const qint64 bound = pixels * (decodedBytes + 4) + 6 * text + (qint64(64) << 20);
    // The loaded picture itself takes 4 bytes per pixel, so a picture decoded narrower
    // (grey, palette) still needs 4 + 4 once converted.
    const qint64 boundLoaded = pixels * (qMax(decodedBytes, 4) + 4) + 6 * text + (qint64(64) << 20);
    const double mib = 1 << 20;
    qInfo("%s: %d byte(s) per decoded pixel; peak %.0f MiB after the load, %.0f after redraw, %.0f after Create "
          "(baseline %.0f), %.2f bytes per pixel above it; bound %.0f MiB (%s), %.0f MiB counting the loaded "
          "picture's 4 bytes (%s)",
          QTest::currentDataTag(), decodedBytes, load / mib, redrawPeak / mib, createPeak / mib, baseline / mib,
          double(createPeak - baseline) / double(pixels), bound / mib, createPeak <= bound ? "within" : "EXCEEDED",
          boundLoaded / mib, createPeak <= boundLoaded ? "within" : "EXCEEDED");
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--child-load") == 0) {
        QCoreApplication app(argc, argv);
        return childLoad(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    }
    if (argc == 3 && qstrcmp(argv[1], "--child-measure") == 0) {
        QCoreApplication app(argc, argv);
        return childMeasure(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    MemoryTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_memory.moc"
