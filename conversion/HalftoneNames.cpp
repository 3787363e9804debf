#include "conversion/HalftoneNames.h"

namespace plovan {

std::optional<Halftone> halftoneNamed(const QString &name)
{
    for (const HalftoneName &entry : kHalftoneNames) {
        if (name == entry.name)
            return entry.halftone;
    }
    return std::nullopt;
}

QLatin1StringView halftoneName(Halftone halftone)
{
    for (const HalftoneName &entry : kHalftoneNames) {
        if (entry.halftone == halftone)
            return entry.name;
    }
    return kHalftoneNames[0].name; // not reached: every halftone is in the table
}

} // namespace plovan
