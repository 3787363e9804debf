#include "conversion/Redraw.h"

namespace plovan {
namespace {

constexpr std::uint32_t kStoredBlack = RGBSurface::storedColour(kBlack);
constexpr std::uint32_t kStoredWhite = RGBSurface::storedColour(kWhite);

inline int channelSum(std::uint32_t p)
{
    return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
}

} // namespace

void thresholdRow(const std::uint32_t *src, std::uint32_t *dst, int width, int threshold, bool reverse)
{
    // Two plain loops with a select each: the compiler turns both into vector code.
    if (!reverse) {
        const int blackBelow = 3 * threshold;
        for (int x = 0; x < width; ++x)
            dst[x] = channelSum(src[x]) < blackBelow ? kStoredBlack : kStoredWhite;
    } else {
        const int blackAbove = 3 * threshold + 2;
        for (int x = 0; x < width; ++x)
            dst[x] = channelSum(src[x]) > blackAbove ? kStoredBlack : kStoredWhite;
    }
}

void redraw(const WindowState &state, ConversionView &view)
{
    if (!state.hasPictures())
        return;
    const int height = state.pix->Height();
    const int width = state.pix->Width();
    const ConstRGBSurface source = std::as_const(*state.pix).rgbSurface();
    RGBSurface dest = state.destPix->rgbSurface();
    for (int y = 0; y < height; ++y) {
        thresholdRow(source.row(y), dest.row(y), width, state.threshold, state.reverse);
        view.setProgressText(QString::number(y + 1));
    }
    view.setProcessedBackdrop(state.destPix);
}

} // namespace plovan
