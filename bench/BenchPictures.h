#pragma once

// What the conversion benchmarks share: their picture and their clock.

#include "platform/Picture.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace bench {

// A deterministic picture with something of everything a photo or a logo has: smooth
// gradients (every threshold cuts somewhere), hard-edged rings, and a noisy band, so the
// black-and-white result and its column bytes are neither all zeros nor one repeated byte.
inline plovan::PictureRef makeSourcePicture(int width, int height)
{
    using namespace plovan;
    PictureRef picture = makePicture(width, height);
    RGBSurface surface = picture->rgbSurface();
    std::uint32_t noise = 0x9E3779B9u;
    for (int y = 0; y < height; ++y) {
        std::uint32_t *row = surface.row(y);
        const int dy = y - height / 2;
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2;
            const int ring = int((std::int64_t(dx) * dx + std::int64_t(dy) * dy) >> 12) & 0xFF;
            const int red = (x * 255) / std::max(1, width - 1);
            const int green = (y * 255) / std::max(1, height - 1);
            int blue = ring < 128 ? 40 : 215;
            if ((y / 512) % 4 == 1) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                blue = int(noise & 0xFF);
            }
            row[x] = RGBSurface::storedColour(RGB(red, green, blue));
        }
    }
    return picture;
}

inline double millisecondsOf(const std::function<void()> &work)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace bench
