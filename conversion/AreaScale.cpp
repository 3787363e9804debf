#include "conversion/AreaScale.h"

#include "platform/StoredPixel.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "conversion/Sse2.h"

namespace plovan {
namespace {

// How the pixels of one axis, n of them, fall onto m new ones. Measured in 1/m of a
// source pixel, new pixel i covers [i n, (i + 1) n) and source pixel j covers
// [j m, (j + 1) m): each overlap is a whole number, 1 to m, and the overlaps of one new
// pixel add up to n. The weights are exact, so the average needs no rounding until the end.
struct Coverage {
    std::vector<int> first;              // first source pixel of new pixel i
    std::vector<int> start;              // weights of new pixel i: [start[i], start[i + 1])
    std::vector<std::uint32_t> weights;  // overlap of each source pixel, left to right

    Coverage(int n, int m)
    {
        first.reserve(size_t(m));
        start.reserve(size_t(m) + 1);
        weights.reserve(size_t(m) + size_t(n));
        for (qint64 i = 0; i < m; ++i) {
            const qint64 low = i * n;
            const qint64 high = low + n;
            first.push_back(int(low / m));
            start.push_back(int(weights.size()));
            for (qint64 j = low / m; j * m < high; ++j)
                weights.push_back(std::uint32_t(std::min((j + 1) * m, high) - std::max(j * m, low)));
        }
        start.push_back(int(weights.size()));
    }

    int count(int i) const { return start[size_t(i) + 1] - start[size_t(i)]; }
    const std::uint32_t *weightsOf(int i) const { return weights.data() + start[size_t(i)]; }
};

// Rounds num / d to the nearest whole number, halves up, without a 64-bit division per
// channel: a product with the reciprocal is within one of the quotient, and one integer
// check on either side makes it exact.
class RoundedDivision {
public:
    explicit RoundedDivision(std::uint64_t divisor) : d_(divisor), half_(divisor / 2), inverse_(1.0 / double(divisor)) {}

    std::uint32_t operator()(std::uint64_t num) const
    {
        const std::uint64_t t = num + half_;
        std::uint64_t q = std::uint64_t(double(t) * inverse_);
        if (q * d_ > t)
            --q;
        else if ((q + 1) * d_ <= t)
            ++q;
        return std::uint32_t(q);
    }

private:
    std::uint64_t d_;
    std::uint64_t half_;
    double inverse_;
};

// sums[k] = weight x bytes[k] (start) or sums[k] += weight x bytes[k] for `count` bytes of
// stored pixels (four sums per pixel, the top byte's unused): one source row's share of a
// new row. At most 255 x the source height per sum, which 32 bits hold. The products are
// taken in 16-bit halves (weight <= 32767, byte <= 255) and joined into 32 bits.
template <bool start>
void accumulateRow(const std::uint8_t *bytes, std::uint32_t *sums, qsizetype count, std::uint32_t weight)
{
    qsizetype k = 0;
#if PLOVAN_SSE2
    const __m128i weights = _mm_set1_epi16(short(weight));
    const __m128i zero = _mm_setzero_si128();
    for (; k + 16 <= count; k += 16) {
        // The row ahead is requested early: in a virtual machine's 4 KiB pages the
        // processor's own prefetcher stops at every page boundary.
        _mm_prefetch(reinterpret_cast<const char *>(bytes + k) + 2048, _MM_HINT_T0);
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + k));
        auto *out = reinterpret_cast<__m128i *>(sums + k);
        for (int half = 0; half < 2; ++half) {
            const __m128i wide = half ? _mm_unpackhi_epi8(in, zero) : _mm_unpacklo_epi8(in, zero);
            const __m128i low = _mm_mullo_epi16(wide, weights);
            const __m128i high = _mm_mulhi_epu16(wide, weights);
            __m128i p0 = _mm_unpacklo_epi16(low, high);
            __m128i p1 = _mm_unpackhi_epi16(low, high);
            if (!start) {
                p0 = _mm_add_epi32(p0, _mm_loadu_si128(out + 2 * half));
                p1 = _mm_add_epi32(p1, _mm_loadu_si128(out + 2 * half + 1));
            }
            _mm_storeu_si128(out + 2 * half, p0);
            _mm_storeu_si128(out + 2 * half + 1, p1);
        }
    }
#endif
    for (; k < count; ++k)
        sums[k] = (start ? 0 : sums[k]) + weight * bytes[k];
}

// One new row from the column sums of its source rows: each new pixel's blue, green and
// red are the weighted sums over its source columns, divided by the whole area (source
// width x source height, in the units of the weights) and rounded.
void finishRow(const std::uint32_t *sums, std::uint32_t *out, const Coverage &columns, int newWidth,
               const RoundedDivision &divide)
{
    for (int x = 0; x < newWidth; ++x) {
        const std::uint32_t *sum = sums + 4 * qsizetype(columns.first[size_t(x)]);
        const std::uint32_t *weight = columns.weightsOf(x);
        std::uint64_t blue = 0, green = 0, red = 0;
        for (int k = 0, n = columns.count(x); k < n; ++k, sum += 4) {
            blue += std::uint64_t(weight[k]) * sum[0];
            green += std::uint64_t(weight[k]) * sum[1];
            red += std::uint64_t(weight[k]) * sum[2];
        }
        out[x] = kStoredOpaque | divide(red) << 16 | divide(green) << 8 | divide(blue);
    }
}

} // namespace

qint64 scaledHeight(int width, int height, int newWidth)
{
    return std::max<qint64>(1, (2 * qint64(height) * newWidth + width) / (2 * qint64(width)));
}

PictureRef scalePicture(const Picture &source, int newWidth, int newHeight)
{
    Picture::checkSize(newWidth, newHeight);
    const int width = source.Width();
    const int height = source.Height();
    PictureRef scaled = makePicture(newWidth, newHeight);
    const Coverage columns(width, newWidth);
    const Coverage rows(height, newHeight);
    const RoundedDivision divide(std::uint64_t(width) * std::uint64_t(height));
    const qsizetype bytesPerRow = 4 * qsizetype(width);
    std::vector<std::uint32_t> sums(static_cast<size_t>(bytesPerRow));

    // Rows first: a new row sums its source rows column by column, reading each source row
    // once (twice where it straddles two new rows), then the columns of that one row.
    const ConstRGBSurface in = source.rgbSurface();
    RGBSurface out = scaled->rgbSurface();
    for (int y = 0; y < newHeight; ++y) {
        const int first = rows.first[size_t(y)];
        const std::uint32_t *weight = rows.weightsOf(y);
        for (int k = 0, n = rows.count(y); k < n; ++k) {
            const auto *bytes = reinterpret_cast<const std::uint8_t *>(in.row(first + k));
            if (k == 0)
                accumulateRow<true>(bytes, sums.data(), bytesPerRow, weight[k]);
            else
                accumulateRow<false>(bytes, sums.data(), bytesPerRow, weight[k]);
        }
        finishRow(sums.data(), out.row(y), columns, newWidth, divide);
    }
    return scaled;
}

} // namespace plovan
