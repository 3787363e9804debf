// Times the threshold conversion and the logo data text on a big picture against a plain
// memcpy of the same number of bytes, all in one run on one machine, so the ratios say
// how close each stage comes to the memory bandwidth that bounds it.
//
// As in the window when the slider moves again, the working picture and the text have
// been built once before the clock starts: what is timed is the work, not the first touch
// of fresh memory (which costs far more than a copy on some machines).
//
// bench/run reads the printed lines (the run count, the first figure of each stage and
// the line of first runs); keep their wording when changing the output.

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
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

using bench::median;
using bench::millisecondsOf;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto [side, runs] = bench::parseSquareRuns(app, QStringLiteral("Times redraw and the logo data text against memcpy."));

    ConversionState state;
    state.pix = bench::makeSourcePicture(side, side);
    state.destPix = makePicture(side, side);
    state.threshold = 128;
    HeadlessView view;

    const bench::PictureCopy copy(side);
    const size_t bytes = copy.bytes();

    // Kept apart from the figures: the first Create also grows the text from nothing.
    const double firstRedraw = millisecondsOf([&] { redraw(state, view); });
    const double firstEncoder = millisecondsOf([&] { createLogoText(state, view); });
    copy();

    // The stages take turns, so a slow spell of the machine hits all three alike.
    std::vector<double> copyTimes, redrawTimes, encoderTimes;
    for (int i = 0; i < runs; ++i) {
        copyTimes.push_back(millisecondsOf([&] { copy(); }));
        redrawTimes.push_back(millisecondsOf([&] { redraw(state, view); }));
        encoderTimes.push_back(millisecondsOf([&] { createLogoText(state, view); }));
    }

    if (view.text().size() != logotext::length(side, side)) {
        std::fprintf(stderr, "the logo data text has %lld characters, expected %lld\n",
                     static_cast<long long>(view.text().size()), static_cast<long long>(logotext::length(side, side)));
        return 1;
    }

    // The median is the figure; the best run shows what the machine does undisturbed,
    // which helps to read a median taken while something else was running.
    const double mib = double(bytes) / (1 << 20);
    const double copyMedian = median(copyTimes);
    const double copyBest = *std::min_element(copyTimes.begin(), copyTimes.end());
    std::printf("picture %d x %d (%.0f MiB), %d runs of each stage\n", side, side, mib, runs);
    std::printf("%-8s %10s %10s %8s %10s %8s\n", "stage", "median ms", "MiB/s", "/memcpy", "best ms", "/memcpy");
    auto line = [&](const char *stage, const std::vector<double> &times) {
        const double ms = median(times);
        const double best = *std::min_element(times.begin(), times.end());
        std::printf("%-8s %10.2f %10.0f %8.2f %10.2f %8.2f\n", stage, ms, mib / (ms / 1000), ms / copyMedian, best,
                    best / copyBest);
    };
    line("memcpy", copyTimes);
    line("redraw", redrawTimes);
    line("encoder", encoderTimes);
    std::printf("first runs, not in the figures: redraw %.2f ms, encoder %.2f ms\n", firstRedraw, firstEncoder);
    return 0;
}
