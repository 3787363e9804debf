#include "harness/PngHarness.h"

#include "harness/DecodeHarness.h"
#include "harness/StructuredPng.h"
#include "support/LoadReasons.h"

#include <QStringList>
#include <cstdlib>

namespace plovan::fuzz {

QString checkStructuredPng(QByteArrayView input, qint64 maxPixels)
{
    const StructuredPng png = buildStructuredPng(input);
    const DecodeOutcome outcome = runDecodePath(png.file, maxPixels);
    if (outcome.skipped)
        return {};
    QStringList failures;
    if (!outcome.failure.isEmpty())
        failures << outcome.failure;

    const bool outOfRange = png.width > 32767 || png.height > 32767;
    if (png.headerValid && outOfRange) {
        if (outcome.loaded)
            failures << QStringLiteral("a %1x%2 header was loaded").arg(png.width).arg(png.height);
        else if (outcome.reason.kind != LoadReason::Kind::OutOfRange)
            failures << QStringLiteral("a %1x%2 header was refused with %3, not as out of range")
                            .arg(png.width).arg(png.height).arg(testsupport::describe(outcome.reason));
    }
    if (outcome.loaded && outcome.pix) {
        const int w = outcome.pix->Width(), h = outcome.pix->Height();
        const bool asDeclared = std::uint32_t(w) == png.width && std::uint32_t(h) == png.height;
        const bool turned = png.orientationTag && std::uint32_t(w) == png.height && std::uint32_t(h) == png.width;
        if (!asDeclared && !turned)
            failures << QStringLiteral("loaded as %1x%2, declared %3x%4").arg(w).arg(h).arg(png.width).arg(png.height);
        if (outOfRange || png.width == 0 || png.height == 0)
            failures << QStringLiteral("a file declaring %1x%2 loaded").arg(png.width).arg(png.height);
    }
    if (png.clean) {
        if (!outcome.loaded) {
            failures << QStringLiteral("a valid PNG was refused: %1").arg(testsupport::describe(outcome.reason));
        } else if (outcome.pix) {
            const ConstRGBSurface surface = std::as_const(*outcome.pix).rgbSurface();
            for (int y = 0; y < surface.height() && failures.isEmpty(); ++y) {
                for (int x = 0; x < surface.width(); ++x) {
                    const Colour got = surface.Pixel(x, y);
                    const QRgb want = png.expected[qsizetype(y) * surface.width() + x];
                    if (std::abs(Red(got) - qRed(want)) > png.tolerance || std::abs(Green(got) - qGreen(want)) > png.tolerance
                        || std::abs(Blue(got) - qBlue(want)) > png.tolerance) {
                        failures << QStringLiteral("pixel (%1,%2) is %3, the file says %4")
                                        .arg(x).arg(y).arg(got, 6, 16, QLatin1Char('0')).arg(want & 0xFFFFFF, 6, 16, QLatin1Char('0'));
                        break;
                    }
                }
            }
        }
    }
    if (failures.isEmpty())
        return {};
    return QStringLiteral("[%1] %2").arg(png.plan, failures.join(QStringLiteral("; ")));
}

} // namespace plovan::fuzz
