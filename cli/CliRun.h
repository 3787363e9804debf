#pragma once

#include "CliOptions.h"

namespace plovan::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // the picture could not be loaded, or a file written
inline constexpr int kExitUsage = 2;  // the command line itself is wrong

// Loads the picture (or with --calibration-strip makes the strip), runs the window's conversion and logo data text through a headless
// window, writes the preview and the text. Failures print one line on standard error,
// "plovan-cli: cannot load 'NAME': REASON", and leave standard output empty.
int run(const CliOptions &options);

} // namespace plovan::cli
