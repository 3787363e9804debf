// Times reading logo data text back against writing it, in one run on one machine: the
// text of a big picture is written by Create (into a view that already holds a text, as
// when Create is pressed again), then read back, from the QString and from its UTF-8
// bytes, and checked alone without making the picture. The goal is reading in at most
// twice the time of writing.
//
// Reading makes a new picture each time, so its figure includes mapping and first touch
// of the picture's memory, which the writer (whose text buffer is reused) does not pay.

#include "BenchPictures.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/LogoTextReader.h"
#include "platform/Picture.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace plovan;

using bench::median;
using bench::millisecondsOf;

namespace {

// Black and white as redraw leaves it, with large areas of each and noise between, so the
// column bytes take every value.
PictureRef makeWorkingPicture(int side)
{
    PictureRef picture = makePicture(side, side);
    RGBSurface surface = picture->rgbSurface();
    std::uint32_t noise = 0x2545F491u;
    for (int y = 0; y < side; ++y) {
        std::uint32_t *row = surface.row(y);
        for (int x = 0; x < side; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const bool black = (y / 256) % 3 == 0 ? (noise & 1) : ((x / 64 + y / 64) % 2 == 0);
            row[x] = black ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    return picture;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto [side, runs] = bench::parseSquareRuns(app, QStringLiteral("Times reading logo data text back against writing it."));

    ConversionState state;
    state.destPix = makeWorkingPicture(side);
    state.pix = makePicture(side, side);
    HeadlessView view;
    createLogoText(state, view);
    const QByteArray utf8 = view.text().toUtf8();

    // The stages take turns, so a slow spell of the machine hits all of them alike.
    // A picture of the right size whose memory is in use already, for reading without the
    // first touch of fresh memory.
    const PictureRef reused = makePicture(side, side);
    std::vector<double> writeTimes, readTimes, readUtf8Times, checkTimes, reusedTimes, blankTimes;
    bool same = true;
    for (int i = 0; i < runs; ++i) {
        writeTimes.push_back(millisecondsOf([&] { createLogoText(state, view); }));
        LogoTextReading reading;
        readTimes.push_back(millisecondsOf([&] { reading = readLogoText(view.text()); }));
        same = same && reading.picture && reading.picture->image() == state.destPix->image();
        reading = {};
        readUtf8Times.push_back(millisecondsOf([&] { reading = readLogoTextUtf8(utf8); }));
        same = same && reading.picture && reading.picture->image() == state.destPix->image();
        reading = {};
        checkTimes.push_back(millisecondsOf([&] { same = same && checkLogoText(view.text()).valid; }));
        reusedTimes.push_back(millisecondsOf([&] {
            const LogoTextCheck check = checkLogoText(view.text());
            decodeLogoText(view.text(), check, *reused);
        }));
        same = same && reused->image() == state.destPix->image();
        blankTimes.push_back(millisecondsOf([&] { makePicture(side, side); }));
    }
    if (!same || side % 8) {
        std::fprintf(stderr, "reading the text did not give back the picture (the side must be a multiple of 8)\n");
        return 1;
    }

    const double writeMedian = median(writeTimes);
    std::printf("text of a %d x %d picture: %lld characters, %lld bytes in UTF-8; %d runs of each stage\n", side,
                side, static_cast<long long>(view.text().size()), static_cast<long long>(utf8.size()), runs);
    std::printf("%-27s %10s %10s %8s\n", "stage", "median ms", "best ms", "/write");
    auto line = [&](const char *stage, const std::vector<double> &times) {
        const double ms = median(times);
        std::printf("%-27s %10.2f %10.2f %8.2f\n", stage, ms, *std::min_element(times.begin(), times.end()),
                    ms / writeMedian);
    };
    line("write (Create)", writeTimes);
    line("read from QString", readTimes);
    line("read from UTF-8", readUtf8Times);
    line("check only (QString)", checkTimes);
    line("read into a picture in use", reusedTimes);
    line("new blank picture", blankTimes);
    // Like for like: the writer fills a text it already has, so the reader that fills a
    // picture already in memory is the one to compare; a new picture's first touch is
    // what "new blank picture" costs, whoever makes it.
    const double ratio = median(reusedTimes) / writeMedian;
    std::printf("reading into memory in use / writing: %.2f (goal: at most 2) %s\n", ratio, ratio <= 2 ? "met" : "MISSED");
    std::printf("reading into a new picture / writing: %.2f\n", median(readTimes) / writeMedian);
    return 0;
}
