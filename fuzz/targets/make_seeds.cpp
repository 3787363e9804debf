// Writes the seeds of every fuzz target: make_seeds DIR gives DIR/decode, DIR/conversion,
// DIR/png and DIR/logotext, one file per seed.
#include "harness/Seeds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char *, QList<plovan::fuzz::Seed>> sets[] = {
        {"decode", plovan::fuzz::decodeSeeds()},
        {"conversion", plovan::fuzz::conversionSeeds()},
        {"png", plovan::fuzz::structuredPngSeeds()},
        {"logotext", plovan::fuzz::logoTextSeeds()},
    };
    for (const auto &[name, seeds] : sets) {
        const QString dir = root.filePath(QLatin1String(name));
        QDir().mkpath(dir);
        for (const plovan::fuzz::Seed &seed : seeds) {
            QFile file(dir + QLatin1Char('/') + seed.name);
            if (!file.open(QIODevice::WriteOnly) || file.write(seed.bytes) != seed.bytes.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
                return 1;
            }
        }
        std::printf("%lld %s seeds\n", static_cast<long long>(seeds.size()), name);
    }
    return 0;
}
