#include "conversion/ModelDiffusion.h"

#include "conversion/DotModel.h"
#include "conversion/HalftoneLevel.h"
#include "conversion/MaskPixels.h"
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

// Floyd-Steinberg's own loop (floydSteinbergRows) keeps its numbers moved by constants
// that cost it nothing there. A value starts from 128 x 256 x 16 below the true one, so a
// pixel is black when it is below 0, a sign bit away; then floor(value / 16) is the true
// one's less kFsBlackBelow / 16, and an error comes out as the true one less
// kFsErrorOffset (the move of floor(value / 16) less the black cell's 255 x 256). What a
// row sends the next is the sum of its shares of those errors, so a pixel receives
// kFsErrorOffset times the weights it gets from above less than the true sum, and from
// the pixel behind 7 kFsErrorOffset less: its base (floydSteinbergBases) puts all of it
// back. Every sum is an integer: the true values and decisions come out exactly.
constexpr int kFsBlackBelow = 128 * 256 * 16;
constexpr int kFsErrorOffset = kFsBlackBelow / 16 - kModelBlack;

// What pixel x of a row `width` wide gets back in its base: the weights from above (1 from
// above left, 5 from above, 3 from above right, where those lie in the picture and there
// is a row above), 7 from behind (but at the start of the row), times kFsErrorOffset; less
// kFsBlackBelow.
inline int floydSteinbergOffset(int x, int width, bool hasAbove)
{
    const int fromAbove = hasAbove ? int(x > 0) + 5 + 3 * int(x + 1 < width) : 0;
    return (fromAbove + 7 * int(x > 0)) * kFsErrorOffset - kFsBlackBelow;
}

// Floyd-Steinberg's bases before the chain (floydSteinbergRows), for `count` rows (1 or
// 2) of src: each pixel's level x 256 x 16 with its floydSteinbergOffset, plus for the
// first row what it received from the row above, `received`; the two rows' pixels in
// pairs, pairs[2x] and pairs[2x + 1] (not used with one row).
// The first row has one above but at the top of the picture (`firstHasAbove`); the second
// row's is the first, which sends it its shares in the chain.
template <bool reverse>
void floydSteinbergBases(const std::uint32_t *const *src, int count, const std::int32_t *received, std::int32_t *pairs,
                         int width, int threshold, bool firstHasAbove)
{
    constexpr int kLevel = 256 * 16;
    auto base = [&](int row, int x) {
        const int level = halftoneLevel(src[row][x], threshold, reverse) * kLevel;
        return level + floydSteinbergOffset(x, width, row > 0 || firstHasAbove) + (row == 0 ? received[x] : 0);
    };
    int x = 0;
#if PLOVAN_SSE2
    // Whole blocks with the offset of the pixels within the row; its ends are done again
    // below.
    const __m128i shift = _mm_set1_epi32(128 - threshold);
    const int innerOffset[2] = {floydSteinbergOffset(1, 3, firstHasAbove), floydSteinbergOffset(1, 3, true)};
    auto four = [&](int row, int at) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src[row] + at));
        const __m128i levels = _mm_slli_epi32(halftoneLevelsFour<reverse>(pixels, shift), std::countr_zero(unsigned(kLevel)));
        return _mm_add_epi32(levels, _mm_set1_epi32(innerOffset[row]));
    };
    for (; x + 16 <= width; x += 16) {
        // Requested well ahead, as scaledHalftoneLevels does.
        for (int row = 0; row < count; ++row)
            _mm_prefetch(reinterpret_cast<const char *>(src[row] + x) + 2048, _MM_HINT_T0);
        for (int k = x; k < x + 16; k += 4) {
            const __m128i upper = _mm_add_epi32(four(0, k), _mm_loadu_si128(reinterpret_cast<const __m128i *>(received + k)));
            const __m128i lower = count == 2 ? four(1, k) : _mm_setzero_si128();
            _mm_storeu_si128(reinterpret_cast<__m128i *>(pairs + 2 * k), _mm_unpacklo_epi32(upper, lower));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(pairs + 2 * k + 4), _mm_unpackhi_epi32(upper, lower));
        }
    }
#endif
    for (; x < width; ++x) {
        for (int row = 0; row < count; ++row)
            pairs[2 * x + row] = base(row, x);
    }
    for (const int end : {0, width - 1}) {
        for (int row = 0; row < count && width > 0; ++row)
            pairs[2 * end + row] = base(row, end);
    }
}

// The patterns of the row above (floydSteinbergRows) for each pixel of a row: its dots
// above left, above and above right as bits 0-2, from every other byte of `dots` (0 for
// white, 0xFF for black), one a side beyond the row included (paper).
void floydSteinbergPatterns(const std::uint8_t *dots, std::uint8_t *patterns, int width)
{
    int x = 0;
#if PLOVAN_SSE2
    const __m128i low = _mm_set1_epi16(0xFF);
    // The 16 dots from dots[2 at], one a byte.
    auto sixteen = [&](const std::uint8_t *at) {
        const auto *in = reinterpret_cast<const __m128i *>(at);
        return _mm_packus_epi16(_mm_and_si128(_mm_loadu_si128(in), low), _mm_and_si128(_mm_loadu_si128(in + 1), low));
    };
    for (; x + 16 <= width; x += 16) {
        const __m128i left = _mm_and_si128(sixteen(dots + 2 * x - 2), _mm_set1_epi8(1));
        const __m128i here = _mm_and_si128(sixteen(dots + 2 * x), _mm_set1_epi8(2));
        const __m128i right = _mm_and_si128(sixteen(dots + 2 * x + 2), _mm_set1_epi8(4));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(patterns + x), _mm_or_si128(_mm_or_si128(left, here), right));
    }
#endif
    for (; x < width; ++x)
        patterns[x] = std::uint8_t((dots[2 * x - 2] & 1) | (dots[2 * x] & 2) | (dots[2 * x + 2] & 4));
}

// What a black dot adds, for the eight patterns of its decided neighbours above (bits 0-2)
// and one set of sides, with the pixel behind it white, and that XOR with the pixel behind
// black: the chain picks between them by the pixel behind without waiting on a load.
struct FloydSteinbergTable {
    std::int32_t behindWhite[8];
    std::int32_t behindBlack[8]; // XOR behindWhite

    // From ModelDiffusion's table of all patterns, at the sides' bits.
    FloydSteinbergTable(const std::int32_t *added, int sides)
    {
        for (int pattern = 0; pattern < 8; ++pattern) {
            behindWhite[pattern] = added[sides | pattern];
            behindBlack[pattern] = added[sides | pattern | 1 << 3] ^ behindWhite[pattern];
        }
    }
};

// One row of floydSteinbergRows' chain: the pixel's value, whether the pixel behind is
// black, and the shares for the two pixels below still collecting (of the moved errors).
struct FloydSteinbergRow {
    int value = 0;      // the pixel's value, moved (above)
    int behindMask = 0; // all ones when the pixel behind is black
    int above = 0;      // for the lower row of a pair: its pattern above, as it goes
    int belowLeft = 0, belowHere = 0;

    // The pixel: decides it (`dot`, 0xFF for black), and sends its error on, 7/16 to the
    // next pixel, whose base is `nextBase`. `pattern` is its dots above (bits 0-2),
    // `table` for its sides. Returns the finished share of the pixel below left. The
    // arithmetic is diffuseRow's for this kernel, moved, without a branch.
    std::int32_t pass(int nextBase, unsigned pattern, const FloydSteinbergTable &table, std::uint8_t &dot)
    {
        const int added = table.behindWhite[pattern] ^ (behindMask & table.behindBlack[pattern]);
        const int blackMask = value >> 31;
        const int error = floorDiv<16>(value) + (blackMask & added);
        behindMask = blackMask;
        dot = std::uint8_t(blackMask);
        value = nextBase + 7 * error;
        const std::int32_t finished = belowLeft + 3 * error;
        belowLeft = belowHere + 5 * error;
        belowHere = error;
        return finished;
    }
};

} // namespace

ModelWeights modelWeights(int dotGainHundredths)
{
    const DotOverlap overlap = dotOverlap(dotGainHundredths / 100.0);
    return {int(std::lround(overlap.alpha * kModelBlack)), int(std::lround(overlap.beta * kModelBlack)),
            int(std::lround(overlap.gamma * kModelBlack))};
}

template <DiffusionKernel kernel>
ModelDiffusion<kernel>::ModelDiffusion(int width, int height, bool serpentine, int dotGainHundredths)
    : width_(width), height_(height), serpentine_(serpentine), added_(512)
{
    const ModelWeights weights = modelWeights(dotGainHundredths);
    for (int pattern = 0; pattern < 512; ++pattern)
        added_[size_t(pattern)] = addedBy(pattern, weights);
    const size_t w = size_t(width);
    if (kOwnLoop && !serpentine) {
        fsDots_.assign(2 * w + 8, 0);
        fsPatterns_.assign(w, 0);
        fsReceived_.assign(w + 2, 0);
        fsBases_.assign(2 * (w + 2), 0);
        return;
    }
    above_.assign(w + 2, 0);
    here_.assign(w + 2, 0);
    for (std::vector<std::int32_t> &row : received_)
        row.assign(w + 2 * kPad, 0);
    levels_.resize(w);
    bases_.resize(w);
    ifWhite_.resize(w);
    ifBlack_.resize(w);
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

// Floyd-Steinberg left to right, `count` rows (1 or 2) of diffuseRow's arithmetic. Before
// the chain the rows' bases (floydSteinbergBases) and the first row's patterns above
// (floydSteinbergPatterns); then the chain; then the dots written out. Two rows run at
// once, the lower one two pixels behind: a pixel of the lower row has all it receives from
// above, and its pattern above, once the upper row has passed the pixel to its right, and
// the two chains, each waiting on its own previous pixel, overlap in the processor. The
// lower row takes the upper row's shares straight from the upper's; its own shares go to
// fsReceived_ for the next call.
//
// The two rows' dots are kept in pairs, the upper's in fsDots_[2x] and the lower's in
// fsDots_[2x + 1], where the row above's are until the lower row gets there (the upper
// row's patterns are taken before). A single row writes fsDots_[2x + 1]. The bases are in
// pairs too.
//
// What a black dot adds depends on the pixel's sides too: all four lie within the picture
// but in the first and last rows and at either end of a row, so the ends of the rows go
// by one at a time and the rest by one loop, with its rows' tables made beside it.
template <DiffusionKernel kernel>
template <int count>
void ModelDiffusion<kernel>::floydSteinbergRows(const std::uint32_t *const *src, std::uint32_t *const *dst,
                                                int threshold, bool reverse)
{
    const int width = width_;
    const int y = y_;
    std::uint8_t *dots = fsDots_.data() + 2;
    std::uint8_t *patterns = fsPatterns_.data();
    std::int32_t *received = fsReceived_.data() + 1;
    std::int32_t *bases = fsBases_.data() + 2;
    if (reverse)
        floydSteinbergBases<true>(src, count, received, bases, width, threshold, y > 0);
    else
        floydSteinbergBases<false>(src, count, received, bases, width, threshold, y > 0);
    floydSteinbergPatterns(dots + 1, patterns, width);
    auto table = [&](int row, int x) {
        return FloydSteinbergTable(
            added_.data(), int(row > 0) << 5 | int(row + 1 < height_) << 6 | int(x > 0) << 7 | int(x + 1 < width) << 8);
    };
    FloydSteinbergRow upper, lower;
    upper.value = bases[0];
    int lowerNext = 0; // the lower row's next base with all it receives from above
    // Upper pixel x; its finished share below left goes to the lower row's pixel x - 1, or
    // with one row to fsReceived_.
    auto upperAt = [&](int x, const FloydSteinbergTable &table) {
        std::uint8_t &dot = dots[2 * x + (count == 2 ? 0 : 1)];
        const std::int32_t finished = upper.pass(bases[2 * x + 2], patterns[x], table, dot);
        if constexpr (count == 1)
            received[x - 1] = finished;
        else
            lowerNext = bases[2 * x - 1] + finished;
    };
    // Lower pixel x, `aboveRight` the upper row's dot above right (0xFF for black); its
    // pattern above comes from those as it goes, bits 0-2 for above left to above right.
    auto lowerAt = [&](int x, int aboveRight, const FloydSteinbergTable &table) {
        lower.above = (lower.above >> 1) | (aboveRight & 4);
        received[x - 1] = lower.pass(lowerNext, unsigned(lower.above), table, dots[2 * x + 1]);
    };
    int x = 0;
    if constexpr (count == 1) {
        const FloydSteinbergTable inner = table(y, 1);
        for (; x < std::min(1, width); ++x)
            upperAt(x, table(y, x));
        for (; x < width - 1; ++x)
            upperAt(x, inner);
        for (; x < width; ++x)
            upperAt(x, table(y, x));
        received[width - 1] = upper.belowLeft;
    } else {
        // Step x: upper pixel x, then lower pixel x - 2, each where it lies in its row.
        // The upper row's dot behind its pixel x is the lower's above right.
        auto edgeStep = [&](int step) {
            const int upperBehind = step <= width ? upper.behindMask : 0;
            if (step < width)
                upperAt(step, table(y, step));
            else if (step == width)
                lowerNext = bases[2 * width - 1] + upper.belowLeft;
            if (step == 1) {
                lower.value = lowerNext;
                lower.above = upperBehind & 4;
            }
            if (step >= 2)
                lowerAt(step - 2, upperBehind, table(y + 1, step - 2));
        };
        const FloydSteinbergTable upperInner = table(y, 1), lowerInner = table(y + 1, 1);
        for (; x < std::min(3, width + 2); ++x)
            edgeStep(x);
        for (; x < width - 1; ++x) {
            const int upperBehind = upper.behindMask;
            upperAt(x, upperInner);
            lowerAt(x - 2, upperBehind, lowerInner);
        }
        for (; x < width + 2; ++x)
            edgeStep(x);
        received[width - 1] = lower.belowLeft;
        writeEveryOtherDot(dots, dst[0], width);
    }
    writeEveryOtherDot(dots + 1, dst[count - 1], width);
    y_ += count;
}

template <DiffusionKernel kernel>
void ModelDiffusion<kernel>::rows(const std::uint32_t *upperSrc, std::uint32_t *upperDst, const std::uint32_t *lowerSrc,
                                  std::uint32_t *lowerDst, int threshold, bool reverse)
{
    if (kOwnLoop && !serpentine_) {
        const std::uint32_t *src[2] = {upperSrc, lowerSrc};
        std::uint32_t *dst[2] = {upperDst, lowerDst};
        floydSteinbergRows<2>(src, dst, threshold, reverse);
        return;
    }
    row(upperSrc, upperDst, threshold, reverse);
    row(lowerSrc, lowerDst, threshold, reverse);
}

template <DiffusionKernel kernel>
void ModelDiffusion<kernel>::row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse)
{
    if (kOwnLoop && !serpentine_) {
        floydSteinbergRows<1>(&src, &dst, threshold, reverse);
        return;
    }
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
