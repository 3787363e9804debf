#pragma once

#include <cstdint>
#include <vector>

namespace plovan {

// Error diffusion by a kernel of weights over the next two pixels of the row and five
// pixels of each of the two rows below, all in 1/divisor of the error. The same rules as
// ErrorDiffusion.h: one row at a time from the top; a pixel's value is its level
// (halftoneLevel) plus what it has received, rounded to the nearest whole level with
// halves up, that is floor((level x divisor + divisor / 2 + received) / divisor) with
// `received` in 1/divisor and the division rounding down also below zero; the pixel is
// black when that value is below 128; its error, the value less 255 when white and the
// value itself when black, goes on exactly as weight x error in 1/divisor; error that
// would leave the picture is dropped. Three rows of errors are kept (and band() keeps its
// eight rows' worth as it goes).
//
// Serpentine: row 0 runs left to right, row 1 right to left, and so on, each row's kernel
// mirrored to its direction, so that the error of a right-to-left row goes on to the left
// and its shares below are mirrored too. Without it every row runs left to right.
struct DiffusionKernel {
    int divisor;
    int ahead[2];    // to the next pixel of the row and the one after
    int below[5];    // to the row below, from two pixels behind to two ahead
    int twoBelow[5]; // to the row after that, likewise

    friend constexpr bool operator==(const DiffusionKernel &, const DiffusionKernel &) = default;
};

// Jarvis, Judice and Ninke (1976): 7 5 / 3 5 7 5 3 / 1 3 5 3 1, over 48.
inline constexpr DiffusionKernel kJarvisKernel{48, {7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}};
// Stucki (1981): 8 4 / 2 4 8 4 2 / 1 2 4 2 1, over 42.
inline constexpr DiffusionKernel kStuckiKernel{42, {8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1}};
// Sierra's three-row kernel: 5 3 / 2 4 5 4 2 / 2 3 2, over 32.
inline constexpr DiffusionKernel kSierraKernel{32, {5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0}};
// Floyd-Steinberg and Atkinson as kernels, for their serpentine rows (ErrorDiffusion.h
// has the faster left-to-right forms, with the same results).
inline constexpr DiffusionKernel kFloydSteinbergKernel{16, {7, 0}, {0, 3, 5, 1, 0}, {0, 0, 0, 0, 0}};
inline constexpr DiffusionKernel kAtkinsonKernel{8, {1, 1}, {0, 1, 1, 1, 0}, {0, 0, 1, 0, 0}};

template <DiffusionKernel kernel>
class KernelDiffusion {
public:
    // Throws std::bad_alloc.
    KernelDiffusion(int width, bool serpentine);
    // The next row: reads `width` stored pixels of src, writes opaque black or white to dst.
    void row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse);
    // The next `count` rows, 1 to kBandRows, src[i] and dst[i] being row i's, with the same
    // result as a call of row() for each and in less time still; without serpentine rows
    // only (KernelDiffusionBand.cpp).
    static constexpr int kBandRows = 8;
    void band(const std::uint32_t *const *src, std::uint32_t *const *dst, int count, int threshold, bool reverse);

private:
    void makeBandBuffers();

    int width_;
    bool serpentine_;
    int y_ = 0;                          // the row row() does next
    std::vector<std::int16_t> errors_[3]; // whole-level errors of the last three rows, padded;
                                          // a row's bases (gatherBases) until they are done
    std::vector<std::uint8_t> whites_;    // the row's pixels, 0xFF for white, until written out
    // band()'s, made without serpentine rows where SSE2 is built: its rows' bases and
    // pixels' bytes, padded, and each of its steps' errors and black masks.
    std::vector<std::int16_t> bandBases_;
    std::vector<std::uint8_t> bandWhites_;
    std::vector<std::int16_t> bandErrors_;
    std::vector<std::int16_t> bandBlacks_;
};

// A band of rows, the pixels of the row below kBandLag places behind: what a pixel receives
// from the row above comes from at most two places ahead of it.
inline constexpr int kBandLag = 3;

extern template class KernelDiffusion<kJarvisKernel>;
extern template class KernelDiffusion<kStuckiKernel>;
extern template class KernelDiffusion<kSierraKernel>;
extern template class KernelDiffusion<kFloydSteinbergKernel>;
extern template class KernelDiffusion<kAtkinsonKernel>;

using JarvisDiffusion = KernelDiffusion<kJarvisKernel>;
using StuckiDiffusion = KernelDiffusion<kStuckiKernel>;
using SierraDiffusion = KernelDiffusion<kSierraKernel>;

} // namespace plovan
