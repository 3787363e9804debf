#include "CliRun.h"

#include <QTest>

namespace plovan::testsupport {

CliResult runCli(const QStringList &arguments, const QByteArray &input, const QProcessEnvironment &environment,
                 const std::function<void()> &inChild)
{
    QProcess process;
    process.setProcessEnvironment(environment);
#if defined(Q_OS_UNIX)
    if (inChild)
        process.setChildProcessModifier(inChild);
#else
    if (inChild)
        qFatal("runCli: a step in the child needs a POSIX system; the test should have skipped");
#endif
    process.start(QStringLiteral(PLOVAN_CLI_PATH), arguments);
    if (!process.waitForStarted())
        qFatal("plovan-cli did not start: %s", qPrintable(process.errorString()));
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        qFatal("plovan-cli did not finish");
    return {process.exitCode(), process.exitStatus(), process.readAllStandardOutput(), process.readAllStandardError()};
}

void verifyUsageError(const CliResult &result, const QString &reason)
{
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    const QStringList lines = QString::fromUtf8(result.err).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("plovan-cli: ") + reason);
    QVERIFY(lines.value(1).startsWith(QStringLiteral("Usage: plovan-cli ")));
}

} // namespace plovan::testsupport
