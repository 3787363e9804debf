#include "conversion/LogoText.h"

#include <array>
#include <cstring>
#include <vector>

namespace plovan {
namespace {

// For every byte value, its two hex digits as two UTF-16 code units in memory order.
constexpr std::array<std::array<char16_t, 2>, 256> makeHexPairs()
{
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::array<std::array<char16_t, 2>, 256> pairs{};
    for (int b = 0; b < 256; ++b)
        pairs[size_t(b)] = {digits[b >> 4], digits[b & 0xF]};
    return pairs;
}

constexpr auto kHexPairs = makeHexPairs();

} // namespace

qsizetype logotext::length(int width, int height)
{
    const qsizetype bands = (qsizetype(height) + 7) / 8;
    return 8 + bands * (2 * qsizetype(width) + 5);
}

void packBandRow(const std::uint32_t *row, std::uint8_t *bytes, int width, int bit)
{
    for (int x = 0; x < width; ++x)
        bytes[x] |= std::uint8_t(((row[x] & 0x00FF0000u) == 0) << bit);
}

void appendHexDigits(const std::uint8_t *bytes, int count, char16_t *out)
{
    for (int i = 0; i < count; ++i)
        std::memcpy(out + 2 * i, kHexPairs[bytes[i]].data(), 2 * sizeof(char16_t));
}

void createLogoText(const WindowState &state, ConversionView &view)
{
    if (!state.hasPictures())
        return;
    const int height = state.pix->Height();
    const int width = state.pix->Width();
    const ConstRGBSurface surface = std::as_const(*state.destPix).rgbSurface();

    view.setImageDataText(logotext::kOpenLine.toString());

    // One band's two lines, reused for every band: "BMD¶", 2 * width digits, "¶".
    QString band(logotext::kBandHeader.size() + 2 * qsizetype(width) + 1, Qt::Uninitialized);
    std::memcpy(band.data(), logotext::kBandHeader.data(), size_t(logotext::kBandHeader.size()) * sizeof(QChar));
    band[band.size() - 1] = logotext::kLineMark;
    char16_t *digits = reinterpret_cast<char16_t *>(band.data()) + logotext::kBandHeader.size();

    std::vector<std::uint8_t> bytes(static_cast<size_t>(width));
    for (int off = 0; off < height; off += 8) {
        std::memset(bytes.data(), 0, bytes.size());
        for (int j = 0; j < 8 && off + j < height; ++j)
            packBandRow(surface.row(off + j), bytes.data(), width, 7 - j);
        appendHexDigits(bytes.data(), width, digits);
        view.appendImageDataText(band);
        view.setProgressText(QString::number(off + 8));
    }
    view.appendImageDataText(logotext::kCloseLine);
}

} // namespace plovan
