#pragma once

// What the conversion benchmarks share: their picture, their command line, their clock
// (BenchClock.h) and their memcpy baseline.

#include "BenchClock.h"

#include "platform/Picture.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

// A deterministic picture with something of everything a photo or a logo has: smooth
// gradients (every threshold cuts somewhere), hard-edged rings, and a noisy band, so the
// black-and-white result and its column bytes are neither all zeros nor one repeated byte.
inline plovan::PictureRef makeSourcePicture(int width, int height)
{
    using namespace plovan;
    PictureRef picture = makePicture(width, height);
    RGBSurface surface = picture->rgbSurface();
    std::uint32_t noise = 0x9E3779B9u;
    for (int y = 0; y < height; ++y) {
        std::uint32_t *row = surface.row(y);
        const int dy = y - height / 2;
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2;
            const int ring = int((std::int64_t(dx) * dx + std::int64_t(dy) * dy) >> 12) & 0xFF;
            const int red = (x * 255) / std::max(1, width - 1);
            const int green = (y * 255) / std::max(1, height - 1);
            int blue = ring < 128 ? 40 : 215;
            if ((y / 512) % 4 == 1) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                blue = int(noise & 0xFF);
            }
            row[x] = RGBSurface::storedColour(RGB(red, green, blue));
        }
    }
    return picture;
}

struct SquareRuns {
    int side = 0; // of the square picture
    int runs = 0; // timed runs of each stage, at least one
};

// --size (8192 unless given) and --runs (9 unless given), with --help saying
// `description`. A side no picture can have ends the program with status 1.
inline SquareRuns parseSquareRuns(const QCoreApplication &app, const QString &description)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Side of the square picture."),
                                        QStringLiteral("pixels"), QStringLiteral("8192"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Timed runs of each stage."),
                                        QStringLiteral("count"), QStringLiteral("9"));
    parser.addOptions({sizeOption, runsOption});
    parser.process(app);
    const int side = parser.value(sizeOption).toInt();
    const int runs = std::max(1, parser.value(runsOption).toInt());
    if (!plovan::Picture::sideInRange(side)) {
        std::fprintf(stderr, "--size must lie in 1-%d\n", plovan::Picture::kMaxSide);
        std::exit(1);
    }
    return {side, runs};
}

// The baseline every stage is measured against: a memcpy of one picture's pixels into
// another of the same size. Both come from the same allocator as the pictures under test
// and both are written when made (a new picture is filled white), so the copy runs on
// memory that is already mapped.
class PictureCopy {
public:
    explicit PictureCopy(int side)
        : from_(plovan::makePicture(side, side)), to_(plovan::makePicture(side, side)),
          bytes_(size_t(from_->image().sizeInBytes())), source_(from_->image().constBits())
    {
        plovan::RGBSurface target = to_->rgbSurface();
        dest_ = reinterpret_cast<uchar *>(target.row(0));
    }
    void operator()() const { std::memcpy(dest_, source_, bytes_); }
    size_t bytes() const { return bytes_; }

private:
    plovan::PictureRef from_;
    plovan::PictureRef to_;
    size_t bytes_;
    const uchar *source_;
    uchar *dest_ = nullptr;
};

} // namespace bench
