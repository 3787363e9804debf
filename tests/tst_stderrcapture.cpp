// The capture of standard error around a decode, tried in a child process (this test's
// own executable, told what to do by PLOVAN_STDERR_CHILD): what the decoders print is
// dropped only when the caller says the load came back; whatever ends the process or the
// capture otherwise, a crash or a failed check above all, must reach the real standard
// error.
#include "platform/StderrCapture.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

using namespace plovan;

namespace {

constexpr char kChildMode[] = "PLOVAN_STDERR_CHILD";

[[noreturn]] void overflowHeap()
{
    int *numbers = new int[4];
    volatile int index = 4;
    std::printf("%d\n", numbers[index]);
    delete[] numbers;
    std::abort(); // not reached in a build with AddressSanitizer
}

int childMain(const QByteArray &mode)
{
    std::fputs("before\n", stderr);
    try {
        StderrCapture capture;
        if (!capture.capturing())
            return 99;
        std::fputs("decoder noise\n", stderr);
        qWarning("a decoder's warning");
        if (mode == "drop")
            capture.drop();
        else if (mode == "throw")
            throw std::runtime_error("out of the capture");
        else if (mode == "abort")
            std::abort();
        else if (mode == "fatal")
            qFatal("a check failed");
        else if (mode == "segv")
            std::raise(SIGSEGV);
        else if (mode == "exit")
            std::exit(3);
        else if (mode == "heap")
            overflowHeap();
    } catch (const std::exception &) {
    }
    std::fputs("after\n", stderr);
    return 0;
}

struct ChildResult {
    QProcess::ExitStatus status;
    int exitCode;
    QByteArray err;
};

ChildResult runChild(const QByteArray &mode)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kChildMode), QString::fromLatin1(mode));
    environment.remove(QStringLiteral("QT_MESSAGE_PATTERN"));
    // No core files from the crashes this test causes on purpose.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":disable_coredump=1"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    child.waitForFinished(60000);
    return {child.exitStatus(), child.exitCode(), child.readAllStandardError()};
}

} // namespace

class TestStderrCapture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void droppedAfterALoadThatCameBack();
    void passedOn_data();
    void passedOn();
};

void TestStderrCapture::droppedAfterALoadThatCameBack()
{
    const ChildResult result = runChild("drop");
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray("before\nafter\n"));
}

void TestStderrCapture::passedOn_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("crashes");
    QTest::addColumn<int>("exitCode"); // when it does not crash
    QTest::addColumn<QByteArray>("report"); // what must get through besides the noise

    QTest::newRow("the capture ends without drop (an exception)") << QByteArray("throw") << false << 0 << QByteArray("after\n");
    QTest::newRow("abort") << QByteArray("abort") << true << 0 << QByteArray();
    QTest::newRow("a failed check (qFatal, as Q_ASSERT)") << QByteArray("fatal") << true << 0 << QByteArray("a check failed");
    QTest::newRow("exit while capturing") << QByteArray("exit") << false << 3 << QByteArray();
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reports a fault itself and exits with 1.
    QTest::newRow("a segmentation fault") << QByteArray("segv") << false << 1 << QByteArray("AddressSanitizer: SEGV");
    QTest::newRow("an AddressSanitizer report") << QByteArray("heap") << false << 1 << QByteArray("heap-buffer-overflow");
#else
    QTest::newRow("a segmentation fault") << QByteArray("segv") << true << 0 << QByteArray();
#endif
}

void TestStderrCapture::passedOn()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, crashes);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, report);
    const ChildResult result = runChild(mode);
    QVERIFY2(result.exitCode != 99, "standard error was not captured");
    const bool crashed = result.status == QProcess::CrashExit;
    QCOMPARE(crashed, crashes);
    if (!crashes)
        QCOMPARE(result.exitCode, exitCode);
    // The sanitizers write their reports past the capture, so those may come first.
    QVERIFY2(result.err.startsWith("before\n"), result.err.constData());
    QVERIFY2(result.err.contains("\ndecoder noise\na decoder's warning\n"), result.err.constData());
    QVERIFY2(result.err.contains(report), result.err.constData());
}

int main(int argc, char *argv[])
{
    const QByteArray mode = qgetenv(kChildMode);
    if (!mode.isEmpty())
        return childMain(mode);
    QCoreApplication app(argc, argv);
    TestStderrCapture test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_stderrcapture.moc"
