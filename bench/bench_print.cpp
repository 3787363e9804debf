// Times the steps that make a picture print-ready against a plain memcpy of the same
// picture, in one run on one machine: each halftone over a big picture (already in memory,
// working picture already written once, as when the slider moves again), the plain
// threshold beside them for scale, and the area scaling from a big picture and from a
// photo-sized one down to 576 dots (80 mm paper).
//
// Error diffusion carries a dependency from each pixel to the next (the error of one is
// part of the next one's value), so it is bound by the latency of that chain, not by
// memory; the figure per pixel says how many nanoseconds the chain costs.
//
// bench/run reads the printed lines; keep their wording when changing the output.

#include "conversion/AreaScale.h"
#include "conversion/HeadlessView.h"
#include "conversion/Redraw.h"
#include "platform/Picture.h"

#include "BenchPictures.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace plovan;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times halftones and scaling against memcpy."));
    parser.addHelpOption();
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Side of the square picture."),
                                        QStringLiteral("pixels"), QStringLiteral("8192"));
    const QCommandLineOption windowSizeOption(QStringLiteral("window-size"),
                                              QStringLiteral("Side of the picture for the interactive figure."),
                                              QStringLiteral("pixels"), QStringLiteral("4096"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Timed runs of each stage."),
                                        QStringLiteral("count"), QStringLiteral("7"));
    parser.addOptions({sizeOption, windowSizeOption, runsOption});
    parser.process(app);
    const int side = parser.value(sizeOption).toInt();
    const int windowSide = parser.value(windowSizeOption).toInt();
    const int runs = std::max(1, parser.value(runsOption).toInt());
    if (!Picture::sideInRange(side) || !Picture::sideInRange(windowSide)) {
        std::fprintf(stderr, "--size and --window-size must lie in 1-%d\n", Picture::kMaxSide);
        return 1;
    }

    ConversionState state;
    state.pix = bench::makeSourcePicture(side, side);
    state.destPix = makePicture(side, side);
    state.threshold = 128;
    HeadlessView view;
    ConversionState small;
    small.pix = bench::makeSourcePicture(windowSide, windowSide);
    small.destPix = makePicture(windowSide, windowSide);
    small.threshold = 128;
    small.print.halftone = Halftone::FloydSteinberg;
    const PictureRef photo = bench::makeSourcePicture(4000, 3000);

    const bench::PictureCopy copy(side);

    struct Stage {
        const char *name;
        std::function<void()> work;
        std::vector<double> times;
    };
    auto redrawWith = [&](Halftone halftone) {
        return [&state, &view, halftone] {
            state.print.halftone = halftone;
            redraw(state, view);
        };
    };
    const int shrunkHeight = int(scaledHeight(side, side, 576));
    std::vector<Stage> stages = {
        {"memcpy", [&] { copy(); }, {}},
        {"threshold", redrawWith(Halftone::None), {}},
        {"ordered", redrawWith(Halftone::Ordered), {}},
        {"floyd-steinberg", redrawWith(Halftone::FloydSteinberg), {}},
        {"atkinson", redrawWith(Halftone::Atkinson), {}},
        {"scale-to-576", [&] { scalePicture(*state.pix, 576, shrunkHeight); }, {}},
        {"photo-to-576", [&] { scalePicture(*photo, 576, 432); }, {}},
        {"window-fs", [&] { redraw(small, view); }, {}},
    };
    for (Stage &stage : stages)
        stage.work(); // every picture written once before the clock starts
    // The stages take turns, so a slow spell of the machine hits all of them alike.
    for (int i = 0; i < runs; ++i)
        for (Stage &stage : stages)
            stage.times.push_back(bench::millisecondsOf(stage.work));

    const double copyMedian = bench::median(stages.front().times);
    const double pixels = double(side) * side;
    std::printf("picture %d x %d (%.0f MiB), %d runs of each stage\n", side, side, double(copy.bytes()) / (1 << 20), runs);
    std::printf("%-16s %10s %8s %10s %10s\n", "stage", "median ms", "/memcpy", "best ms", "ns/pixel");
    for (const Stage &stage : stages) {
        const double ms = bench::median(stage.times);
        const double best = *std::min_element(stage.times.begin(), stage.times.end());
        // Per pixel read: the source picture's pixels (the photo's for photo-to-576, the
        // window picture's for window-fs).
        const double read = std::strcmp(stage.name, "photo-to-576") == 0 ? 4000.0 * 3000
            : std::strcmp(stage.name, "window-fs") == 0                 ? double(windowSide) * windowSide
                                                                        : pixels;
        std::printf("%-16s %10.2f %8.2f %10.2f %10.3f\n", stage.name, ms, ms / copyMedian, best, ms * 1e6 / read);
    }
    std::printf("window-fs is redraw with Floyd-Steinberg on %d x %d without a window\n", windowSide, windowSide);
    return 0;
}
