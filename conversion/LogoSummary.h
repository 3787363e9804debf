#pragma once

#include <QtGlobal>

namespace plovan {

// The printer's resolution in dots per inch: receipt printers print at 203 dpi, and
// nothing sensible lies outside 1-2400.
inline constexpr int kDefaultDpi = 203;
inline constexpr int kMinDpi = 1;
inline constexpr int kMaxDpi = 2400;

// A logo as the printer receives it: whole bands of eight rows, so a picture whose height
// is not a multiple of 8 prints with white rows filling its last band. Numbers only:
// messages/LogoSummaryWords says them.
struct LogoSummary {
    int width = 0;            // dots
    int height = 0;           // dots: 8 x bands
    int bands = 0;
    qsizetype characters = 0; // of the logo data text, counting "¶" as one

    friend bool operator==(const LogoSummary &, const LogoSummary &) = default;
};

// The summary of a picture of the given size (1-32767 each).
LogoSummary logoSummary(int width, int height);

// Printed length of `dots` at `dpi`: dots x 25.4 / dpi millimetres.
double dotsToMillimetres(int dots, int dpi);

} // namespace plovan
