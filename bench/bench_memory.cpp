// Peak memory of the load, the conversion and Create on big pictures, step by step, next
// to the bound W x H x (decoded bytes per pixel + 4) + 6 x text length + 64 MiB.
//
//   bench_memory [--keep DIR]
//
// Each picture is measured in a child process of its own (this program again, with
// --measure FILE), so that one picture's peak does not hide the next one's. The figures
// are resident memory (VmHWM) in MiB; "within" or "over" says how the peak after Create
// compares with the bound, once with the decoded bytes per pixel as they are and once
// counting the loaded picture's own 4 bytes per pixel (grey and palette pictures decode
// at 1 byte per pixel and are widened to 4 beside it).
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "platform/PictureFile.h"
#include "support/FixtureFiles.h"
#include "support/LoadReasons.h"
#include "support/ProcessMemory.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <variant>

using namespace plovan;
using testsupport::encoded;
using testsupport::photo;
using testsupport::statusKiB;
using testsupport::warmUpDecoders;

namespace {

// Starts the peak (VmHWM) over from the present resident size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// --measure FILE: loads, converts and encodes FILE as plovan-cli does; prints the baseline
// and the peak after each step in KiB, and the text length.
int measure(const QString &path)
{
    warmUpDecoders(); // before the baseline is taken
    resetPeak();
    const qint64 baseline = statusKiB("VmRSS");
    auto decoded = decodeAndPrepare(PictureSource::file(path));
    if (const LoadError *error = std::get_if<LoadError>(&decoded)) {
        std::printf("refused %s\n", qPrintable(testsupport::describe(error->reason)));
        return 1;
    }
    ConversionState state;
    state.pix = std::get<LoadedPictures>(decoded).pix;
    state.destPix = std::get<LoadedPictures>(decoded).destPix;
    const qint64 afterLoad = statusKiB("VmHWM");
    HeadlessView view;
    redraw(state, view);
    const qint64 afterRedraw = statusKiB("VmHWM");
    createLogoText(state, view);
    const qint64 afterCreate = statusKiB("VmHWM");
    std::printf("%lld %lld %lld %lld %lld\n", baseline, afterLoad, afterRedraw, afterCreate,
                static_cast<long long>(view.text().size()));
    return 0;
}

QImage stripes(int side)
{
    QImage image(side, side, QImage::Format_Grayscale8);
    for (int y = 0; y < side; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < side; ++x)
            line[x] = uchar((x ^ y) >> 5);
    }
    return image;
}

struct Fixture {
    const char *name;
    const char *file;
    std::function<QByteArray()> make;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Peak memory of load, redraw and Create on big pictures."));
    parser.addHelpOption();
    const QCommandLineOption keep(QStringLiteral("keep"), QStringLiteral("Make and keep the pictures in <dir>."),
                                  QStringLiteral("dir"));
    const QCommandLineOption child(QStringLiteral("measure"), QStringLiteral("Measure one picture (internal)."),
                                   QStringLiteral("file"));
    parser.addOption(keep);
    parser.addOption(child);
    parser.process(app);
    if (parser.isSet(child))
        return measure(parser.value(child));

    QTemporaryDir scratch;
    const QString dir = parser.isSet(keep) ? parser.value(keep) : scratch.path();
    QDir().mkpath(dir);
    const Fixture fixtures[] = {
        {"4000x3000 JPEG", "big.jpg", [] { return encoded(photo(4000, 3000, QImage::Format_RGB32), "jpeg", 85); }},
        {"4096x4096 grey PNG", "big-grey.png", [] { return encoded(photo(4096, 4096, QImage::Format_Grayscale8), "png", 90); }},
        {"8192x8192 grey PNG", "huge-grey.png", [] { return encoded(stripes(8192), "png", 90); }},
        {"3000x3000 RGBA PNG", "big-rgba.png", [] { return encoded(photo(3000, 3000, QImage::Format_ARGB32), "png", 90); }},
        {"2048x2048 16-bit RGBA PNG", "big-deep.png", [] { return encoded(photo(2048, 2048, QImage::Format_RGBA64), "png", 90); }},
    };

    const double mib = 1 << 20;
    std::printf("%-28s %5s %9s %9s %9s %9s %9s %16s %16s\n", "picture", "B/px", "baseline", "load", "redraw", "create",
                "B/px+", "bound", "bound with 4B/px");
    int status = 0;
    for (const Fixture &fixture : fixtures) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(fixture.file);
        if (!QFile::exists(path))
            testsupport::writeFile(path, fixture.make());
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), path});
        process.waitForFinished(-1);
        const QList<QByteArray> fields = process.readAllStandardOutput().simplified().split(' ');
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || fields.size() != 5) {
            std::printf("%-28s failed: %s\n", fixture.name, fields.join(' ').constData());
            status = 1;
            continue;
        }
        const qint64 baseline = fields[0].toLongLong() << 10, load = fields[1].toLongLong() << 10;
        const qint64 redrawPeak = fields[2].toLongLong() << 10, createPeak = fields[3].toLongLong() << 10;
        const qint64 text = fields[4].toLongLong();
        const QImageReader reader(path);
        const QSize size = reader.size();
        const int decodedBytes = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() / 8;
        const qint64 pixels = qint64(size.width()) * size.height();
        const qint64 bound = pixels * (decodedBytes + 4) + 6 * text + (qint64(64) << 20);
        const qint64 boundLoaded = pixels * (qMax(decodedBytes, 4) + 4) + 6 * text + (qint64(64) << 20);
        std::printf("%-28s %5d %9.0f %9.0f %9.0f %9.0f %9.2f %9.0f %-6s %9.0f %-6s\n", fixture.name, decodedBytes,
                    baseline / mib, load / mib, redrawPeak / mib, createPeak / mib,
                    double(createPeak - baseline) / double(pixels), bound / mib,
                    createPeak <= bound ? "within" : "over", boundLoaded / mib,
                    createPeak <= boundLoaded ? "within" : "over");
        std::fflush(stdout);
    }
    return status;
}
