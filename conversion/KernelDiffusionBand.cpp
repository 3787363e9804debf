#include "conversion/KernelDiffusion.h"

#include "conversion/KernelDiffusionParts.h"
#include "conversion/MaskPixels.h"

#include <algorithm>
#include <type_traits>

// The kernel diffusions a band of eight rows at a time, the rows in the eight 16-bit lanes
// of a vector: lane r does row r of the band, kBandLag pixels behind lane r - 1, so that
// at step t it does pixel t - kBandLag r. A pixel then has all its row above sent it
// (which reaches at most two pixels ahead of it) from the steps just before, in the lane
// below, and all its row's own shares from the same lane: each step is a handful of vector
// operations for eight pixels, where the row loops' chains do one pixel after another.
// The sums and the rounding are those of the row loops (KernelDiffusion.h), in 16 bits
// that may wrap in between; each total lies within 0-32767 (weightsFit), so it comes out
// the same.

namespace plovan {
namespace {

using namespace kerneldiffusion;

constexpr int kRows = 8;
// The band's own rows are read and written up to kBandLag x 7 = 21 places before their
// start and 28 past their end; their buffers have this much on either side.
constexpr int kBandPad = 32;

#if PLOVAN_SSE2

// The number of steps of a band of `width` pixels a row, a whole number of blocks of 8.
int bandSteps(int width)
{
    return (width + kBandLag * (kRows - 1) + kRows - 1) / kRows * kRows;
}

// out[k] lane r = in[r] lane k.
inline void transpose(const __m128i in[8], __m128i out[8])
{
    __m128i a[8], b[8];
    for (int i = 0; i < 4; ++i) {
        a[2 * i] = _mm_unpacklo_epi16(in[2 * i], in[2 * i + 1]);
        a[2 * i + 1] = _mm_unpackhi_epi16(in[2 * i], in[2 * i + 1]);
    }
    for (int i = 0; i < 2; ++i) {
        b[4 * i + 0] = _mm_unpacklo_epi32(a[4 * i + 0], a[4 * i + 2]);
        b[4 * i + 1] = _mm_unpackhi_epi32(a[4 * i + 0], a[4 * i + 2]);
        b[4 * i + 2] = _mm_unpacklo_epi32(a[4 * i + 1], a[4 * i + 3]);
        b[4 * i + 3] = _mm_unpackhi_epi32(a[4 * i + 1], a[4 * i + 3]);
    }
    for (int i = 0; i < 4; ++i) {
        out[2 * i] = _mm_unpacklo_epi64(b[i], b[i + 4]);
        out[2 * i + 1] = _mm_unpackhi_epi64(b[i], b[i + 4]);
    }
}

inline __m128i loadAt(const std::int16_t *at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
}

inline __m128i times(__m128i value, int weight)
{
    return _mm_mullo_epi16(value, _mm_set1_epi16(std::int16_t(weight)));
}

// Eight steps from t0, `bases` their lanes' bases; errors + 8 t is step t's errors (the
// eight steps before step 0 are all 0), blacks + 8 t its black masks. `masked`: some lane
// of these steps is off its row, and its error is made 0, so that it sends nothing.
template <DiffusionKernel kernel, bool masked>
void bandBlock(const __m128i bases[8], std::int16_t *errors, std::int16_t *blacks, int t0, int width, __m128i &previous,
               __m128i &beforePrevious)
{
    using Div = Division<kernel.divisor>;
    static_assert(Div::kPowerOfTwo || (Div::kShift >= 16 && Div::kFactor < 65536));
    const __m128i laneLags = _mm_setr_epi16(0, 3, 6, 9, 12, 15, 18, 21);
    static_assert(kBandLag == 3);
    for (int k = 0; k < kRows; ++k) {
        const int t = t0 + k;
        // Lane r receives from lane r - 1 (the row above), what it did at step t - 1 - j
        // with weight below[j], and from lane r - 2 what it did at step t - 4 - j with
        // twoBelow[j]; lane 0's and lane 1's shares from the rows above the band are in
        // their bases.
        __m128i fromAbove = _mm_setzero_si128(), fromTwoAbove = _mm_setzero_si128();
        for (int j = 1; j < 5; ++j)
            if (kernel.below[j] != 0)
                fromAbove = _mm_add_epi16(fromAbove, times(loadAt(errors + 8 * (t - 1 - j)), kernel.below[j]));
        for (int j = 0; j < 5; ++j)
            if (kernel.twoBelow[j] != 0)
                fromTwoAbove = _mm_add_epi16(fromTwoAbove, times(loadAt(errors + 8 * (t - 4 - j)), kernel.twoBelow[j]));
        const __m128i early = _mm_add_epi16(
            _mm_add_epi16(bases[k], times(beforePrevious, kernel.ahead[1])),
            _mm_add_epi16(_mm_slli_si128(fromAbove, 2), _mm_slli_si128(fromTwoAbove, 4)));
        // The previous step's errors last, being the last to be ready.
        const __m128i moved = _mm_add_epi16(
            early, _mm_add_epi16(_mm_slli_si128(times(previous, kernel.below[0]), 2), times(previous, kernel.ahead[0])));
        __m128i quotients;
        if constexpr (Div::kPowerOfTwo)
            quotients = _mm_srli_epi16(moved, Div::kShift);
        else
            quotients = _mm_srli_epi16(_mm_mulhi_epu16(moved, _mm_set1_epi16(std::int16_t(Div::kFactor))),
                                       Div::kShift - 16);
        const __m128i black = _mm_cmpgt_epi16(_mm_set1_epi16(128 + kOffset), quotients);
        __m128i error = _mm_add_epi16(_mm_sub_epi16(quotients, _mm_set1_epi16(kOffset + 255)),
                                      _mm_and_si128(black, _mm_set1_epi16(255)));
        if constexpr (masked) {
            const __m128i x = _mm_sub_epi16(_mm_set1_epi16(std::int16_t(t)), laneLags);
            const __m128i on = _mm_and_si128(_mm_cmpgt_epi16(x, _mm_set1_epi16(-1)),
                                             _mm_cmpgt_epi16(_mm_set1_epi16(std::int16_t(width)), x));
            error = _mm_and_si128(error, on);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(errors + 8 * t), error);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(blacks + 8 * t), black);
        beforePrevious = previous;
        previous = error;
    }
}

#endif

} // namespace

template <DiffusionKernel kernel>
void KernelDiffusion<kernel>::band(const std::uint32_t *const *src, std::uint32_t *const *dst, int count,
                                   int threshold, bool reverse)
{
#if PLOVAN_SSE2
    const int width = width_;
    const int stride = width + 2 * kBandPad;
    auto baseRow = [&](int r) { return bandBases_.data() + size_t(r) * size_t(stride) + kBandPad; };
    auto whiteRow = [&](int r) { return bandWhites_.data() + size_t(r) * size_t(stride) + kBandPad; };
    // Row y + r's errors go where row y + r - 3 had them.
    auto errorRow = [&](int r) { return errors_[(y_ + r + 3) % 3].data() + kPad; };
    const std::int16_t *above = errorRow(-1), *twoAbove = errorRow(-2);
    // Each lane's bases: its level, and for the band's first two rows what the rows above
    // the band send them; the rest of a band's lanes, past `count`, do a copy of its last
    // row and are not read.
    auto gather = [&](auto reversed) {
        constexpr bool rev = decltype(reversed)::value;
        gatherBases<kernel, rev, 1, 1>(src[0], threshold, above, twoAbove, baseRow(0), width);
        gatherBases<kernel, rev, 1, 1, From::TwoAboveOnly>(src[std::min(1, count - 1)], threshold, nullptr, above,
                                                            baseRow(1), width);
        for (int r = 2; r < kRows; ++r)
            gatherBases<kernel, rev, 1, 1, From::LevelOnly>(src[std::min(r, count - 1)], threshold, nullptr, nullptr,
                                                             baseRow(r), width);
    };
    if (reverse)
        gather(std::true_type());
    else
        gather(std::false_type());

    const int steps = bandSteps(width);
    std::int16_t *errors = bandErrors_.data() + 8 * kRows; // after the eight steps of 0
    std::int16_t *blacks = bandBlacks_.data();
    __m128i previous = _mm_setzero_si128(), beforePrevious = _mm_setzero_si128();
    for (int t0 = 0; t0 < steps; t0 += kRows) {
        __m128i rows[kRows], bases[kRows];
        for (int r = 0; r < kRows; ++r)
            rows[r] = loadAt(baseRow(r) + t0 - kBandLag * r);
        transpose(rows, bases);
        if (t0 < kBandLag * (kRows - 1) || t0 + kRows > width)
            bandBlock<kernel, true>(bases, errors, blacks, t0, width, previous, beforePrevious);
        else
            bandBlock<kernel, false>(bases, errors, blacks, t0, width, previous, beforePrevious);
    }

    // Back from steps to rows: the pixels' bytes of every row, the errors of the last two
    // for the rows after the band. What lies off a row (0, being masked) goes into the
    // buffers' margins.
    const int keepFrom = std::max(0, count - 2);
    for (int t0 = 0; t0 < steps; t0 += kRows) {
        __m128i steps8[kRows], rows[kRows];
        for (int k = 0; k < kRows; ++k)
            steps8[k] = loadAt(blacks + 8 * (t0 + k));
        transpose(steps8, rows);
        for (int r = 0; r < count; ++r) {
            const __m128i white = _mm_xor_si128(rows[r], _mm_set1_epi16(-1));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(whiteRow(r) + t0 - kBandLag * r),
                             _mm_packs_epi16(white, white));
        }
        for (int k = 0; k < kRows; ++k)
            steps8[k] = loadAt(errors + 8 * (t0 + k));
        transpose(steps8, rows);
        for (int r = keepFrom; r < count; ++r)
            _mm_storeu_si128(reinterpret_cast<__m128i *>(errorRow(r) + t0 - kBandLag * r), rows[r]);
    }
    for (int r = 0; r < count; ++r)
        writeBlackAndWhite(whiteRow(r), dst[r], width);
    y_ = (y_ + count) % 6;
#else
    for (int r = 0; r < count; ++r)
        row(src[r], dst[r], threshold, reverse);
#endif
}

template <DiffusionKernel kernel>
void KernelDiffusion<kernel>::makeBandBuffers()
{
#if PLOVAN_SSE2
    const size_t stride = size_t(width_) + 2 * kBandPad;
    bandBases_.assign(kRows * stride, 0);
    bandWhites_.assign(kRows * stride, 0);
    const size_t steps = size_t(bandSteps(width_));
    bandErrors_.assign((steps + kRows) * kRows, 0);
    bandBlacks_.assign(steps * kRows, 0);
#endif
}

#define PLOVAN_BAND(kernel)                                                                                            \
    template void KernelDiffusion<kernel>::band(const std::uint32_t *const *, std::uint32_t *const *, int, int, bool); \
    template void KernelDiffusion<kernel>::makeBandBuffers();
PLOVAN_BAND(kJarvisKernel)
PLOVAN_BAND(kStuckiKernel)
PLOVAN_BAND(kSierraKernel)
PLOVAN_BAND(kFloydSteinbergKernel)
PLOVAN_BAND(kAtkinsonKernel)
#undef PLOVAN_BAND

} // namespace plovan
