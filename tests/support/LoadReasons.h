#pragma once

#include "platform/LoadReason.h"

#include <QString>

namespace plovan {
namespace testsupport {

// A reason as a check's report shows it: its kind and particulars ("DamagedData PNG",
// "OutOfRange 32768x1"). Not the words a user reads; those are the window's and
// plovan-cli's own.
QString describe(const LoadReason &reason);

} // namespace testsupport

// For QCOMPARE's report of two reasons that differ.
char *toString(const LoadReason &reason);

} // namespace plovan
