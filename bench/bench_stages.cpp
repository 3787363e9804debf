// Times the stages before the scaling against a plain memcpy of the same picture, in one
// run on one machine: the quarter and half turns and the mirror, the tone (copying and in
// place) and trimming (margins to cut, and a picture that is paper everywhere, which has
// to be read whole to find nothing to cut).
//
// The first figures are each stage's own work into a picture already written once, as
// the memcpy runs into one. The last ones are what the preparation really does, new
// pictures and all, beside a memcpy into a new picture: the system maps a new picture's
// memory page by page as it is first written, which costs a stage the same as a copy.
//
// Keep the wording of the printed lines when changing the output: the figures file
// quotes them.

#include "conversion/Orientation.h"
#include "conversion/PrepareForPrinter.h"
#include "conversion/ToneCurve.h"
#include "conversion/TrimMargins.h"
#include "platform/Picture.h"

#include "BenchPictures.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace plovan;

namespace {

// The photo-like picture inside white margins of `margin` on every side.
PictureRef withMargins(const Picture &photo, int margin)
{
    const int side = photo.Width();
    PictureRef framed = makePicture(side, side); // white
    const int inner = side - 2 * margin;
    const ConstRGBSurface in = photo.rgbSurface();
    RGBSurface out = framed->rgbSurface();
    for (int y = 0; y < inner; ++y)
        std::memcpy(out.row(margin + y) + margin, in.row(y), size_t(inner) * 4);
    return framed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::SquareRuns options = bench::parseSquareRuns(app, QStringLiteral("Times turning, toning and trimming against memcpy."));
    const int side = options.side;
    const QRect whole(0, 0, side, side);

    const PictureRef photo = bench::makeSourcePicture(side, side);
    const PictureRef dest = makePicture(side, side);
    const PictureRef work = makePicture(side, side);
    const int margin = side / 8;
    const PictureRef framed = withMargins(*photo, margin);
    const QRect inside(margin, margin, side - 2 * margin, side - 2 * margin);
    const PictureRef kept = makePicture(inside.width(), inside.height());
    const PictureRef paper = makePicture(side, side); // white: paper everywhere
    const Tone tone{10, 20, 120};
    const ToneTable table = toneTable(tone);
    PrintSettings everything;
    everything.orientation = Orientation{1, false};
    everything.tone = tone;
    everything.trim = Trim::Light;

    const bench::PictureCopy copy(side);
    const size_t bytes = copy.bytes();

    struct Stage {
        const char *name;
        std::function<void()> work;
        std::function<void()> before; // untimed, before each run
        std::vector<double> times;
    };
    auto turn = [&](Orientation orientation) { return [&, orientation] { orientInto(*photo, whole, orientation, *dest); }; };
    const auto photoIntoWork = [&] {
        RGBSurface out = work->rgbSurface();
        std::memcpy(out.row(0), std::as_const(*photo).rgbSurface().row(0), bytes);
    };
    // Trimming finds only the part (the copy of it is timed in trim-margins); through the
    // tone table, as the preparation finds it when it also tones.
    auto checkedTrim = [](const Picture &picture, QRect expected, const ToneTable *through = nullptr) {
        const QRect found = through ? contentRect(picture, Trim::Light, *through) : contentRect(picture, Trim::Light);
        if (found != expected) {
            std::fprintf(stderr, "trimming found another part\n");
            std::exit(1);
        }
    };
    std::vector<Stage> stages = {
        {"memcpy", [&] { copy(); }, {}, {}},
        {"rotate-90", turn({1, false}), {}, {}},
        {"rotate-180", turn({2, false}), {}, {}},
        {"rotate-270", turn({3, false}), {}, {}},
        {"mirror", turn({0, true}), {}, {}},
        {"tone", [&] { toneInto(*photo, whole, table, *dest); }, {}, {}},
        {"tone-in-place", [&] { toneInto(*work, whole, table, *work); }, photoIntoWork, {}},
        {"trim-margins", [&] {
             checkedTrim(*framed, inside);
             orientInto(*framed, inside, Orientation{}, *kept);
         }, {}, {}},
        {"trim-all-paper", [&] { checkedTrim(*paper, whole); }, {}, {}},
        {"trim-through-tone", [&] { checkedTrim(*framed, inside, &table); }, {}, {}},
        {"trim-all-paper-toned", [&] { checkedTrim(*paper, whole, &table); }, {}, {}},
        {"new-memcpy", [&] {
             PictureRef fresh = makePictureToOverwrite(side, side);
             std::memcpy(fresh->rgbSurface().row(0), std::as_const(*photo).rgbSurface().row(0), bytes);
         }, {}, {}},
        {"new-rotate-90", [&] { orientPicture(photo, Orientation{1, false}); }, {}, {}},
        {"new-tone", [&] { adjustTone(photo, tone); }, {}, {}},
        {"new-trim-margins", [&] { trimMargins(framed, Trim::Light); }, {}, {}},
        {"prepare-turn-tone-trim", [&] { prepareForPrinter(framed, everything); }, {}, {}},
    };
    for (Stage &stage : stages) {
        if (stage.before)
            stage.before();
        stage.work(); // every picture written once before the clock starts
    }
    // The stages take turns, so a slow spell of the machine hits all of them alike.
    for (int i = 0; i < options.runs; ++i) {
        for (Stage &stage : stages) {
            if (stage.before)
                stage.before();
            stage.times.push_back(bench::millisecondsOf(stage.work));
        }
    }

    const double copyMedian = bench::median(stages.front().times);
    const double pixels = double(side) * side;
    std::printf("picture %d x %d (%.0f MiB), %d runs of each stage\n", side, side, double(bytes) / (1 << 20), options.runs);
    std::printf("%-24s %10s %8s %10s %10s\n", "stage", "median ms", "/memcpy", "best ms", "ns/pixel");
    for (const Stage &stage : stages) {
        const double ms = bench::median(stage.times);
        const double best = *std::min_element(stage.times.begin(), stage.times.end());
        std::printf("%-24s %10.2f %8.2f %10.2f %10.3f\n", stage.name, ms, ms / copyMedian, best, ms * 1e6 / pixels);
    }
    std::printf("tone: brightness %d, contrast %d, gamma %.2f; margins of %d on every side\n", tone.brightness,
                tone.contrast, tone.gammaHundredths / 100.0, margin);
    return 0;
}
