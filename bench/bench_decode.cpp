// plovan-cli end to end on a 4000 x 3000 JPEG and an 8192 x 8192 PNG, against decoding
// alone with a plain QImageReader, in the same run on the same machine.
//
//   bench_decode [--runs N] [--keep DIR]
//
// For each picture it prints the median of N runs of:
//   - Qt decode: QImageReader::read() as any Qt program would call it (its allocation
//     limit lifted, so the 8192 x 8192 picture decodes at all);
//   - the stages as plovan-cli runs them, in this process: the loader's decoding with
//     the blank working picture, redraw, the logo data text and writing it as UTF-8
//     (to /dev/null);
//   - plovan-cli as a separate process under /usr/bin/time -v: wall time and peak memory.
// Memory that this machine has never touched is slow to touch the first time (the host
// maps it in page by page), so the first runs after a boot can be far slower than the
// median; run with more --runs when the figures scatter.
// The goals: everything after decoding costs at most 0.75 x the Qt decode time, and peak
// memory stays within 8.5 bytes per pixel + 64 MiB for 8-bit pictures.

#include "BenchClock.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "platform/PictureFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <variant>
#include <vector>

using namespace plovan;

using bench::median;
using bench::millisecondsOf;

namespace {

// A logo-like picture with a photo-like part: flat areas and hard edges (what compresses
// well), smooth gradients, and a noisy band (what does not), so decoding does real work.
QImage makePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t noise = 0x2545F491u;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool ink = ((x / 97) + (y / 61)) % 3 == 0;
            int red = ink ? 20 : (x * 255) / width;
            int green = ink ? 30 : (y * 255) / height;
            int blue = ink ? 90 : 200;
            if ((y / 256) % 5 == 2) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                red = int(noise & 0xFF);
                blue = int((noise >> 8) & 0xFF);
            }
            row[x] = qRgb(red, green, blue);
        }
    }
    return image;
}

struct Stages {
    double decode = 0, decodeAndWorking = 0, redraw = 0, text = 0, output = 0;
};

// The stages plovan-cli runs, each timed: the loader's decoding (which makes the blank
// working picture), redraw, the logo data text and the UTF-8 output. Our
// decoding alone, without the working picture, is timed first for comparison.
Stages runStages(const QString &path, QFile &devNull)
{
    Stages t;
    t.decode = millisecondsOf([&] {
        if (!openPicture(path).picture)
            qFatal("cannot decode %s", qPrintable(path));
    });
    std::variant<LoadedPictures, LoadError> decoded;
    t.decodeAndWorking = millisecondsOf([&] { decoded = decodeAndPrepare(PictureSource::file(path)); });
    if (const auto *error = std::get_if<LoadError>(&decoded))
        qFatal("cannot load %s (reason %d)", qPrintable(path), int(error->reason.kind));
    ConversionState state;
    state.pix = std::get<LoadedPictures>(decoded).pix;
    state.destPix = std::get<LoadedPictures>(decoded).destPix;
    decoded = LoadedPictures();
    HeadlessView view;
    t.redraw = millisecondsOf([&] { redraw(state, view); });
    t.text = millisecondsOf([&] { createLogoText(state, view); });
    t.output = millisecondsOf([&] {
        const QString text = view.takeText();
        for (qsizetype from = 0; from < text.size(); from += qsizetype(1) << 20)
            devNull.write(QStringView(text).mid(from, qMin(qsizetype(1) << 20, text.size() - from)).toUtf8());
    });
    return t;
}

struct CliRun {
    double wallMs = 0;
    double peakMiB = 0;
};

CliRun runCli(const QString &path)
{
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/null"));
    process.start(QStringLiteral("/usr/bin/time"), {QStringLiteral("-v"), QStringLiteral(PLOVAN_CLI_PATH), path});
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        qFatal("plovan-cli failed on %s: %s", qPrintable(path), process.readAllStandardError().constData());
    const QString report = QString::fromUtf8(process.readAllStandardError());
    CliRun run;
    const auto wall = QRegularExpression(QStringLiteral(R"(Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+):([\d.]+))"))
                          .match(report);
    if (wall.hasMatch())
        run.wallMs = (wall.captured(1).toDouble() * 3600 + wall.captured(2).toDouble() * 60 + wall.captured(3).toDouble())
            * 1000;
    const auto rss = QRegularExpression(QStringLiteral(R"(Maximum resident set size \(kbytes\): (\d+))")).match(report);
    if (rss.hasMatch())
        run.peakMiB = rss.captured(1).toDouble() / 1024;
    return run;
}

void measure(const QString &label, const QString &path, int runs)
{
    QImageReader probe(path);
    const QSize size = probe.size();
    const double pixels = double(size.width()) * size.height();
    QFile devNull(QStringLiteral("/dev/null"));
    devNull.open(QIODevice::WriteOnly);

    std::vector<double> qtDecode, ours, loader, redrawn, text, output, pipeline, wall, peak;
    for (int i = 0; i < runs; ++i) {
        qtDecode.push_back(millisecondsOf([&] {
            QImageReader reader(path);
            if (reader.read().isNull())
                qFatal("Qt cannot decode %s", qPrintable(path));
        }));
        const Stages t = runStages(path, devNull);
        ours.push_back(t.decode);
        loader.push_back(t.decodeAndWorking);
        redrawn.push_back(t.redraw);
        text.push_back(t.text);
        output.push_back(t.output);
        pipeline.push_back(t.decodeAndWorking + t.redraw + t.text + t.output);
        const CliRun cli = runCli(path);
        wall.push_back(cli.wallMs);
        peak.push_back(cli.peakMiB);
    }

    // "After decoding" is everything the pipeline spends beyond Qt's decoding alone: the
    // conversion into the working format, the working picture, redraw, the text and the
    // output (and, for plovan-cli, starting the process).
    const double qt = median(qtDecode);
    const double after = median(pipeline) - qt;
    const double cliAfter = median(wall) - qt;
    const double boundMiB = (8.5 * pixels) / (1 << 20) + 64;
    std::printf("%s: %dx%d, %.1f MB file, median of %d runs\n", qPrintable(label), size.width(), size.height(),
                QFile(path).size() / 1e6, runs);
    std::printf("  Qt decode alone (QImageReader::read)     %8.1f ms\n", qt);
    std::printf("  our decode alone (openPicture)           %8.1f ms\n", median(ours));
    std::printf("  loader: decode + blank working picture   %8.1f ms\n", median(loader));
    std::printf("  redraw                                   %8.1f ms\n", median(redrawn));
    std::printf("  logo data text                           %8.1f ms\n", median(text));
    std::printf("  UTF-8 output                             %8.1f ms\n", median(output));
    std::printf("  in-process pipeline                      %8.1f ms; after decoding %.1f ms = %.2f x Qt decode "
                "(goal <= 0.75)\n",
                median(pipeline), after, after / qt);
    std::printf("  plovan-cli end to end (wall)             %8.1f ms; after decoding %.1f ms = %.2f x Qt decode\n",
                median(wall), cliAfter, cliAfter / qt);
    std::printf("  plovan-cli peak memory (max RSS)         %8.1f MiB = %.2f bytes/pixel; bound %.1f MiB (%s)\n\n",
                median(peak), median(peak) * (1 << 20) / pixels, boundMiB, median(peak) <= boundMiB ? "met" : "MISSED");
    std::fflush(stdout);
}

QString ensureFixture(const QDir &dir, const QString &name, int width, int height, const char *format, int quality)
{
    const QString path = dir.filePath(name);
    if (QFile::exists(path))
        return path;
    std::printf("making %s ...\n", qPrintable(path));
    std::fflush(stdout);
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(makePicture(width, height)))
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs per picture (default 5)."),
                                        QStringLiteral("N"), QStringLiteral("5"));
    const QCommandLineOption keepOption(QStringLiteral("keep"),
                                        QStringLiteral("Make (or reuse) the pictures in DIR instead of a temporary folder."),
                                        QStringLiteral("DIR"));
    parser.addOptions({runsOption, keepOption});
    parser.process(app);
    const int runs = qMax(1, parser.value(runsOption).toInt());

    QImageReader::setAllocationLimit(0); // the Qt baseline must be able to decode 8192 x 8192

    QTemporaryDir temporary;
    const QDir dir(parser.isSet(keepOption) ? parser.value(keepOption) : temporary.path());
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        qFatal("cannot make %s", qPrintable(dir.path()));
    const QString jpeg = ensureFixture(dir, QStringLiteral("photo-4000x3000.jpg"), 4000, 3000, "jpeg", 90);
    const QString png = ensureFixture(dir, QStringLiteral("logo-8192x8192.png"), 8192, 8192, "png", 50);

    measure(QStringLiteral("JPEG"), jpeg, runs);
    measure(QStringLiteral("PNG"), png, runs);
    return 0;
}
