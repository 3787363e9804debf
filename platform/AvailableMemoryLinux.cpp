// Free memory on Linux: see AvailableMemory.h.
#include "platform/AvailableMemory.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace plovan {

std::optional<qint64> availableMemoryBytes()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return std::nullopt;
    qint64 availableKiB = -1;
    qint64 swapFreeKiB = 0;
    const QList<QByteArray> lines = meminfo.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const qint64 kib = fields.at(1).toLongLong(&ok);
        if (!ok)
            continue;
        if (fields.at(0) == "MemAvailable:")
            availableKiB = kib;
        else if (fields.at(0) == "SwapFree:")
            swapFreeKiB = kib;
    }
    if (availableKiB < 0)
        return std::nullopt;
    return (availableKiB + swapFreeKiB) * 1024;
}

} // namespace plovan
