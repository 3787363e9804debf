#include "conversion/LogoTextUnits.h"

namespace plovan::logotextunits {

bool Utf8::isUtf16(const Unit *p, const Unit *end)
{
    if (end - p < 2)
        return false;
    const auto ascii = [](Unit unit) { return unit > 0 && unit < 0x80; };
    return (p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF) || (ascii(p[0]) && p[1] == 0)
        || (p[0] == 0 && ascii(p[1]));
}

Found Utf8::decode(const Unit *p, const Unit *end)
{
    const unsigned lead = p[0];
    if (lead < 0x80)
        return {lead, true};
    int more = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, value = lead & 0x07, least = 0x10000;
    } else {
        return {lead, false};
    }
    if (end - p <= more)
        return {lead, false};
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return {lead, false};
        value = (value << 6) | (p[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {lead, false};
    return {value, true};
}

} // namespace plovan::logotextunits
