// Free memory where the system cannot tell us: see AvailableMemory.h.
#include "platform/AvailableMemory.h"

namespace plovan {

std::optional<qint64> availableMemoryBytes()
{
    return std::nullopt;
}

} // namespace plovan
