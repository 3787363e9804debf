#include "harness/ConversionHarness.h"

#include "harness/ByteReader.h"
#include "harness/Reference.h"
#include "support/WindowRecorder.h"
#include "import/LoadSequence.h"

namespace plovan::fuzz {

using testsupport::pictureDigest;
using testsupport::WindowRecorder;
using testsupport::WindowSnapshot;

QString checkConversion(QByteArrayView input)
{
    ByteReader r(input);
    const int width = r.inRange(1, 64);
    const int height = r.inRange(1, 64);
    const int threshold = r.byte();
    const int mode = r.byte();
    const bool reverse = mode & 1;
    const bool nearThreshold = mode & 2;

    PictureRef pix = makePicture(width, height);
    PictureRef destPix = makePicture(width, height);
    RGBSurface source = pix->rgbSurface();
    auto channel = [&] { return qBound(0, threshold + r.inRange(-3, 3), 255); };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (nearThreshold) {
                const int top = r.byte();
                source.row(y)[x] = RGB(channel(), channel(), channel(), top);
            } else {
                source.row(y)[x] = r.u32();
            }
        }
    }
    // Whatever the working picture held before must not show through.
    RGBSurface dest = destPix->rgbSurface();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            dest.row(y)[x] = (mode & 4) ? r.u32() : 0xFF000000u | (std::uint32_t(x * 7 + y) & 0xFF);
    }

    ConversionState state;
    WindowRecorder window;
    commitLoad(state, window, {pix, destPix});
    state.threshold = threshold;
    state.reverse = reverse;
    window.setImageDataText(QStringLiteral("typed by the user"));
    const QString failure = checkRedrawAndCreate(state, window);
    if (failure.isEmpty())
        return {};
    return QStringLiteral("[%1x%2 threshold %3%4] %5")
        .arg(width).arg(height).arg(threshold).arg(reverse ? QStringLiteral(" reversed") : QString()).arg(failure);
}

} // namespace plovan::fuzz
