// Running out of memory, safely. A child process (this test run again with --child-load)
// lowers its address-space limit with setrlimit(RLIMIT_AS) and loads a picture into a
// window that already shows one: it must refuse with a message and leave the window as it
// was, or load; it must never crash. (The peak memory of big pictures is a figure, not a
// pass mark: bench/bench_memory prints it.)
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "platform/PictureFile.h"
#include "support/FixtureFiles.h"
#include "support/PngFiles.h"
#include "support/WindowRecorder.h"
#include "support/LoadReasons.h"
#include "support/ProcessMemory.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#if defined(Q_OS_UNIX)
#include <sys/resource.h>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// --child-load FILE SPARE_MIB: the window shows a small picture and its text; with
// SPARE_MIB of address space left, FILE is loaded. Prints the outcome and whether the
// window is as it was.
int childLoad(const QString &path, qint64 spareMiB)
{
    // The decoders' plugins and tables before the limit, so the limit falls on the picture.
    warmUpDecoders();
    ConversionState state;
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
        std::printf("refused %s\n", window.errors.isEmpty() ? "(no message)" : qPrintable(plovan::testsupport::describe(window.errors.first().reason)));
        const QString changed = WindowSnapshot::take(state, window).differencesFrom(before);
        std::printf("window %s\n", changed.isEmpty() ? "unchanged" : qPrintable(QStringLiteral("changed: ") + changed));
    }
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
    return line == QStringLiteral("refused ") + testsupport::describe(picturefile::notEnoughMemory(width, height))
        || line == QStringLiteral("refused ") + testsupport::describe(picturefile::notEnoughMemoryToRead());
}

} // namespace

class MemoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void refusedOrLoadedUnderLimit_data();
    void refusedOrLoadedUnderLimit();

private:
    QString fixture(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir_;
};

void MemoryTest::initTestCase()
{
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
        if (outcome == QStringLiteral("refused ") + testsupport::describe(picturefile::damagedData("JPEG")))
            QEXPECT_FAIL("", "libjpeg running out of its own memory (\"Insufficient memory\") is reported as damaged data",
                         Continue);
        QVERIFY2(isMemoryRefusal(outcome, width, height), qPrintable(child.output));
    }
}

int main(int argc, char **argv)
{
#if defined(__SANITIZE_ADDRESS__)
    // Reported to ctest as not run (SKIP_RETURN_CODE), never as passed.
    std::fprintf(stderr, "AddressSanitizer reserves terabytes of address space: no address-space limit "
                         "means anything in this build\n");
    return 77;
#endif
    if (argc == 4 && qstrcmp(argv[1], "--child-load") == 0) {
        QCoreApplication app(argc, argv);
        return childLoad(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    }
    QCoreApplication app(argc, argv);
    MemoryTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_memory.moc"

#else

// Every case here runs under an address-space limit (setrlimit), a POSIX call.
int main()
{
    // Reported to ctest as not run (SKIP_RETURN_CODE), never as passed.
    std::fprintf(stderr, "skipped: every case runs under an address-space limit (setrlimit), which Windows does not have\n");
    return 77;
}

#endif
