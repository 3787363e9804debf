// Times what the dot gain costs, in one run on one machine: the model-based Floyd-Steinberg
// and the screens through their tone curve against memcpy and against their plain forms on
// a square photo-like picture, and --simulate's drawing of a 576 x 240 logo as it prints.
// Figures only; not a test.

#include "conversion/ConversionState.h"
#include "conversion/HeadlessView.h"
#include "conversion/PrintSimulation.h"
#include "conversion/Redraw.h"
#include "platform/Picture.h"

#include "BenchClock.h"
#include "BenchPictures.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <vector>

using namespace plovan;

namespace {

double redrawMilliseconds(const PictureRef &photo, const PictureRef &dest, Halftone halftone, int dotGain, int runs)
{
    ConversionState state;
    state.pix = photo;
    state.destPix = dest;
    state.threshold = 128;
    state.print.halftone = halftone;
    state.print.dotGainHundredths = dotGain;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        HeadlessView view;
        times.push_back(bench::millisecondsOf([&] { redraw(state, view); }));
    }
    return bench::median(times);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::SquareRuns options =
        bench::parseSquareRuns(app, QStringLiteral("Times the dot gain's halftones and the simulated print."));
    const int side = options.side;
    const PictureRef photo = bench::makeSourcePicture(side, side);
    const PictureRef dest = makePicture(side, side);
    std::vector<double> copies;
    for (int i = 0; i < options.runs; ++i)
        copies.push_back(bench::millisecondsOf([&] {
            std::memcpy(dest->rgbSurface().row(0), photo->rgbSurface().row(0), size_t(side) * size_t(side) * 4);
        }));
    const double copy = bench::median(copies);
    std::printf("%d x %d, median of %d runs\n", side, side, options.runs);
    std::printf("memcpy: %.1f ms\n", copy);
    for (const auto &[name, halftone] : {std::pair{"floyd-steinberg", Halftone::FloydSteinberg}, std::pair{"ordered", Halftone::Ordered},
                                         std::pair{"blue-noise", Halftone::BlueNoise}, std::pair{"clustered", Halftone::Clustered}}) {
        const double plain = redrawMilliseconds(photo, dest, halftone, 0, options.runs);
        const double model = redrawMilliseconds(photo, dest, halftone, 120, options.runs);
        std::printf("%s: %.1f ms (%.2f x memcpy), with --dot-gain 1.2 %.1f ms (%.2f x memcpy)\n", name, plain, plain / copy,
                    model, model / copy);
    }
    // A 576 x 240 logo: the photo's corner, halftoned.
    const PictureRef logo = bench::makeSourcePicture(576, 240);
    const PictureRef logoDots = makePicture(576, 240);
    redrawMilliseconds(logo, logoDots, Halftone::FloydSteinberg, 0, 1);
    for (const int dotGain : {0, 120}) {
        std::vector<double> times;
        for (int i = 0; i < options.runs; ++i)
            times.push_back(bench::millisecondsOf([&] { (void)simulatePrint(*logoDots, dotGain); }));
        std::printf("simulated print of 576 x 240 dots, %s: %.1f ms\n", dotGain ? "--dot-gain 1.2" : "square cells",
                    bench::median(times));
    }
    return 0;
}
