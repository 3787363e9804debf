#pragma once

#include "CliOptions.h"

namespace plovan::cli {

// plovan-cli --check: reads logo data text from a file or standard input. Valid: prints
// "WxH dots, B bands, C characters, w.wxh.h mm at D dpi" on standard output, writes the
// picture as a PNG when asked, and gives kExitOk. Not valid: one line on standard error,
// "plovan-cli: 'NAME' is not logo data text: line L, column C: REASON", and kExitFailed,
// as for a file that cannot be read. Standard output stays empty on every failure.
int runCheck(const CliOptions &options);

} // namespace plovan::cli
