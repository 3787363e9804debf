#include "harness/Reference.h"

#include "conversion/LogoText.h"
#include "conversion/Redraw.h"

#include <QStringList>
#include <cmath>

namespace plovan::fuzz {

using testsupport::pictureDigest;
using testsupport::WindowRecorder;
using testsupport::WindowSnapshot;

Colour reference::converted(Colour colour, int threshold, bool reverse)
{
    const int sum = Red(colour) + Green(colour) + Blue(colour);
    const int avg = int(std::trunc(double(sum) / 3.0));
    bool black;
    if (!reverse)
        black = avg < threshold;
    else
        black = avg > threshold;
    return black ? RGB(0, 0, 0, 0) : RGB(255, 255, 255, 0);
}

QString reference::logoText(const Picture &destPix, int width, int height)
{
    const ConstRGBSurface surface = destPix.rgbSurface();
    const QString mark(QChar(0x00B6));
    QString text = QStringLiteral("OBM") + mark;
    for (int off = 0; off < height; off += 8) {
        QString line;
        for (int x = 0; x < width; ++x) {
            int bits = 0;
            for (int j = 0; j < 8; ++j) {
                const int y = off + j;
                if (y < height)
                    bits = bits * 2 + (Red(surface.Pixel(x, y)) == 0 ? 1 : 0);
                else
                    bits = bits * 2;
            }
            line += QLatin1Char("0123456789ABCDEF"[bits / 16]);
            line += QLatin1Char("0123456789ABCDEF"[bits % 16]);
        }
        text += QStringLiteral("BMD") + mark + line + mark;
    }
    text += QStringLiteral("CBM") + mark;
    return text;
}

namespace {

QStringList counted(int from, int step, int last)
{
    QStringList texts;
    for (int n = from; n <= last; n += step)
        texts << QString::number(n);
    return texts;
}

// The text must be lines ended by the pilcrow: "OBM", then "BMD" and 2 * width uppercase
// hex digits per band, then "CBM", with no other line breaks anywhere.
QString shapeProblem(const QString &text, int width, int height)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QStringLiteral("a CR or LF in the text");
    if (!text.endsWith(QChar(0x00B6)))
        return QStringLiteral("the text does not end with the line mark");
    const QStringList lines = text.chopped(1).split(QChar(0x00B6));
    const int bands = (height + 7) / 8;
    if (lines.size() != 2 + 2 * bands)
        return QStringLiteral("%1 lines for %2 bands").arg(lines.size()).arg(bands);
    if (lines.first() != QLatin1String("OBM") || lines.last() != QLatin1String("CBM"))
        return QStringLiteral("open or close line wrong");
    for (int k = 0; k < bands; ++k) {
        if (lines[1 + 2 * k] != QLatin1String("BMD"))
            return QStringLiteral("band %1 header is '%2'").arg(k).arg(lines[1 + 2 * k]);
        const QString &digits = lines[2 + 2 * k];
        if (digits.size() != 2 * width)
            return QStringLiteral("band %1 has %2 digits for width %3").arg(k).arg(digits.size()).arg(width);
        for (QChar c : digits) {
            if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
                return QStringLiteral("band %1 holds '%2', not an uppercase hex digit").arg(k).arg(c);
        }
        // Past the bottom edge rows give 0 bits: in the last band of a height that is not
        // a multiple of 8, the low bits of every byte must be clear.
        const int rowsInBand = qMin(8, height - 8 * k);
        const int unusedMask = (1 << (8 - rowsInBand)) - 1;
        for (int x = 0; x < width; ++x) {
            const int byte = digits.mid(2 * x, 2).toInt(nullptr, 16);
            if (byte & unusedMask)
                return QStringLiteral("band %1 column %2 sets bits below the bottom edge").arg(k).arg(x);
        }
    }
    return {};
}

} // namespace

QString checkRedrawAndCreate(const ConversionState &state, WindowRecorder &window)
{
    const int width = state.pix->Width();
    const int height = state.pix->Height();
    if (state.destPix->Width() != width || state.destPix->Height() != height)
        return QStringLiteral("destPix is %1x%2, pix %3x%4")
            .arg(state.destPix->Width()).arg(state.destPix->Height()).arg(width).arg(height);

    const QByteArray pixBefore = pictureDigest(*state.pix);
    window.progressHistory.clear();
    window.textHistory.clear();
    window.calls.clear();

    redraw(state, window);
    if (pictureDigest(*state.pix) != pixBefore)
        return QStringLiteral("redraw wrote to pix");
    const ConstRGBSurface source = std::as_const(*state.pix).rgbSurface();
    const ConstRGBSurface dest = std::as_const(*state.destPix).rgbSurface();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour want = reference::converted(source.Pixel(x, y), state.threshold, state.reverse);
            if (dest.row(y)[x] != RGBSurface::storedColour(want))
                return QStringLiteral("pixel (%1,%2) of colour %3 at threshold %4%5 became %6, not %7")
                    .arg(x).arg(y).arg(source.Pixel(x, y), 6, 16, QLatin1Char('0')).arg(state.threshold)
                    .arg(state.reverse ? QStringLiteral(" reversed") : QString())
                    .arg(dest.row(y)[x], 8, 16, QLatin1Char('0')).arg(RGBSurface::storedColour(want), 8, 16, QLatin1Char('0'));
        }
    }
    if (window.progressHistory != counted(1, 1, height))
        return QStringLiteral("redraw progress texts %1").arg(window.progressHistory.join(QLatin1Char(',')).left(200));
    if (window.calls.isEmpty() || window.calls.last() != QLatin1String("setProcessedBackdrop")
        || window.calls.count(QStringLiteral("setProcessedBackdrop")) != 1 || window.processedBackdrop != state.destPix)
        return QStringLiteral("redraw did not hand destPix to Canvas2 exactly once, last");

    const QByteArray destAfterRedraw = pictureDigest(*state.destPix);
    window.progressHistory.clear();
    window.textHistory.clear();
    createLogoText(state, window);
    const QString want = reference::logoText(*state.destPix, width, height);
    if (window.text != want)
        return QStringLiteral("logo text differs from the reference at character %1 (%2 vs %3 characters)")
            .arg([&] { qsizetype i = 0; while (i < qMin(want.size(), window.text.size()) && want[i] == window.text[i]) ++i; return i; }())
            .arg(window.text.size()).arg(want.size());
    const qsizetype bands = (height + 7) / 8;
    if (window.text.size() != 8 + bands * (2 * qsizetype(width) + 5) || window.text.size() != logotext::length(width, height))
        return QStringLiteral("text length %1 for %2x%3").arg(window.text.size()).arg(width).arg(height);
    if (const QString problem = shapeProblem(window.text, width, height); !problem.isEmpty())
        return problem;
    // After each band the text is complete up to it.
    if (window.textHistory.size() != bands + 2)
        return QStringLiteral("the text was set %1 times for %2 bands").arg(window.textHistory.size()).arg(bands);
    for (qsizetype k = 0; k <= bands; ++k) {
        const qsizetype upTo = 4 + k * (2 * qsizetype(width) + 5);
        if (window.textHistory[k] != want.left(upTo))
            return QStringLiteral("the text after band %1 is not the text so far").arg(k);
    }
    if (window.progressHistory != counted(8, 8, int(8 * bands)))
        return QStringLiteral("Create progress texts %1").arg(window.progressHistory.join(QLatin1Char(',')).left(200));
    if (pictureDigest(*state.destPix) != destAfterRedraw || pictureDigest(*state.pix) != pixBefore)
        return QStringLiteral("Create changed a picture");

    // Both again with the same settings: the same picture and the text once, not twice.
    redraw(state, window);
    if (pictureDigest(*state.destPix) != destAfterRedraw)
        return QStringLiteral("a second redraw gave another picture");
    createLogoText(state, window);
    if (window.text != want)
        return QStringLiteral("a second Create gave another text");
    return {};
}

} // namespace plovan::fuzz
