#include "support/ProcessMemory.h"

#include "platform/PictureFile.h"
#include "support/FixtureFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

#if defined(Q_OS_WIN)
#include <windows.h>
#include <psapi.h>
#endif

namespace plovan::testsupport {

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

qint64 peakResidentKiB()
{
#if defined(Q_OS_WIN)
    PROCESS_MEMORY_COUNTERS counters{};
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return qint64(counters.PeakWorkingSetSize / 1024);
#else
    return statusKiB("VmHWM");
#endif
}

void warmUpDecoders()
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

} // namespace plovan::testsupport
