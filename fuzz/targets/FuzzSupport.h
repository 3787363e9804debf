#pragma once

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>

// What every fuzz target does before its first input and after each one.
namespace plovan::fuzz {

// Image decoding needs the application object for its plugins (JPEG is one). The
// decoders' warnings about broken files are the point of the inputs, not news.
inline void startQt(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
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
    std::fprintf(stderr, "CHECK FAILED: %s\n", qPrintable(failure));
    std::fflush(stderr);
    std::abort();
}

} // namespace plovan::fuzz
