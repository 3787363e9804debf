#include "conversion/ModelDiffusion.h"

#include "conversion/DotModel.h"
#include "conversion/HalftoneLevel.h"
#include "platform/StoredPixel.h"

#include <algorithm>
#include <cmath>

namespace plovan {
namespace {

constexpr int kPad = 2;

std::int64_t floorDiv(std::int64_t n, std::int64_t d)
{
    const std::int64_t q = n / d;
    return q * d > n ? q - 1 : q;
}

} // namespace

ModelWeights modelWeights(int dotGainHundredths)
{
    const DotOverlap overlap = dotOverlap(dotGainHundredths / 100.0);
    return {int(std::lround(overlap.alpha * kModelBlack)), int(std::lround(overlap.beta * kModelBlack)),
            int(std::lround(overlap.gamma * kModelBlack))};
}

ModelDiffusion::ModelDiffusion(int width, int height, const DiffusionKernel &kernel, bool serpentine,
                               int dotGainHundredths)
    : width_(width), height_(height), kernel_(kernel), serpentine_(serpentine), weights_(modelWeights(dotGainHundredths)),
      above_(size_t(width) + 2, 0), here_(size_t(width) + 2, 0)
{
    for (std::vector<std::int64_t> &row : received_)
        row.assign(size_t(width) + 2 * kPad, 0);
}

int ModelDiffusion::added(int x) const
{
    // Cells are read with a paper cell either side; the row below is not decided yet.
    const std::uint8_t *up = above_.data() + 1;
    const std::uint8_t *row = here_.data() + 1;
    const int a = weights_.alpha, b = weights_.beta, g = weights_.gamma;
    const bool hasAbove = y_ > 0, hasBelow = y_ + 1 < height_;
    const bool hasLeft = x > 0, hasRight = x + 1 < width_;
    const int l = row[x - 1], r = row[x + 1], u = up[x], ul = up[x - 1], ur = up[x + 1];
    // The rest of its own cell: 1 less what its decided neighbours already cover of it (the
    // row below is paper, so only its top corners meet two sides).
    const int covered = (l + r + u) * a + (ul && !u && !l) * b + (ur && !u && !r) * b - (u && l) * g - (u && r) * g;
    int sum = kModelBlack - covered;
    // The white cell above: a side more, less the corners it makes with that cell's own
    // sides, and the diagonals next to this dot that no longer count for it.
    if (hasAbove && !u)
        sum += a - (ul + ur) * g - (l && !ul) * b - (r && !ur) * b;
    // The white cells beside it: their other neighbours are the row above (decided) and
    // the row below (paper).
    if (hasLeft && !l)
        sum += a - ul * g - (u && !ul) * b;
    if (hasRight && !r)
        sum += a - ur * g - (u && !ur) * b;
    // The white cells below: a side for the one straight below, less the diagonals beside
    // this dot that counted for it; a corner for the two beside it unless a side of theirs
    // next to this dot is black.
    if (hasBelow) {
        sum += a - l * b - r * b;
        if (hasLeft && !l)
            sum += b;
        if (hasRight && !r)
            sum += b;
    }
    // The white cells above beside it: a corner each unless a side of theirs next to this
    // dot (the one above it, or the one beside it) is black.
    if (hasAbove && hasLeft && !ul && !u && !l)
        sum += b;
    if (hasAbove && hasRight && !ur && !u && !r)
        sum += b;
    return sum;
}

void ModelDiffusion::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    const int width = width_;
    const int d = kernel_.divisor;
    const bool leftToRight = !serpentine_ || y_ % 2 == 0;
    const int dir = leftToRight ? 1 : -1;
    std::int64_t *here = received_[y_ % 3].data() + kPad;
    std::int64_t *below = received_[(y_ + 1) % 3].data() + kPad;
    std::int64_t *twoBelow = received_[(y_ + 2) % 3].data() + kPad;
    std::fill(here_.begin(), here_.end(), 0);
    std::uint8_t *row = here_.data() + 1;
    for (int i = 0; i < width; ++i) {
        const int x = leftToRight ? i : width - 1 - i;
        const std::int64_t value = std::int64_t(halftoneLevel(src[x], threshold, reverse)) * 256 * d + here[x];
        const bool black = value < std::int64_t(128) * 256 * d;
        // The value less the tone it prints: 255 x 256 (paper) for white, 255 x 256 less
        // what it adds for black.
        std::int64_t error = floorDiv(value, d) - kModelBlack;
        if (black) {
            error += added(x);
            row[x] = 1;
        }
        for (int k = 0; k < 2; ++k) {
            const int at = x + dir * (k + 1);
            if (at >= 0 && at < width)
                here[at] += kernel_.ahead[k] * error;
        }
        for (int k = 0; k < 5; ++k) {
            const int at = x + dir * (k - 2);
            if (at < 0 || at >= width)
                continue;
            below[at] += kernel_.below[k] * error;
            twoBelow[at] += kernel_.twoBelow[k] * error;
        }
        dst[x] = black ? kStoredBlackPixel : kStoredWhitePixel;
    }
    std::fill(received_[y_ % 3].begin(), received_[y_ % 3].end(), 0); // becomes the row after next
    std::swap(above_, here_);
    ++y_;
}

} // namespace plovan
