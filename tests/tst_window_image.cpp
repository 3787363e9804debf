// The Image menu, driven from the keyboard as a user does (Alt+I, the arrow keys, Return):
// a printer width or centring prepares the picture again, a halftone converts it anew, the
// automatic threshold moves the slider; a choice that fails changes nothing; the choices
// are remembered between runs, and with none made the window works as it always has.

#include "tst_window_fixture.h"

#include "conversion/HalftoneNames.h"
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "support/AreaAverage.h"
#include "support/WindowRecorder.h"
#include "ui/ImageMenu.h"
#include "ui/LogoTextEdit.h"
#include "ui/PrintPreview.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QSlider>
#include <algorithm>
#include <array>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// A picture with every kind of content a halftone treats differently: a grey ramp, a
// colour ramp and noise, so that no two halftones (nor none) give the same pixels.
QImage photoImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(width * 7919 + height);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int ramp = 255 * x / std::max(1, width - 1);
            if (y < height / 3)
                row[x] = qRgb(ramp, ramp, ramp);
            else if (y < 2 * height / 3)
                row[x] = qRgb(ramp, 255 - ramp, (ramp * 3) & 255);
            else
                row[x] = random.generate() | 0xff000000u;
        }
    }
    return image;
}

// Flat greys side by side, left to right: each grey of `greys` over as many columns as
// `columns` gives it.
QImage greyColumns(int height, const QList<int> &greys, const QList<int> &columns)
{
    int width = 0;
    for (const int each : columns)
        width += each;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (qsizetype i = 0, x = 0; i < greys.size(); x += columns[i], ++i)
            std::fill(row + x, row + x + columns[i], qRgb(greys[i], greys[i], greys[i]));
    }
    return image;
}

// Otsu's method as the textbook has it, from the picture's pixels: the floored mean of the
// red, green and blue of each, and for each split t, 1-255, of the means into a dark class
// [0, t) and a light class [t, 255], both with pixels, the variance between the classes,
// w0 w1 (m0 - m1)^2 (w a class's share of the pixels, m the mean of its means). The
// largest wins. Where neighbouring splits share it (the thresholds of one gap in the
// histogram, which make the same two classes), the middle of that run, halves up; a
// split as good further on, past a worse one, is not its neighbour and does not count.
// The threshold is the split, as a mean below it is black; in reverse mode, where a mean
// above it is black, one less. A picture of one grey has nothing to split: 128.
int textbookOtsu(const Picture &picture, bool reverse)
{
    std::array<double, 256> count{};
    const ConstRGBSurface pixels = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Colour c = pixels.Pixel(x, y);
            count[size_t((Red(c) + Green(c) + Blue(c)) / 3)] += 1;
        }
    }
    std::array<double, 256> variance;
    variance.fill(-1);
    for (int t = 1; t < 256; ++t) {
        double n0 = 0, sum0 = 0, n1 = 0, sum1 = 0;
        for (int level = 0; level < 256; ++level) {
            (level < t ? n0 : n1) += count[size_t(level)];
            (level < t ? sum0 : sum1) += level * count[size_t(level)];
        }
        if (n0 == 0 || n1 == 0)
            continue;
        const double w0 = n0 / (n0 + n1), w1 = n1 / (n0 + n1), m0 = sum0 / n0, m1 = sum1 / n1;
        variance[size_t(t)] = w0 * w1 * (m0 - m1) * (m0 - m1);
    }
    const auto best = std::max_element(variance.begin(), variance.end()); // the first of the largest
    if (*best < 0)
        return 128;
    const int first = int(best - variance.begin());
    int last = first;
    while (last < 255 && variance[size_t(last) + 1] == *best)
        ++last;
    const int split = (first + last + 1) / 2;
    return reverse ? split - 1 : split;
}

// The logo data text of `image` at `threshold`, the plain rule written out pixel by pixel:
// black where the floored mean of red, green and blue is below the threshold; bit 7 of a
// column byte is its band's top row; rows past the bottom are white.
QString plainLogoText(const QImage &image, int threshold)
{
    QString text = QStringLiteral("OBM¶");
    for (int top = 0; top < image.height(); top += 8) {
        text += QStringLiteral("BMD¶");
        for (int x = 0; x < image.width(); ++x) {
            int byte = 0;
            for (int row = 0; row < 8; ++row) {
                const int y = top + row;
                const QRgb pixel = y < image.height() ? image.pixel(x, y) : qRgb(255, 255, 255);
                if ((qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3 < threshold)
                    byte |= 0x80 >> row;
            }
            text += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        }
        text += QStringLiteral("¶");
    }
    return text + QStringLiteral("CBM¶");
}

// The black-and-white picture redraw makes of `pix` with these settings, on a working
// picture of its own: what the window's working picture must equal, pixel for pixel.
PictureRef converted(const PictureRef &pix, Halftone halftone, int threshold, bool reverse)
{
    ConversionState state;
    state.pix = pix;
    state.destPix = makePicture(pix->Width(), pix->Height());
    state.print.halftone = halftone;
    state.threshold = threshold;
    state.reverse = reverse;
    WindowRecorder view;
    redraw(state, view);
    return state.destPix;
}

bool samePixels(const Picture &a, const Picture &b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() && pictureDigest(a) == pictureDigest(b);
}

// The object names of the checked entries of the Image menu and its submenus, in menu order,
// each with "(disabled)" when it is not enabled.
QStringList checkedEntries(const MainMenuBar &menus)
{
    QStringList checked;
    const std::function<void(QMenu *)> walk = [&](QMenu *menu) {
        for (QAction *action : menu->actions()) {
            if (action->menu())
                walk(action->menu());
            else if (action->isChecked())
                checked << action->objectName() + (action->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
        }
    };
    walk(menus.imageMenu());
    return checked;
}

// Everything a refused choice must leave as it was.
struct Snapshot {
    const Picture *original = nullptr;
    const Picture *pix = nullptr;
    const Picture *destPix = nullptr;
    QByteArray destPixDigest;
    int threshold = 0;
    QString dimensions;
    QString progress;
    QString text;
    ImageChoices choices;
    ImageChoices remembered;
    QStringList checked;

    static Snapshot of(const ShownWindow &window, const MainMenuBar &menus)
    {
        const ConversionState &state = window->state();
        return {state.original.get(), state.pix.get(), state.destPix.get(),
                state.destPix ? pictureDigest(*state.destPix) : QByteArray(), state.threshold,
                window.text("dimensions_label"), window.text("progress_label"),
                window.control<LogoTextEdit>("TextArea1")->content(), window->imageChoices(),
                ImageChoices::remembered(), checkedEntries(menus)};
    }
    bool operator==(const Snapshot &) const = default;
};

// One way to change the choices, as a user takes it from the Image menu.
struct Choice {
    QStringList path;       // object names from the Image menu down to the entry
    std::optional<int> typed; // for "Other Width…": what the user types (nothing: Cancel)
};
using Choices = QList<Choice>;

Choice width(int dots)
{
    return {{QStringLiteral("ImagePrinterWidth"), QStringLiteral("ImageWidth%1").arg(dots)}, {}};
}
Choice otherWidth(std::optional<int> typed)
{
    return {{QStringLiteral("ImagePrinterWidth"), QStringLiteral("ImageWidthOther")}, typed};
}
const Choice kOriginalSize{{QStringLiteral("ImagePrinterWidth"), QStringLiteral("ImageWidthOriginal")}, {}};
const Choice kCentre{{QStringLiteral("ImageCentre")}, {}};
Choice halftoneEntry(const char *name)
{
    return {{QStringLiteral("ImageHalftone"), QLatin1String(name)}, {}};
}

} // namespace

Q_DECLARE_METATYPE(Choice)
Q_DECLARE_METATYPE(Choices)
Q_DECLARE_METATYPE(Halftone)
Q_DECLARE_METATYPE(ImageChoices)

class TestWindowImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void init();
    void cleanup();

    void menuEntries();
    void nothingChosenWorksAsBefore();
    void printerWidth_data();
    void printerWidth();
    void halftone_data();
    void halftone();
    void automaticThreshold_data();
    void automaticThreshold();
    void automaticThresholdBeforeAnyLoad();
    void refusedChoiceChangesNothing_data();
    void refusedChoiceChangesNothing();
    void choicesRememberedAcrossRuns_data();
    void choicesRememberedAcrossRuns();
    void previewPaperIsThePrinterWidth_data();
    void previewPaperIsThePrinterWidth();
    void openedLogoTextPreparedWithTheChoices_data();
    void openedLogoTextPreparedWithTheChoices();

private:
    // A shown, active window with the focus in its text area.
    bool ready(ShownWindow &window);
    // Takes the choice from the keyboard: Alt+I, Down to each entry of its path, Right into
    // a submenu, Return on the last; the width dialog answered with `typed`. Afterwards the
    // menus are closed and the focus is back in the text area. False, with a warning, when
    // the menu did not go so.
    bool choose(ShownWindow &window, const Choice &choice);
    // Back to what a first run starts with.
    void forgetChoices();

    WindowTestBed bed_;
};

void TestWindowImage::init()
{
    forgetChoices();
}

void TestWindowImage::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowImage::forgetChoices()
{
    QSettings().clear();
    // The menu shows the choices of the last window; the next one shows its own.
    bed_.menus().imageMenuChoices()->show(ImageChoices());
}

bool TestWindowImage::ready(ShownWindow &window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return false;
    return QApplication::focusWidget() == window.control("TextArea1");
}

bool TestWindowImage::choose(ShownWindow &window, const Choice &choice)
{
    window->setWidthChooser([typed = choice.typed](int) { return typed; });
    return takeImageMenuEntry(window.get(), choice.path)
        && focusBackInTextArea(window, choice.path.join(QLatin1Char('/')));
}

void TestWindowImage::menuEntries()
{
    ShownWindow window(bed_.menus());
    QMenu *menu = bed_.menus().imageMenu();
    QStringList entries;
    const std::function<void(QMenu *, const QString &)> walk = [&](QMenu *from, const QString &indent) {
        for (QAction *action : from->actions()) {
            entries << indent + (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (action->menu())
                walk(action->menu(), indent + QStringLiteral("  "));
        }
    };
    walk(menu, QString());
    QCOMPARE(menu->title(), QStringLiteral("&Image"));
    QCOMPARE(entries, QStringList({"Printer &Width",
                                   "  Original Size",
                                   "  384 dots (58 mm paper)",
                                   "  576 dots (80 mm paper)",
                                   "  832 dots (112 mm paper)",
                                   "  Other Width…",
                                   "&Centre on Paper",
                                   "&Halftone",
                                   "  &None",
                                   "  &Floyd–Steinberg",
                                   "  &Atkinson",
                                   "  &Ordered",
                                   "  &Jarvis–Judice–Ninke",
                                   "  S&tucki",
                                   "  S&ierra",
                                   "  &Blue Noise",
                                   "  &Clustered",
                                   "  -",
                                   "  &Serpentine",
                                   "Printer &Dots",
                                   "  &Square (no model)",
                                   "  1.&0",
                                   "  1.&1",
                                   "  1.&2",
                                   "  1.&3",
                                   "  1.&4",
                                   "  &Other…",
                                   "-",
                                   "&Automatic Threshold",
                                   "Calibration &Strip",
                                   "-",
                                   "Print &Preview",
                                   "-",
                                   "Rotate &Right",
                                   "Rotate &Left",
                                   "&Mirror",
                                   "&Trim White Margins",
                                   "Adjust T&one…"}));
    // A first run: original size, no halftone; centring waits for a width to centre on,
    // serpentine rows for an error diffusion, and the picture's own choices for a picture.
    QCOMPARE(checkedEntries(bed_.menus()), QStringList({"ImageWidthOriginal", "ImageHalftoneNone", "ImageDotsSquare"}));
    for (const char *name : {"ImageCentre", "ImageSerpentine", "ImageRotateRight", "ImageRotateLeft", "ImageMirror",
                             "ImageAdjustTone"})
        QVERIFY2(!bed_.menus().findChild<QAction *>(QLatin1String(name))->isEnabled(), name);
    QVERIFY(bed_.menus().findChild<QAction *>(QStringLiteral("ImageTrim"))->isEnabled());
}

// With nothing chosen, a load, Refresh and Create give what they gave before the menu was
// there: the picture as decoded, and the text of the plain threshold.
void TestWindowImage::nothingChosenWorksAsBefore()
{
    const QImage image = photoImage(213, 61);
    const QString path = bed_.picture(QStringLiteral("photo.png"), image);

    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    QCOMPARE(window->state().print, PrintSettings());
    window.load(path);
    window.control<QSlider>("Slider1")->setValue(140);
    window.click("PushButton2");
    window.click("PushButton3");
    const ConversionState &state = window->state();
    QCOMPARE(state.pix, state.original); // the decoded picture itself, no copy
    QCOMPARE(state.pix->image(), image.convertToFormat(Picture::kStorageFormat));
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("213x61"));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), plainLogoText(image, 140));
}

void TestWindowImage::printerWidth_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<bool>("chooseFirst"); // the choices before the load, not after
    QTest::addColumn<QSize>("prepared");
    QTest::addColumn<QRect>("placed"); // where the picture, scaled, lies on what is prepared
    QTest::addColumn<QStringList>("checked");

    // Heights: round(height x new width / width), halves up. Margins: floor((paper - width) / 2)
    // white columns on the left, the rest on the right.
    const QSize wide(1000, 300), narrow(200, 51);
    const QString none = QStringLiteral("ImageHalftoneNone");
    auto row = [&](const char *name, QSize picture, const Choices &choices, QSize prepared, QRect placed,
                   QStringList checked) {
        checked << QStringLiteral("ImageDotsSquare"); // the printer's dots left as they start
        QTest::newRow(name) << picture << choices << false << prepared << placed << checked;
        QTest::newRow(qPrintable(QStringLiteral("%1, chosen before the load").arg(QLatin1String(name))))
            << picture << choices << true << prepared << placed << checked;
    };
    row("384 dots shrink a wider picture", wide, Choices{width(384)}, {384, 115}, {0, 0, 384, 115},
        {"ImageWidth384", none});
    row("576 dots shrink a wider picture", wide, Choices{width(576)}, {576, 173}, {0, 0, 576, 173},
        {"ImageWidth576", none});
    row("832 dots shrink a wider picture", wide, Choices{width(832)}, {832, 250}, {0, 0, 832, 250},
        {"ImageWidth832", none});
    row("a width leaves a narrower picture as it is", narrow, Choices{width(576)}, narrow, {0, 0, 200, 51},
        {"ImageWidth576", none});
    row("Other Width… of 500 dots", wide, Choices{otherWidth(500)}, {500, 150}, {0, 0, 500, 150},
        {"ImageWidthOther", none});
    row("Other Width… of 1 dot", wide, Choices{otherWidth(1)}, {1, 1}, {0, 0, 1, 1}, {"ImageWidthOther", none});
    row("Other Width… of a named width checks its name", wide, Choices{otherWidth(384)}, {384, 115},
        {0, 0, 384, 115}, {"ImageWidth384", none});
    row("centred on 576 dots: 376 columns, 188 on the left", narrow, Choices{width(576), kCentre}, {576, 51},
        {188, 0, 200, 51}, {"ImageWidth576", "ImageCentre", none});
    row("centring first waits for the width: 632 columns, 316 on the left", narrow,
        Choices{width(384), kCentre, width(832)}, {832, 51}, {316, 0, 200, 51},
        {"ImageWidth832", "ImageCentre", none});
    row("centred on 301 dots: 101 columns, 50 on the left", narrow, Choices{otherWidth(301), kCentre}, {301, 51},
        {50, 0, 200, 51}, {"ImageWidthOther", "ImageCentre", none});
    row("a shrunk picture centred on its own width", wide, Choices{width(384), kCentre}, {384, 115},
        {0, 0, 384, 115}, {"ImageWidth384", "ImageCentre", none});
    row("centring off again", narrow, Choices{width(576), kCentre, kCentre}, narrow, {0, 0, 200, 51},
        {"ImageWidth576", none});
    row("back to the original size", wide, Choices{width(576), kCentre, kOriginalSize}, wide, {0, 0, 1000, 300},
        {"ImageWidthOriginal", "ImageCentre (disabled)", none});
}

// The picture is prepared again from the one decoded, the working picture made anew at its
// size and converted; dimensions_label shows the prepared size.
void TestWindowImage::printerWidth()
{
    QFETCH(QSize, picture);
    QFETCH(Choices, choices);
    QFETCH(bool, chooseFirst);
    QFETCH(QSize, prepared);
    QFETCH(QRect, placed);
    QFETCH(QStringList, checked);
    const QString path = bed_.picture(QStringLiteral("picture.png"), photoImage(picture.width(), picture.height()));

    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    if (!chooseFirst)
        window.load(path);
    for (const Choice &choice : std::as_const(choices))
        QVERIFY(choose(window, choice));
    if (chooseFirst)
        window.load(path);

    const ConversionState &state = window->state();
    QVERIFY(state.hasPictures());
    QCOMPARE(QSize(state.original->Width(), state.original->Height()), picture);
    QCOMPARE(QSize(state.pix->Width(), state.pix->Height()), prepared);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("%1x%2").arg(prepared.width()).arg(prepared.height()));
    // The area average of the original at the size worked out above, on white paper at the
    // margin worked out above.
    QCOMPARE(state.original->image(), photoImage(picture.width(), picture.height()).convertToFormat(Picture::kStorageFormat));
    const PictureRef expected
        = onWhitePaper(*naiveAreaScale(*state.original, placed.width(), placed.height()), prepared, placed.topLeft());
    const QString difference = firstDifference(*state.pix, *expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(checkedEntries(bed_.menus()), checked);
    if (!chooseFirst) {
        // A choice converts at once; a load leaves the working picture blank, as always.
        QVERIFY(samePixels(*state.destPix, *converted(state.pix, Halftone::None, state.threshold, false)));
        QCOMPARE(window.text("progress_label"), QString::number(prepared.height()));
    }
}

void TestWindowImage::halftone_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<Halftone>("expected");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<int>("threshold");
    const struct {
        const char *name;
        Halftone halftone;
    } halftones[] = {{"ImageHalftoneFloydSteinberg", Halftone::FloydSteinberg},
                     {"ImageHalftoneAtkinson", Halftone::Atkinson},
                     {"ImageHalftoneOrdered", Halftone::Ordered},
                     {"ImageHalftoneJarvis", Halftone::Jarvis},
                     {"ImageHalftoneStucki", Halftone::Stucki},
                     {"ImageHalftoneSierra", Halftone::Sierra},
                     {"ImageHalftoneBlueNoise", Halftone::BlueNoise},
                     {"ImageHalftoneClustered", Halftone::Clustered},
                     {"ImageHalftoneNone", Halftone::None}};
    for (const auto &[name, value] : halftones) {
        QTest::newRow(name) << QString::fromLatin1(name) << value << false << 100;
        QTest::newRow(qPrintable(QStringLiteral("%1, reversed at 170").arg(QLatin1String(name))))
            << QString::fromLatin1(name) << value << true << 170;
    }
}

// The working picture is converted at once with the halftone chosen: the same pixels as
// redraw gives with that halftone, and not those of any other.
void TestWindowImage::halftone()
{
    QFETCH(QString, entry);
    QFETCH(Halftone, expected);
    QFETCH(bool, reverse);
    QFETCH(int, threshold);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("photo.png"), photoImage(157, 93)));
    window.control<QSlider>("Slider1")->setValue(threshold);
    if (reverse)
        window.click("CheckBox1");
    // From another halftone, so that the choice is a change whichever it is.
    const char *from = expected == Halftone::Ordered ? "ImageHalftoneAtkinson" : "ImageHalftoneOrdered";
    QVERIFY(choose(window, halftoneEntry(from)));
    QVERIFY(choose(window, {{QStringLiteral("ImageHalftone"), entry}, {}}));

    const ConversionState &state = window->state();
    QCOMPARE(state.print.halftone, expected);
    QCOMPARE(window->imageChoices().halftone, expected);
    QCOMPARE(window.text("progress_label"), QStringLiteral("93"));
    for (const HalftoneName &each : kHalftoneNames) {
        const Halftone other = each.halftone;
        const bool same = samePixels(*state.destPix, *converted(state.pix, other, threshold, reverse));
        QVERIFY2(same == (other == expected), qPrintable(QStringLiteral("halftone %1").arg(int(other))));
    }
}

void TestWindowImage::automaticThreshold_data()
{
    QTest::addColumn<QList<int>>("greys");
    QTest::addColumn<QList<int>>("columns"); // of each grey, 40 rows high
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<int>("expected"); // worked out by hand
    // Two greys 60 and 200: every split from 61 to 200 parts them alike, the middle is 131.
    const QList<int> two{60, 200}, twoColumns{300, 701};
    QTest::newRow("two greys") << two << twoColumns << false << Choices() << 131;
    QTest::newRow("two greys, reversed") << two << twoColumns << true << Choices() << 130;
    // Shrunk to 384 x 15: 115 columns of 60, one of (85 x 60 + 916 x 200) / 1001 = 188 where
    // they meet, 268 of 200. The best splits are those that put 188 with 200: 61-188.
    QTest::newRow("two greys shrunk to 384 dots: the prepared picture's threshold")
        << two << twoColumns << false << Choices({width(384)}) << 125;
    // 0, 127, 128 and 255, a quarter each. Splitting 0 from the rest (1-127) and 255 from
    // the rest (129-255) are as good as each other, and better than the split between 127
    // and 128; the first run is the one, not a run from its start to the far end of the
    // other (which would give 128).
    const QList<int> four{0, 127, 128, 255}, fourColumns{250, 250, 250, 250};
    QTest::newRow("two best splits apart: the first") << four << fourColumns << false << Choices() << 64;
    QTest::newRow("two best splits apart: the first, reversed") << four << fourColumns << true << Choices() << 63;
}

// Alt+I, A: the slider moves to Otsu's threshold of the prepared picture, thresh_label
// shows it and the working picture is converted with it.
void TestWindowImage::automaticThreshold()
{
    QFETCH(QList<int>, greys);
    QFETCH(QList<int>, columns);
    QFETCH(bool, reverse);
    QFETCH(Choices, choices);
    QFETCH(int, expected);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("greys.png"), greyColumns(40, greys, columns)));
    if (reverse)
        window.click("CheckBox1");
    for (const Choice &choice : std::as_const(choices))
        QVERIFY(choose(window, choice));
    const ConversionState &state = window->state();
    QCOMPARE(textbookOtsu(*state.pix, reverse), expected);
    QVERIFY(expected != state.threshold);

    QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), bed_.menus().imageMenu());
    QTest::keyClick(bed_.menus().imageMenu(), Qt::Key_A);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    QCOMPARE(window.control<QSlider>("Slider1")->value(), expected);
    QCOMPARE(state.threshold, expected);
    QCOMPARE(window.text("thresh_label"), QString::number(expected));
    QVERIFY(samePixels(*state.destPix, *converted(state.pix, Halftone::None, expected, reverse)));
    // Black where the grey is below the threshold (in reverse mode above it), white elsewhere.
    const ConstRGBSurface pixels = std::as_const(*state.destPix).rgbSurface();
    const ConstRGBSurface source = std::as_const(*state.pix).rgbSurface();
    for (int x = 0; x < state.pix->Width(); ++x) {
        const int grey = qRed(source.Pixel(x, 0));
        const bool black = reverse ? grey > expected : grey < expected;
        QCOMPARE(pixels.Pixel(x, 0), black ? kBlack : kWhite);
    }
    QTRY_COMPARE(QApplication::focusWidget(), window.control("TextArea1"));
}

void TestWindowImage::automaticThresholdBeforeAnyLoad()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), bed_.menus().imageMenu());
    QTest::keyClick(bed_.menus().imageMenu(), Qt::Key_A);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(window.control<QSlider>("Slider1")->value(), 100);
    QCOMPARE(window.text("thresh_label"), QStringLiteral("100"));
    QCOMPARE(window.text("progress_label"), QStringLiteral("-"));
}

void TestWindowImage::refusedChoiceChangesNothing_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<Choices>("before"); // the choices the window has taken already
    QTest::addColumn<qint64>("memory");  // bytes free for the refused choice
    QTest::addColumn<Choice>("refused");
    QTest::addColumn<QString>("message"); // empty: none

    const QSize wide(1000, 300), narrow(200, 51);
    // Free memory one byte short of the pictures made (a prepared picture, unless it is the
    // original, and its working picture) and their text.
    auto shortOf = [](QSize size, int pictures = 2) {
        return pictures * qint64(size.width()) * size.height() * 4 + logotext::length(size.width(), size.height()) * 2 - 1;
    };
    QTest::newRow("576 dots without the memory for them") << wide << Choices() << shortOf({576, 173})
        << width(576)
        << "Cannot prepare 'picture.png' for a width of 576 dots: there is not enough memory for a picture of 576x173 dots.";
    QTest::newRow("Other Width… without the memory for it") << wide << Choices({width(384)}) << shortOf({700, 210})
        << otherWidth(700)
        << "Cannot prepare 'picture.png' for a width of 700 dots: there is not enough memory for a picture of 700x210 dots.";
    QTest::newRow("centring without the memory for it") << narrow << Choices({width(832)}) << shortOf({832, 51})
        << kCentre
        << "Cannot prepare 'picture.png' for paper 832 dots wide: there is not enough memory for a picture of 832x51 dots.";
    QTest::newRow("back to the original size without the memory for it") << wide << Choices({width(576)})
        << shortOf(wide, 1) << kOriginalSize
        << "Cannot prepare 'picture.png' for its original size: there is not enough memory for a picture of 1000x300 dots.";
    QTest::newRow("Other Width… cancelled") << wide << Choices({width(576), kCentre}) << qint64(1) << otherWidth({})
        << QString();
    QTest::newRow("Other Width… cancelled at the original size") << wide << Choices() << qint64(1) << otherWidth({})
        << QString();
}

// The window, the menu's checks and what is remembered stay exactly as they were; only a
// failure (not a cancel) says why.
void TestWindowImage::refusedChoiceChangesNothing()
{
    QFETCH(QSize, picture);
    QFETCH(Choices, before);
    QFETCH(qint64, memory);
    QFETCH(Choice, refused);
    QFETCH(QString, message);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("picture.png"), photoImage(picture.width(), picture.height())));
    for (const Choice &choice : std::as_const(before))
        QVERIFY(choose(window, choice));
    window.click("PushButton3");
    const Snapshot taken = Snapshot::of(window, bed_.menus());

    window->setAvailableMemory(memory);
    QVERIFY(choose(window, refused));
    QCOMPARE(bed_.takeMessages(), message.isEmpty() ? QStringList() : QStringList({message}));
    QVERIFY(Snapshot::of(window, bed_.menus()) == taken);

    // With the memory there, the same choice is taken.
    window->setAvailableMemory(std::nullopt);
    if (refused.typed || refused.path.last() != QLatin1String("ImageWidthOther")) {
        QVERIFY(choose(window, refused));
        QVERIFY(!(Snapshot::of(window, bed_.menus()) == taken));
    }
}

void TestWindowImage::choicesRememberedAcrossRuns_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<ImageChoices>("expected");
    QTest::addColumn<QSize>("prepared"); // of a 1000 x 300 picture
    QTest::newRow("832 dots, centred, Atkinson")
        << Choices({width(832), kCentre, halftoneEntry("ImageHalftoneAtkinson")})
        << ImageChoices{832, true, Halftone::Atkinson} << QSize(832, 250);
    QTest::newRow("Other Width… of 1200 dots, centred, ordered")
        << Choices({otherWidth(1200), kCentre, halftoneEntry("ImageHalftoneOrdered")})
        << ImageChoices{1200, true, Halftone::Ordered} << QSize(1200, 300);
    QTest::newRow("centring kept over the original size, Floyd–Steinberg")
        << Choices({width(384), kCentre, kOriginalSize, halftoneEntry("ImageHalftoneFloydSteinberg")})
        << ImageChoices{0, true, Halftone::FloydSteinberg} << QSize(1000, 300);
    QTest::newRow("all back to the defaults")
        << Choices({width(576), halftoneEntry("ImageHalftoneOrdered"), kOriginalSize, halftoneEntry("ImageHalftoneNone")})
        << ImageChoices{} << QSize(1000, 300);
}

// A second run (a new menu bar and window, as after a restart) starts with the choices of
// the first, and loads with them; the threshold and Reverse Image start afresh.
void TestWindowImage::choicesRememberedAcrossRuns()
{
    QFETCH(Choices, choices);
    QFETCH(ImageChoices, expected);
    QFETCH(QSize, prepared);
    const QString path = bed_.picture(QStringLiteral("picture.png"), photoImage(1000, 300));
    {
        ShownWindow first(bed_.menus());
        QVERIFY(ready(first));
        first.load(path);
        first.control<QSlider>("Slider1")->setValue(30);
        first.click("CheckBox1");
        for (const Choice &choice : std::as_const(choices))
            QVERIFY(choose(first, choice));
        QCOMPARE(first->imageChoices(), expected);
    }
    QCOMPARE(ImageChoices::remembered(), expected);

    MainMenuBar menus;
    ShownWindow second(menus);
    QCOMPARE(second->imageChoices(), expected);
    QCOMPARE(second->state().print, expected.printSettings());
    QCOMPARE(menus.imageMenuChoices()->shown(), expected);
    QCOMPARE(second->state().threshold, 100);
    QCOMPARE(second->state().reverse, false);
    second.load(path);
    QCOMPARE(second.text("dimensions_label"), QStringLiteral("%1x%2").arg(prepared.width()).arg(prepared.height()));
}

void TestWindowImage::previewPaperIsThePrinterWidth_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<int>("paperDots"); // under a picture 200 dots wide
    QTest::newRow("original size: the picture's width") << Choices() << 200;
    QTest::newRow("576 dots") << Choices{width(576)} << 576;
    QTest::newRow("832 dots, centred") << Choices{width(832), kCentre} << 832;
    QTest::newRow("Other Width… of 300 dots") << Choices{otherWidth(300)} << 300;
    QTest::newRow("576 dots, then the original size again") << Choices{width(576), kOriginalSize} << 200;
}

// Opened first (Alt+I, P), the preview follows each choice: the paper is the printer's.
void TestWindowImage::previewPaperIsThePrinterWidth()
{
    QFETCH(Choices, choices);
    QFETCH(int, paperDots);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("narrow.png"), photoImage(200, 51)));
    QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), bed_.menus().imageMenu());
    QTest::keyClick(bed_.menus().imageMenu(), Qt::Key_P);
    QTRY_VERIFY(window->printPreview() && window->printPreview()->isVisible());
    for (const Choice &choice : std::as_const(choices))
        QVERIFY(choose(window, choice));

    PrintPreview *preview = window->printPreview();
    QCOMPARE(preview->picture(), window->state().destPix);
    // Both are laid out at the same screen pixels per dot, each rounded to whole pixels.
    const int paper = preview->findChild<QWidget *>(QStringLiteral("PreviewPaper"))->width();
    const int picture = preview->findChild<QWidget *>(QStringLiteral("PreviewPicture"))->width();
    const int pictureDots = window->state().destPix->Width();
    QVERIFY2(std::abs(qint64(paper) * pictureDots - qint64(picture) * paperDots) <= (pictureDots + paperDots) / 2 + 1,
             qPrintable(QStringLiteral("paper %1 px, picture %2 px").arg(paper).arg(picture)));
}

void TestWindowImage::openedLogoTextPreparedWithTheChoices_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<QString>("dimensions"); // of a text 1000 dots wide, 16 high
    QTest::addColumn<QRect>("placed");       // where its picture, scaled, lies on what is prepared
    QTest::newRow("original size") << Choices() << "1000x16" << QRect(0, 0, 1000, 16);
    QTest::newRow("shrunk to 384 dots") << Choices{width(384)} << "384x6" << QRect(0, 0, 384, 6);
    QTest::newRow("centred on 832 dots after shrinking") << Choices{width(832), kCentre} << "832x13"
                                                         << QRect(0, 0, 832, 13);
    QTest::newRow("centred on 1200 dots: 200 columns, 100 on the left") << Choices{otherWidth(1200), kCentre}
                                                                          << "1200x16" << QRect(100, 0, 1000, 16);
}

// Opened logo data text is a load like any other: its picture is prepared with the Image
// menu's choices, and the text area holds the text exactly as it was read.
void TestWindowImage::openedLogoTextPreparedWithTheChoices()
{
    QFETCH(Choices, choices);
    QFETCH(QString, dimensions);
    QFETCH(QRect, placed);
    ConversionState made;
    WindowRecorder recorder;
    QVERIFY(loadFile(made, recorder, bed_.picture(QStringLiteral("wide.png"), photoImage(1000, 16))));
    HeadlessView headless;
    redraw(made, headless);
    createLogoText(made, headless);
    const QString path = bed_.path(QStringLiteral("wide.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(headless.text().toUtf8()) > 0);
    file.close();

    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    for (const Choice &choice : std::as_const(choices))
        QVERIFY(choose(window, choice));
    window->setLogoTextChooser([&](Window1::LogoTextDialog) { return std::optional<QString>(path); });
    window->FileOpenLogoText_Action();
    QCOMPARE(window.text("dimensions_label"), dimensions);
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), headless.text());
    const ConversionState &state = window->state();
    // The text's picture is the black and white it was made from, two whole bands; pix is
    // its area average at the size worked out above, at the margin worked out above.
    QVERIFY(samePixels(*state.original, *made.destPix));
    const QSize paper(dimensions.section(QLatin1Char('x'), 0, 0).toInt(), dimensions.section(QLatin1Char('x'), 1).toInt());
    const PictureRef expected
        = onWhitePaper(*naiveAreaScale(*state.original, placed.width(), placed.height()), paper, placed.topLeft());
    const QString difference = firstDifference(*state.pix, *expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_MAIN(TestWindowImage)
#include "tst_window_image.moc"
