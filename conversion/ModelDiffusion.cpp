#include "conversion/ModelDiffusion.h"

#include "conversion/DotModel.h"
#include "conversion/HalftoneLevel.h"
#include "platform/StoredPixel.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace plovan {
namespace {

constexpr int kPad = 2;

// floor(n / d) for d > 0, also below zero (C++'s division rounds towards zero).
template <int d>
inline int floorDiv(int n)
{
    if constexpr ((d & (d - 1)) == 0) {
        return n >> std::countr_zero(unsigned(d)); // C++20: an arithmetic shift
    } else {
        const int q = n / d;
        return q - int(q * d > n);
    }
}

// What a black dot adds, for the five neighbours decided so far and the sides within the
// picture (the bits of ModelDiffusion's table). The row below is not decided yet: paper.
int addedBy(int pattern, const ModelWeights &w)
{
    const int ul = pattern & 1, u = (pattern >> 1) & 1, ur = (pattern >> 2) & 1;
    const int l = (pattern >> 3) & 1, r = (pattern >> 4) & 1;
    const bool hasAbove = (pattern >> 5) & 1, hasBelow = (pattern >> 6) & 1;
    const bool hasLeft = (pattern >> 7) & 1, hasRight = (pattern >> 8) & 1;
    const int a = w.alpha, b = w.beta, g = w.gamma;
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
    // The cells below, all paper: a side for the one straight below, less the diagonals
    // beside this dot that counted for it; a corner for the two beside it unless a side of
    // theirs next to this dot (the one beside it) is black.
    if (hasBelow) {
        sum += a - (l + r) * b;
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

} // namespace

ModelWeights modelWeights(int dotGainHundredths)
{
    const DotOverlap overlap = dotOverlap(dotGainHundredths / 100.0);
    return {int(std::lround(overlap.alpha * kModelBlack)), int(std::lround(overlap.beta * kModelBlack)),
            int(std::lround(overlap.gamma * kModelBlack))};
}

template <DiffusionKernel kernel>
ModelDiffusion<kernel>::ModelDiffusion(int width, int height, bool serpentine, int dotGainHundredths)
    : width_(width), height_(height), serpentine_(serpentine), added_(512), above_(size_t(width) + 2, 0),
      here_(size_t(width) + 2, 0), levels_(size_t(width)), bases_(size_t(width)), ifWhite_(size_t(width)), ifBlack_(size_t(width))
{
    const ModelWeights weights = modelWeights(dotGainHundredths);
    for (int pattern = 0; pattern < 512; ++pattern)
        added_[size_t(pattern)] = addedBy(pattern, weights);
    for (std::vector<std::int32_t> &row : received_)
        row.assign(size_t(width) + 2 * kPad, 0);
}

template <DiffusionKernel kernel>
template <int dir>
void ModelDiffusion<kernel>::diffuseRow(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    constexpr int d = kernel.divisor;
    const int width = width_;
    std::int32_t *here = received_[y_ % 3].data() + kPad;
    std::int32_t *below = received_[(y_ + 1) % 3].data() + kPad;
    std::int32_t *twoBelow = received_[(y_ + 2) % 3].data() + kPad;
    const std::uint8_t *up = above_.data() + 1;
    std::uint8_t *row = here_.data() + 1;
    const std::int32_t *added = added_.data();
    // Before the chain from pixel to pixel: each pixel's level and what the rows above
    // sent it, and its pattern but for the one neighbour of this row that is decided before
    // it (the one behind it; the one ahead is not decided yet), so that the chain only
    // picks between the two things a black dot there may add.
    std::int32_t *bases = bases_.data();
    std::int32_t *addedIfWhite = ifWhite_.data();
    std::int32_t *addedIfBlack = ifBlack_.data();
    const int rowSides = int(y_ > 0) << 5 | int(y_ + 1 < height_) << 6;
    constexpr int behindBit = dir > 0 ? 1 << 3 : 1 << 4;
    std::int16_t *levels = levels_.data();
    scaledHalftoneLevels(src, levels, width, threshold, reverse, 0);
    for (int x = 0; x < width; ++x)
        bases[x] = levels[x] * (256 * d) + here[x];
    for (int x = 0; x < width; ++x) {
        const int pattern = up[x - 1] | up[x] << 1 | up[x + 1] << 2 | rowSides | int(x > 0) << 7 | int(x + 1 < width) << 8;
        addedIfWhite[x] = added[pattern];
        addedIfBlack[x] = added[pattern | behindBit];
    }
    // The shares for the next pixel and the one after, kept out of memory, and those for
    // the five pixels below and two below around this one (positions x - 2 dir to
    // x + 2 dir), each written out once the last pixel that sends it a share is done.
    constexpr int a0 = kernel.ahead[0], a1 = kernel.ahead[1];
    constexpr int b0 = kernel.below[0], b1 = kernel.below[1], b2 = kernel.below[2], b3 = kernel.below[3],
                  b4 = kernel.below[4];
    constexpr int c0 = kernel.twoBelow[0], c1 = kernel.twoBelow[1], c2 = kernel.twoBelow[2], c3 = kernel.twoBelow[3],
                  c4 = kernel.twoBelow[4];
    int toNext = 0, toSecond = 0;
    int d0 = 0, d1 = 0, d2 = 0, d3 = 0; // below, positions x - 2 dir to x + dir
    int t0 = 0, t1 = 0, t2 = 0, t3 = 0; // two below, likewise
    int behindMask = 0;                 // all ones when the pixel behind is black
    int x = dir > 0 ? 0 : width - 1;
    for (int i = 0; i < width; ++i, x += dir) {
        const int value = bases[x] + toNext;
        const int blackMask = (value - 128 * 256 * d) >> 31; // all ones when black
        // The value less the tone it prints: 255 x 256 (paper) for white, 255 x 256 less
        // what it adds for black.
        const int addedHere = (behindMask & addedIfBlack[x]) | (~behindMask & addedIfWhite[x]);
        const int error = floorDiv<d>(value) - kModelBlack + (blackMask & addedHere);
        behindMask = blackMask;
        row[x] = std::uint8_t(blackMask & 1);
        toNext = toSecond + a0 * error;
        toSecond = a1 * error;
        // Position x - 2 dir has all it gets from this row (the pads take what falls off).
        below[x - 2 * dir] += d0 + b0 * error;
        twoBelow[x - 2 * dir] += t0 + c0 * error;
        d0 = d1 + b1 * error;
        d1 = d2 + b2 * error;
        d2 = d3 + b3 * error;
        d3 = b4 * error;
        t0 = t1 + c1 * error;
        t1 = t2 + c2 * error;
        t2 = t3 + c3 * error;
        t3 = c4 * error;
    }
    // The last four, around the last pixel (x - dir): x - 2 dir to x + dir.
    const int lastDown[4] = {d0, d1, d2, d3}, lastTwoDown[4] = {t0, t1, t2, t3};
    for (int k = 0; k < 4; ++k) {
        below[x + dir * (k - 2)] += lastDown[k];
        twoBelow[x + dir * (k - 2)] += lastTwoDown[k];
    }
    for (int x = 0; x < width; ++x)
        dst[x] = row[x] ? kStoredBlackPixel : kStoredWhitePixel;
    for (std::int32_t *next : {below, twoBelow}) {
        next[-2] = next[-1] = 0;
        next[width] = next[width + 1] = 0;
    }
}

template <DiffusionKernel kernel>
void ModelDiffusion<kernel>::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    std::fill(here_.begin(), here_.end(), 0);
    if (!serpentine_ || y_ % 2 == 0)
        diffuseRow<1>(src, dst, threshold, reverse);
    else
        diffuseRow<-1>(src, dst, threshold, reverse);
    std::fill(received_[y_ % 3].begin(), received_[y_ % 3].end(), 0); // becomes the row after next
    std::swap(above_, here_);
    ++y_;
}

template class ModelDiffusion<kFloydSteinbergKernel>;
template class ModelDiffusion<kAtkinsonKernel>;
template class ModelDiffusion<kJarvisKernel>;
template class ModelDiffusion<kStuckiKernel>;
template class ModelDiffusion<kSierraKernel>;

} // namespace plovan
