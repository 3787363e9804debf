#pragma once

#include <QtGlobal>

#include <optional>

namespace plovan {

// Memory the system can still give us without swapping out others or killing us, for
// refusing a picture up front that would not fit; nothing where the system cannot tell,
// and then an allocation that fails is caught as std::bad_alloc instead.
//
// Linux (AvailableMemoryLinux.cpp): MemAvailable plus free swap from /proc/meminfo. Linux
// hands out memory it does not have and settles up on first touch, by killing a process,
// so there the check up front is what keeps a big picture from ending the program.
// Elsewhere (AvailableMemoryPortable.cpp) neither Qt nor the C++ library can tell: nothing.
// Windows commits memory when it is asked for, so there a picture that does not fit
// fails as std::bad_alloc at its allocation.
std::optional<qint64> availableMemoryBytes();

} // namespace plovan
