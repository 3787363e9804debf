// Each halftone through redraw on a big photo-like picture, beside a memcpy of the same
// picture, in one run: the diffusions with and without serpentine rows, the screens.

#include "BenchPictures.h"

#include "conversion/ConversionState.h"
#include "conversion/HalftoneNames.h"
#include "conversion/HeadlessView.h"
#include "conversion/Redraw.h"

#include <QByteArray>

#include <ctime>
#include <functional>
#include <vector>

using namespace plovan;

namespace {

// The processor time of this thread, which a machine shared with other work does not
// stretch as it stretches the clock on the wall.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::SquareRuns options = bench::parseSquareRuns(
        app, QStringLiteral("Times every halftone through redraw on a square picture against memcpy."));
    const int side = options.side;
    // PLOVAN_BENCH_ONLY=NAME times memcpy and that stage alone, for a profiler's counts.
    const QByteArray only = qgetenv("PLOVAN_BENCH_ONLY");

    ConversionState state;
    state.pix = bench::makeSourcePicture(side, side);
    state.destPix = makePicture(side, side);
    state.threshold = 128;
    HeadlessView view;
    const bench::PictureCopy copy(side);

    struct Stage {
        QByteArray name;
        std::function<void()> work;
        std::vector<double> times;
        std::vector<double> cpuTimes;
    };
    std::vector<Stage> stages;
    stages.push_back({"memcpy", [&] { copy(); }, {}, {}});
    for (const HalftoneName &entry : kHalftoneNames) {
        for (const bool serpentine : {false, true}) {
            if (serpentine && !isErrorDiffusion(entry.halftone))
                continue;
            const Halftone halftone = entry.halftone;
            const QByteArray name = QByteArray(entry.name.data(), entry.name.size()) + (serpentine ? " serpentine" : "");
            if (!only.isEmpty() && name != only)
                continue;
            stages.push_back({name,
                              [&state, &view, halftone, serpentine] {
                                  state.print.halftone = halftone;
                                  state.print.serpentine = serpentine;
                                  redraw(state, view);
                              },
                              {},
                              {}});
        }
    }
    for (Stage &stage : stages)
        stage.work(); // every picture written once (and every mask made) before the clock starts
    // The stages take turns, so a slow spell of the machine hits all of them alike.
    for (int i = 0; i < options.runs; ++i)
        for (Stage &stage : stages) {
            const double cpuStart = threadMilliseconds();
            stage.times.push_back(bench::millisecondsOf(stage.work));
            stage.cpuTimes.push_back(threadMilliseconds() - cpuStart);
        }

    const double copyMedian = bench::median(stages.front().times);
    const double copyCpuMedian = bench::median(stages.front().cpuTimes);
    const double pixels = double(side) * side;
    std::printf("picture %d x %d (%.0f MiB), %d runs of each stage\n", side, side, double(copy.bytes()) / (1 << 20),
                options.runs);
    std::printf("%-28s %10s %8s %10s %10s %8s %10s\n", "stage", "median ms", "/memcpy", "best ms", "ns/pixel",
                "cpu ms", "cpu/memcpy");
    for (const Stage &stage : stages) {
        const double ms = bench::median(stage.times);
        const double best = *std::min_element(stage.times.begin(), stage.times.end());
        const double cpu = bench::median(stage.cpuTimes);
        std::printf("%-28s %10.2f %8.2f %10.2f %10.3f %8.2f %10.2f\n", stage.name.constData(), ms, ms / copyMedian,
                    best, ms * 1e6 / pixels, cpu, cpu / copyCpuMedian);
    }
    return 0;
}
