// plovan-cli: reads its command line (CliOptions.cpp), then either turns IMAGE into logo
// data text (CliRun.cpp) or, with --check, reads a text back (CheckRun.cpp). A command line
// it cannot run gets one line and the usage (CliHelp.cpp) on standard error, and exit
// status kExitUsage.
#include "CliHelp.h"
#include "CliOptions.h"
#include "CheckRun.h"
#include "CliRun.h"

#include "Version.h"
#include "platform/StandardStreams.h"
#include "platform/Translations.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Standard error is the tool's one line; Qt's own warnings (a locale it does not like, a
// decoder's complaint about a damaged file) would add lines a script has to filter out.
// Only a fatal message, which ends the program, still gets through.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg)
        return;
    const QByteArray bytes = (QStringLiteral("plovan-cli: ") + message + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

} // namespace

int main(int argc, char **argv)
{
    plovan::useBinaryStandardStreams();
    qInstallMessageHandler(quietMessages);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plovan-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(plovan::kVersion));
    // In the user's language from here on: --help, the usage and every one-line error.
    plovan::Translations translations;
    translations.install(plovan::languageFromEnvironment());

    const auto parsed = plovan::cli::parseArguments(QCoreApplication::arguments());
    if (const auto *usage = std::get_if<plovan::cli::UsageError>(&parsed)) {
        const QByteArray bytes
            = (QStringLiteral("plovan-cli: %1\n").arg(usage->reason) + plovan::cli::usageText()).toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        return plovan::cli::kExitUsage;
    }
    const auto &options = std::get<plovan::cli::CliOptions>(parsed);
    return options.check.isEmpty() ? plovan::cli::run(options) : plovan::cli::runCheck(options);
}
