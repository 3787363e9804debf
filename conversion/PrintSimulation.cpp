#include "conversion/PrintSimulation.h"

#include "platform/StoredPixel.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace plovan {
namespace {

constexpr int kSide = kSimulatedDotPixels;
constexpr int kPoints = 16; // points a side of each pixel

// The eight neighbours, in the order of their bits in a pattern.
constexpr int kNeighbours[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

// Which of a pixel's 16 x 16 points each neighbour's disc covers, a bit each: worked out
// once for the 64 pixels of a cell and the eight neighbours, so that a pattern's pixel is
// the count of the points under any of its black neighbours' discs.
struct PointMasks {
    std::array<std::array<std::uint64_t, kPoints * kPoints / 64>, kSide * kSide> ofNeighbour[8];
};

PointMasks pointMasks(double R)
{
    const double radius2 = R * R / 2;
    PointMasks masks{};
    for (int n = 0; n < 8; ++n) {
        for (int py = 0; py < kSide; ++py) {
            for (int px = 0; px < kSide; ++px) {
                auto &bits = masks.ofNeighbour[n][size_t(py * kSide + px)];
                for (int j = 0; j < kPoints; ++j) {
                    for (int i = 0; i < kPoints; ++i) {
                        // The point's place from the cell's centre, in cells.
                        const double sx = (px + (i + 0.5) / kPoints) / kSide - 0.5;
                        const double sy = (py + (j + 0.5) / kPoints) / kSide - 0.5;
                        const double dx = sx - kNeighbours[n][0], dy = sy - kNeighbours[n][1];
                        const int point = j * kPoints + i;
                        if (dx * dx + dy * dy <= radius2)
                            bits[size_t(point / 64)] |= std::uint64_t(1) << (point % 64);
                    }
                }
            }
        }
    }
    return masks;
}

// A white cell's 8 x 8 stored pixels under the discs of the neighbours in `pattern`.
std::array<std::uint32_t, kSide * kSide> whiteCell(int pattern, const PointMasks &masks)
{
    constexpr int kWords = kPoints * kPoints / 64;
    std::array<std::uint32_t, kSide * kSide> pixels{};
    for (int p = 0; p < kSide * kSide; ++p) {
        std::uint64_t covered[kWords] = {};
        for (int n = 0; n < 8; ++n) {
            if ((pattern >> n) & 1) {
                for (int w = 0; w < kWords; ++w)
                    covered[w] |= masks.ofNeighbour[n][size_t(p)][size_t(w)];
            }
        }
        int count = 0;
        for (const std::uint64_t word : covered)
            count += std::popcount(word);
        const int grey = 255 - (255 * count + kPoints * kPoints / 2) / (kPoints * kPoints);
        pixels[size_t(p)] = kStoredOpaque | std::uint32_t(grey) * 0x010101u;
    }
    return pixels;
}

} // namespace

std::optional<PictureRef> simulatePrint(const Picture &dots, int dotGainHundredths)
{
    const int width = dots.Width(), height = dots.Height();
    if (width > kMaxSimulatedDots || height > kMaxSimulatedDots)
        return std::nullopt;
    PictureRef print = makePictureToOverwrite(width * kSide, height * kSide);
    const ConstRGBSurface source = dots.rgbSurface();
    RGBSurface dest = print->rgbSurface();
    // Row y's cells as 0 for white and 1 for black, with a white cell either side, and the
    // rows above and below: what a pattern is read from.
    std::vector<std::uint8_t> rows[3];
    for (std::vector<std::uint8_t> &row : rows)
        row.assign(size_t(width) + 2, 0);
    auto readRow = [&](int y, std::vector<std::uint8_t> &row) {
        if (y < 0 || y >= height) {
            std::fill(row.begin(), row.end(), 0);
            return;
        }
        const std::uint32_t *src = source.row(y);
        for (int x = 0; x < width; ++x)
            row[size_t(x) + 1] = (src[x] & kRgbMask) == (kStoredBlackPixel & kRgbMask) ? 1 : 0;
    };
    readRow(0, rows[1]);
    readRow(1, rows[2]);
    std::vector<std::array<std::uint32_t, kSide * kSide>> cells(dotGainHundredths == 0 ? 1 : 256);
    std::vector<bool> made(cells.size(), false);
    // Made on the first white cell with a black neighbour.
    std::unique_ptr<PointMasks> masks;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *up = rows[y % 3].data() + 1;
        const std::uint8_t *here = rows[(y + 1) % 3].data() + 1;
        const std::uint8_t *down = rows[(y + 2) % 3].data() + 1;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t *cell = nullptr;
            if (!here[x]) {
                const int pattern = dotGainHundredths == 0
                    ? 0
                    : up[x - 1] | up[x] << 1 | up[x + 1] << 2 | here[x - 1] << 3 | here[x + 1] << 4
                        | down[x - 1] << 5 | down[x] << 6 | down[x + 1] << 7;
                if (!made[size_t(pattern)]) {
                    if (pattern == 0)
                        cells[0].fill(kStoredWhitePixel);
                    else {
                        if (!masks)
                            masks = std::make_unique<PointMasks>(pointMasks(dotGainHundredths / 100.0));
                        cells[size_t(pattern)] = whiteCell(pattern, *masks);
                    }
                    made[size_t(pattern)] = true;
                }
                cell = cells[size_t(pattern)].data();
            }
            for (int py = 0; py < kSide; ++py) {
                std::uint32_t *dst = dest.row(y * kSide + py) + x * kSide;
                if (cell)
                    std::memcpy(dst, cell + py * kSide, kSide * sizeof(std::uint32_t));
                else
                    std::fill(dst, dst + kSide, kStoredBlackPixel);
            }
        }
        readRow(y + 2, rows[y % 3]);
    }
    return print;
}

} // namespace plovan
