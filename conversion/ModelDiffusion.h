#pragma once

#include "conversion/KernelDiffusion.h"

#include <cstdint>
#include <vector>

namespace plovan {

// The dot model's overlaps (DotModel.h) in the units ModelDiffusion keeps its tones in,
// 1/256 of a level, a whole black cell being 255 x 256: round(alpha x 65280) and so on.
struct ModelWeights {
    int alpha = 0;
    int beta = 0;
    int gamma = 0;
};
inline constexpr int kModelBlack = 255 * 256;
ModelWeights modelWeights(int dotGainHundredths);

// Model-based error diffusion (Pappas and Neuhoff, 1995): an error diffusion by `kernel`
// (KernelDiffusion.h's, serpentine or not) that decides each dot against the tone the dot
// model predicts it prints, from the dots already decided. What a dot prints is what it
// adds to the paper's darkness: the rest of its own cell (1 less what the black
// neighbours decided so far already cover of it) and what its disc adds to each white
// neighbour, given the neighbours decided so far (those not yet decided taken as paper);
// a white dot adds nothing. Summed over the picture those are its whole printed darkness
// under the model, so the errors carry exactly what the print gains or loses.
//
// In numbers, with tones in 1/256 of a level and d the kernel's divisor: a pixel's value
// is V = level x 256 d + received, `received` the sum of weight x error of the pixels that
// send it theirs; it is black when V < 128 x 256 d, as the plain diffusions decide at 128.
// Its error is floor(V / d) less 255 x 256 when white, less 255 x 256 - added when black,
// `added` the darkness it adds in ModelWeights' units; the kernel hands it on as it hands
// on the plain error (Atkinson's still dropping a quarter). What would leave the picture
// is dropped. The cells outside the picture are paper and are not counted.
//
// The sums are kept in 32 bits, which leaves a factor of about 200 over the largest a
// black dot's error makes: it adds at most 1 + 4 alpha + 4 beta, under 3.2 cells, and
// 3.2 x 255 x 256 x 48 (the largest divisor) is about 10^7.
template <DiffusionKernel kernel>
class ModelDiffusion {
public:
    // Throws std::bad_alloc.
    ModelDiffusion(int width, int height, bool serpentine, int dotGainHundredths);
    // The next row: reads `width` stored pixels of src, writes opaque black or white to dst.
    void row(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse);
    // The next two rows, with the same result as two calls of row(); for Floyd-Steinberg
    // left to right in much less time (floydSteinbergRows), for the others just those calls.
    void rows(const std::uint32_t *upperSrc, std::uint32_t *upperDst, const std::uint32_t *lowerSrc,
              std::uint32_t *lowerDst, int threshold, bool reverse);

private:
    // Floyd-Steinberg has a loop of its own for rows left to right (floydSteinbergRows).
    static constexpr bool kOwnLoop = kernel == kFloydSteinbergKernel;

    template <int dir>
    void diffuseRow(const std::uint32_t *src, std::uint32_t *dst, int threshold, bool reverse);
    template <int count>
    void floydSteinbergRows(const std::uint32_t *const *src, std::uint32_t *const *dst, int threshold, bool reverse);

    int width_;
    int height_;
    bool serpentine_;
    int y_ = 0;
    // What a black dot adds, for each pattern of the five neighbours already decided
    // (above left, above, above right, left, right: bits 0-4) and of the four sides that
    // lie within the picture (above, below, left, right: bits 5-8).
    std::vector<std::int32_t> added_;
    // diffuseRow's (all but Floyd-Steinberg left to right):
    std::vector<std::uint8_t> above_, here_; // 1 for black, a paper cell either side
    std::vector<std::int32_t> received_[3];  // this row, the next, the one after; 2 a side
    // The row's pixels before the chain: level and what came from above, and what a black
    // dot adds with the pixel behind it white, or black.
    std::vector<std::int16_t> levels_; // the row's levels (scaledHalftoneLevels, shift 0)
    std::vector<std::int32_t> bases_, ifWhite_, ifBlack_;
    // floydSteinbergRows' (Floyd-Steinberg left to right only): the dots of the row above
    // and of the rows it does, 0xFF for black and 0 for white, and the rows' bases, in
    // pairs with a column either side (paper, for the dots) and a little more for the
    // vector loads; the row's patterns above; and what the next row receives from above, a
    // cell either side for the shares that fall off.
    std::vector<std::uint8_t> fsDots_, fsPatterns_;
    std::vector<std::int32_t> fsBases_, fsReceived_;
};

extern template class ModelDiffusion<kFloydSteinbergKernel>;
extern template class ModelDiffusion<kAtkinsonKernel>;
extern template class ModelDiffusion<kJarvisKernel>;
extern template class ModelDiffusion<kStuckiKernel>;
extern template class ModelDiffusion<kSierraKernel>;

} // namespace plovan
