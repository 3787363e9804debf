#pragma once

#include "conversion/PrintSettings.h"

#include <QLatin1StringView>
#include <QString>

#include <array>
#include <optional>

namespace plovan {

// The halftones by name: what plovan-cli's --halftone takes and what the window keeps in
// its settings file, so that a file edited by hand reads the same. In the order in which
// menus and help list them.
struct HalftoneName {
    Halftone halftone;
    QLatin1StringView name;
};

inline constexpr std::array<HalftoneName, 9> kHalftoneNames{{
    {Halftone::None, QLatin1StringView("none")},
    {Halftone::FloydSteinberg, QLatin1StringView("floyd-steinberg")},
    {Halftone::Atkinson, QLatin1StringView("atkinson")},
    {Halftone::Ordered, QLatin1StringView("ordered")},
    {Halftone::Jarvis, QLatin1StringView("jarvis")},
    {Halftone::Stucki, QLatin1StringView("stucki")},
    {Halftone::Sierra, QLatin1StringView("sierra")},
    {Halftone::BlueNoise, QLatin1StringView("blue-noise")},
    {Halftone::Clustered, QLatin1StringView("clustered")},
}};

// The halftone of that name, exactly as spelt in the table; nothing for any other text.
std::optional<Halftone> halftoneNamed(const QString &name);

// The name of a halftone.
QLatin1StringView halftoneName(Halftone halftone);

} // namespace plovan
