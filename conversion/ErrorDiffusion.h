#pragma once

#include <cstdint>
#include <vector>

namespace plovan {

// Error diffusion over a picture, one row at a time from the top, each row left to right
// (serpentine rows and the larger kernels are KernelDiffusion.h's). A pixel is
// black when its level (halftoneLevel) plus the error it has received is below 128; what
// that choice misses by is handed on to neighbours not yet done, in whole integers. Error
// that would leave the picture is dropped. Only a row or two of errors are kept.

// Floyd-Steinberg: 7/16 of the error to the right, 3/16, 5/16 and 1/16 to the pixels
// below left, below and below right.
class FloydSteinberg {
public:
    // Throws std::bad_alloc.
    explicit FloydSteinberg(int width);
    // The next row: reads `width` stored pixels of src, writes opaque black or white to dst.
    void row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse);
    // The next two rows, with the same result as two calls of row() and in about half the
    // time.
    void rows(const std::uint32_t *upperSrc, std::uint32_t *upperDst, const std::uint32_t *lowerSrc,
              std::uint32_t *lowerDst, int threshold, bool reverse);

private:
    int width_;
    std::vector<std::int32_t> errors_; // what the next row receives from above, in 1/16
    std::vector<std::int16_t> levels_; // the rows' levels in sixteenths (scaledHalftoneLevels)
    std::vector<std::uint8_t> whites_; // the rows' pixels, 0xFF for white, until written out
};

// Atkinson: 1/8 of the error to each of six pixels (two to the right, three below, one two
// rows down); the last quarter is dropped on purpose, which keeps highlights and shadows
// clean at the cost of a solid black or white in the darkest and lightest greys.
class Atkinson {
public:
    // Throws std::bad_alloc.
    explicit Atkinson(int width);
    void row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse);

private:
    int width_;
    std::vector<std::int32_t> rows_[3]; // errors in 1/8 for this row, the next and the one after
    int first_ = 0;                     // which of rows_ is this row's
    std::vector<std::int16_t> levels_;  // the row's levels in eighths (scaledHalftoneLevels)
    std::vector<std::uint8_t> whites_;  // the row's pixels, 0xFF for white, until written out
};

} // namespace plovan
