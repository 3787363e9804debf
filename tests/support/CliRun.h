#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace plovan::testsupport {

// What one run of plovan-cli left behind: how it ended and its two streams, byte for byte.
struct CliResult {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray out;
    QByteArray err;
};

// plovan-cli run as a user runs it, in its own process: `input` on its standard input,
// then end of input; `inChild` runs in the child just before the program starts (to lower
// a limit, say). A program that does not start or does not finish in a minute is a broken
// test setup, so it stops the test program.
CliResult runCli(const QStringList &arguments, const QByteArray &input = {},
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                 const std::function<void()> &inChild = {});

// Checks that the run was refused as a usage error: exit status 2, nothing on standard
// output, and on standard error the one line "plovan-cli: <reason>" followed by the usage.
void verifyUsageError(const CliResult &result, const QString &reason);

} // namespace plovan::testsupport
