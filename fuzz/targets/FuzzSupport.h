#pragma once

#include <QByteArrayView>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <cstdio>
#include <cstdlib>

// What every fuzz target does before its first input and after each one.
namespace plovan::fuzz {

// Faults already reported and waiting for a fix, from the file named by
// PLOVAN_FUZZ_KNOWN_FAILURES (fuzz/run passes fuzz/known-failures): a row name, a tab and
// a regular expression per line. A failure that matches one does not stop the run, which
// would otherwise find the same fault again and again.
inline QList<QRegularExpression> &knownFailures()
{
    static QList<QRegularExpression> patterns;
    return patterns;
}

inline void loadKnownFailures()
{
    QFile file(qEnvironmentVariable("PLOVAN_FUZZ_KNOWN_FAILURES"));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            knownFailures() << QRegularExpression(line.section(QLatin1Char('\t'), -1));
    }
}

// Image decoding needs the application object for its plugins (JPEG is one). The
// decoders' warnings about broken files are the point of the inputs, not news.
inline void startQt(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    loadKnownFailures();
}

inline QByteArrayView inputView(const std::uint8_t *data, std::size_t size)
{
    return QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A failed check is a crash to the fuzzer, so the input is kept as a reproducer.
inline void stopOnFailure(const QString &failure)
{
    if (failure.isEmpty())
        return;
    for (const QRegularExpression &known : knownFailures()) {
        if (known.match(failure).hasMatch())
            return;
    }
    std::fprintf(stderr, "CHECK FAILED: %s\n", qPrintable(failure));
    std::fflush(stderr);
    std::abort();
}

} // namespace plovan::fuzz
