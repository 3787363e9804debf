// plovan-cli --check reads no more than the longest logo data text and one byte, whatever it
// is given: a file (sparse, so it costs no disk), a named pipe, standard input, a device
// without end. It runs under an address-space limit that leaves room for the longest text
// and not for much more, so a reader without that bound ends in "not enough memory" (or
// worse) rather than in the answer this expects.
#include "LongestText.h"
#include "PictureMaker.h"
#include "support/CreatedText.h"
#include "support/FixtureFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// The program itself takes about 70 MiB of address space; the longest text 256 MiB more.
constexpr rlim_t kAddressSpace = rlim_t(1) << 30;

// The summary counts the rows of the bands: 4096 x 8.
const QByteArray kLongestLine = "32767x32768 dots, 4096 bands, 268447752 characters, 4099.9x4100.0 mm at 203 dpi\n";

struct Run {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// plovan-cli --check NAME under the limit; standard input comes from `input` when given.
Run checkUnderLimit(const QString &name, const QString &input)
{
    QProcess process;
    process.setChildProcessModifier([] {
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = kAddressSpace;
        setrlimit(RLIMIT_AS, &limit);
    });
    if (!input.isEmpty())
        process.setStandardInputFile(input);
    process.start(QStringLiteral(PLOVAN_CLI_PATH), {QStringLiteral("--check"), name});
    if (!process.waitForStarted())
        qFatal("plovan-cli did not start: %s", qPrintable(process.errorString()));
    if (input.isEmpty())
        process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        qFatal("plovan-cli did not finish");
    return {process.exitStatus(), process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

enum class Source { SparseFile, NamedPipe, StandardInput, ZeroDevice };

class TestCliCheckBounds : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void bounds_data();
    void bounds();
    void previewUnderMemoryLimits();
    void cleanupTestCase();

private:
    QTemporaryDir dir_;
};

void TestCliCheckBounds::bounds_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<qint64>("extra"); // bytes past the longest text; -1: without end
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("err"); // %1: the name given
    const QString tooLarge = QStringLiteral("plovan-cli: cannot read '%1': the file is larger than any logo data text\n");
    const QString zeros = QStringLiteral("plovan-cli: '%1' is not logo data text: line 1, column 1: the text does not "
                                         "start with the opening line \"OBM¶\"\n");
    QTest::newRow("sparse file, the longest text's size") << Source::SparseFile << qint64(0) << QByteArray() << zeros;
    QTest::newRow("sparse file, one byte more") << Source::SparseFile << qint64(1) << QByteArray() << tooLarge;
    QTest::newRow("sparse file of 1 TiB") << Source::SparseFile << (qint64(1) << 40) << QByteArray() << tooLarge;
    for (const auto &[source, name] : {std::pair{Source::NamedPipe, "named pipe"}, std::pair{Source::StandardInput, "standard input"}}) {
        QTest::addRow("%s, the longest text", name) << source << qint64(0) << kLongestLine << QString();
        QTest::addRow("%s, one byte more", name) << source << qint64(1) << QByteArray() << tooLarge;
        QTest::addRow("%s without end", name) << source << qint64(-1) << QByteArray() << tooLarge;
    }
    QTest::newRow("a zero device") << Source::ZeroDevice << qint64(-1) << QByteArray() << tooLarge;
}

// The longest text is read and checked; one byte more, from a file whose size tells or from
// a pipe that does not, is refused as larger than any text, and so is a source without end.
void TestCliCheckBounds::bounds()
{
    QFETCH(Source, source);
    QFETCH(qint64, extra);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    const QString path = dir_.filePath(QStringLiteral("source"));
    QFile::remove(path);
    std::unique_ptr<longesttext::PipeFeeder> feeder;
    switch (source) {
    case Source::SparseFile: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(longesttext::kBytes + extra));
        break;
    }
    case Source::NamedPipe:
    case Source::StandardInput:
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        feeder = std::make_unique<longesttext::PipeFeeder>(path, extra);
        break;
    case Source::ZeroDevice:
        if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
            QSKIP("making a device node takes root");
        break;
    }
    const bool fromInput = source == Source::StandardInput;
    const QString name = fromInput ? QStringLiteral("-") : path;
    const Run run = checkUnderLimit(name, fromInput ? path : QString());
    feeder.reset();
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(run.err), err.isEmpty() ? QString() : err.arg(name));
    QCOMPARE(run.out, out);
    QCOMPARE(run.exitCode, out.isEmpty() ? 1 : 0);
}

// --check TEXT --preview OUT.png under every address-space limit from just enough down by
// 64 KiB steps over 4 MiB, which take in the PNG encoder's own allocations: the run either
// writes the whole preview or ends in one line, exit 1, with the old preview kept; it never
// dies of an uncaught std::bad_alloc.
void TestCliCheckBounds::previewUnderMemoryLimits()
{
    using namespace plovan;
    QRandomGenerator random(16);
    const PictureRef picture =
        testpictures::filled(2048, 2048, [&](int, int) { return random.bounded(2) ? kBlack : kWhite; });
    const QString text = dir_.filePath(QStringLiteral("big.txt"));
    testsupport::writeFile(text, testsupport::logoTextOf(picture).toUtf8());
    const QString preview = dir_.filePath(QStringLiteral("big-preview.png"));
    const QByteArray earlier("an earlier preview");
    auto underLimit = [&](qint64 kib) {
        testsupport::writeFile(preview, earlier);
        QProcess process;
        process.setChildProcessModifier([kib] {
            const rlimit limit{rlim_t(kib) << 10, rlim_t(kib) << 10};
            setrlimit(RLIMIT_AS, &limit);
        });
        process.start(QStringLiteral(PLOVAN_CLI_PATH), {QStringLiteral("--check"), text, QStringLiteral("--preview"), preview});
        if (!process.waitForFinished(60000))
            qFatal("plovan-cli did not finish");
        return Run{process.exitStatus(), process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    };
    auto succeeded = [](const Run &run) { return run.status == QProcess::NormalExit && run.exitCode == 0; };

    qint64 refused = 16 << 10, enough = 4 << 20; // KiB
    QVERIFY2(succeeded(underLimit(enough)), "the run needs more than 4 GiB of address space");
    while (enough - refused > 64) {
        const qint64 middle = (refused + enough) / 2;
        (succeeded(underLimit(middle)) ? enough : refused) = middle;
    }
    int failures = 0;
    for (qint64 kib = enough; kib > enough - (4 << 10); kib -= 64) {
        const Run run = underLimit(kib);
        const QString at = QStringLiteral("under %1 KiB: exit %2, %3").arg(kib).arg(run.exitCode).arg(QString::fromUtf8(run.err));
        QVERIFY2(run.status == QProcess::NormalExit, qPrintable(at));
        QFile written(preview);
        QVERIFY(written.open(QIODevice::ReadOnly));
        if (run.exitCode == 0) {
            QVERIFY2(run.err.isEmpty(), qPrintable(at));
            QCOMPARE(QImageReader(preview).size(), QSize(2048, 2048));
            continue;
        }
        ++failures;
        QVERIFY2(run.exitCode == 1 && run.err.count('\n') == 1 && run.err.startsWith("plovan-cli: "), qPrintable(at));
        QVERIFY2(run.out.isEmpty(), qPrintable(at));
        QVERIFY2(written.readAll() == earlier, qPrintable(at));
    }
    QVERIFY2(failures > 0, "no limit in the range made the run fail");
}

void TestCliCheckBounds::cleanupTestCase()
{
    // A figure, not a pass mark: what the largest of the runs kept in memory at most.
    rusage usage{};
    if (getrusage(RUSAGE_CHILDREN, &usage) == 0)
        qInfo("largest peak of resident memory among the runs: %ld MiB", usage.ru_maxrss / 1024);
}

int main(int argc, char **argv)
{
#if defined(__SANITIZE_ADDRESS__)
    // Reported to ctest as not run (SKIP_RETURN_CODE), never as passed.
    std::fprintf(stderr, "AddressSanitizer reserves terabytes of address space: no address-space limit "
                         "means anything in this build\n");
    return 77;
#endif
    QCoreApplication app(argc, argv);
    TestCliCheckBounds test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cli_check_bounds.moc"

#else

// Every case here runs plovan-cli under an address-space limit (setrlimit), a POSIX call.
int main()
{
    // Reported to ctest as not run (SKIP_RETURN_CODE), never as passed.
    std::fprintf(stderr, "skipped: every case runs plovan-cli under an address-space limit (setrlimit), which Windows does not have\n");
    return 77;
}

#endif
