// The Image menu's choices about the picture itself, and the printer's newer ones, driven from
// the keyboard as a user does: Rotate Right and Left (Ctrl+R, Ctrl+L, or Alt+I and their
// letters) turn the picture as it is seen, mirrored or not; Mirror; Trim White Margins,
// whose margins follow Reverse Image; the halftones with their Serpentine rows; Adjust
// Tone's dialog, which the canvases follow and whose Cancel puts everything back. What
// belongs to the printer is remembered, what belongs to the picture starts afresh with each
// picture loaded, and a choice that fails changes nothing.

#include "tst_window_fixture.h"

#include "conversion/HalftoneNames.h"
#include "conversion/Redraw.h"
#include "support/AreaAverage.h"
#include "support/CreatedText.h"
#include "support/NaiveStages.h"
#include "support/WindowRecorder.h"
#include "ui/Canvas.h"
#include "ui/ImageMenu.h"
#include "ui/LogoTextEdit.h"
#include "ui/ToneDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QUrl>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// Random colours, no two neighbours alike, so that any turn or mirror shows.
QImage randomImage(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

// `inner` of one grey on `outer` of another, over the rectangle `content`.
QImage framed(QSize size, int outer, QRect content, int inner)
{
    QImage image = greyImage(size.width(), size.height(), outer);
    for (int y = content.top(); y <= content.bottom(); ++y)
        for (int x = content.left(); x <= content.right(); ++x)
            image.setPixel(x, y, qRgb(inner, inner, inner));
    return image;
}

// The picture as the user sees it turned clockwise once, anticlockwise once, or mirrored:
// the plain stages, pixel by pixel.
QImage turnedRight(const QImage &in)
{
    return naiveOrient(Picture(in.convertToFormat(Picture::kStorageFormat)), {1, false})->image();
}

QImage turnedLeft(const QImage &in)
{
    return naiveOrient(Picture(in.convertToFormat(Picture::kStorageFormat)), {3, false})->image();
}

QImage mirrored(const QImage &in)
{
    return naiveOrient(Picture(in.convertToFormat(Picture::kStorageFormat)), {0, true})->image();
}

// The tone formula in doubles for every red, green and blue.
QImage toned(const QImage &in, const Tone &tone)
{
    return naiveTone(Picture(in.convertToFormat(Picture::kStorageFormat)), naiveToneTable(tone))->image();
}

// The outer rows and columns of paper cut away, found pixel by pixel.
QImage trimmed(const QImage &in, Trim trim)
{
    const Picture picture(in.convertToFormat(Picture::kStorageFormat));
    return naiveCrop(picture, naiveContent(picture, trim))->image();
}

// Where the picture first differs from the image, or nothing.
QString differenceFrom(const Picture &actual, const QImage &expected)
{
    const Picture reference(expected.convertToFormat(Picture::kStorageFormat));
    if (actual.Width() != reference.Width() || actual.Height() != reference.Height())
        return QStringLiteral("%1x%2, expected %3x%4")
            .arg(actual.Width())
            .arg(actual.Height())
            .arg(reference.Width())
            .arg(reference.Height());
    return firstDifference(actual, reference);
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// The black and white redraw makes of `pix` with these settings, on a working picture of
// its own: what the window's working picture must equal.
PictureRef converted(const PictureRef &pix, const PrintSettings &print, int threshold, bool reverse)
{
    ConversionState state;
    state.pix = pix;
    state.destPix = makePicture(pix->Width(), pix->Height());
    state.print = print;
    state.threshold = threshold;
    state.reverse = reverse;
    WindowRecorder view;
    redraw(state, view);
    return state.destPix;
}

// Alt+I, then the underlined letter of an entry of the Image menu; true once the menu has
// closed.
bool imageMenuLetter(QWidget *window, QMenu *menu, Qt::Key letter)
{
    QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
    if (!QTest::qWaitFor([menu] { return QApplication::activePopupWidget() == menu; }))
        return false;
    QTest::keyClick(menu, letter);
    return QTest::qWaitFor([] { return !QApplication::activePopupWidget(); });
}

// Everything a refused choice or a cancelled dialog must leave as it was: pictures by
// identity and by their pixels, what the canvases hold, the labels, the text, the settings,
// the choices and the menu's checks.
struct Snapshot {
    const Picture *original = nullptr;
    const Picture *pix = nullptr;
    const Picture *destPix = nullptr;
    QByteArray pixDigest;
    QByteArray destPixDigest;
    const Picture *canvas1 = nullptr;
    const Picture *canvas2 = nullptr;
    PrintSettings print;
    bool reverse = false;
    bool reverseChecked = false;
    QString dimensions;
    QString progress;
    QString text;
    ImageChoices choices;
    ImageChoices shown;
    ImageChoices remembered;
    QStringList checked;

    static Snapshot of(const ShownWindow &window, const MainMenuBar &menus)
    {
        const ConversionState &state = window->state();
        Snapshot shot{state.original.get(),
                      state.pix.get(),
                      state.destPix.get(),
                      state.pix ? pictureDigest(*state.pix) : QByteArray(),
                      state.destPix ? pictureDigest(*state.destPix) : QByteArray(),
                      window.control<Canvas>("Canvas1")->backdrop().get(),
                      window.control<Canvas>("Canvas2")->backdrop().get(),
                      state.print,
                      state.reverse,
                      window.control<QCheckBox>("CheckBox1")->isChecked(),
                      window.text("dimensions_label"),
                      window.text("progress_label"),
                      window.control<LogoTextEdit>("TextArea1")->content(),
                      window->imageChoices(),
                      menus.imageMenuChoices()->shown(),
                      ImageChoices::remembered(),
                      {}};
        for (QAction *action : menus.findChildren<QAction *>())
            if (action->objectName().startsWith(QLatin1String("Image")) && action->isChecked())
                shot.checked << action->objectName();
        shot.checked.sort();
        return shot;
    }
    bool operator==(const Snapshot &) const = default;
};

} // namespace

Q_DECLARE_METATYPE(Halftone)
Q_DECLARE_METATYPE(Orientation)
Q_DECLARE_METATYPE(Tone)

class TestWindowAdjust : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void init();
    void cleanup();

    void pictureChoicesWaitForAPicture();
    void turnAndMirror_data();
    void turnAndMirror();
    void trimFollowsReverse_data();
    void trimFollowsReverse();
    void halftoneEntries();
    void serpentineOnlyWithAnErrorDiffusion_data();
    void serpentineOnlyWithAnErrorDiffusion();
    void serpentineRows_data();
    void serpentineRows();
    void toneDialogControls();
    void toneFollowsTheDialog_data();
    void toneFollowsTheDialog();
    void toneCancelPutsBack_data();
    void toneCancelPutsBack();
    void toneOkKeeps();
    void refusedToneChangesNothing();
    void refusedChoiceChangesNothing_data();
    void refusedChoiceChangesNothing();
    void newPictureStartsAfresh_data();
    void newPictureStartsAfresh();
    void printerChoicesRememberedPictureChoicesNot();

private:
    // A shown, active window with the focus in its text area.
    bool ready(ShownWindow &window);
    // One step a user takes: "Ctrl+R", "Ctrl+L", "Alt+I, R", "Alt+I, L", "Alt+I, M", "Alt+I, T"
    // (the Image menu's letters), "Reverse" (a click on Reverse Image), or a halftone's or
    // serpentine's entry by object name ("ImageHalftoneAtkinson", "ImageSerpentine").
    // Afterwards the focus is back in the text area.
    bool take(ShownWindow &window, const QString &step);
    // Alt+I, O: the tone dialog, open and active.
    ToneDialog *openToneDialog(ShownWindow &window);

    QMenu *imageMenu() const { return bed_.menus().imageMenu(); }
    // A file that no load takes: words, not a picture.
    QString notAPicture() const;

    WindowTestBed bed_;
};

void TestWindowAdjust::init()
{
    QSettings().clear();
    // The menu shows the choices of the last window; the next one shows its own.
    bed_.menus().imageMenuChoices()->show(ImageChoices());
}

void TestWindowAdjust::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

bool TestWindowAdjust::ready(ShownWindow &window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return false;
    return QApplication::focusWidget() == window.control("TextArea1");
}

bool TestWindowAdjust::take(ShownWindow &window, const QString &step)
{
    bool taken = false;
    if (step == QLatin1String("Ctrl+R") || step == QLatin1String("Ctrl+L")) {
        QTest::keyClick(window.get(), step.endsWith(QLatin1Char('R')) ? Qt::Key_R : Qt::Key_L, Qt::ControlModifier);
        taken = true;
    } else if (step.startsWith(QLatin1String("Alt+I, "))) {
        taken = imageMenuLetter(window.get(), imageMenu(), Qt::Key(step.back().unicode()));
    } else if (step == QLatin1String("Reverse")) {
        window.click("CheckBox1");
        taken = true;
    } else {
        taken = takeImageMenuEntry(window.get(), {QStringLiteral("ImageHalftone"), step});
    }
    return taken && focusBackInTextArea(window, step);
}

QString TestWindowAdjust::notAPicture() const
{
    const QString path = bed_.path(QStringLiteral("notes.png"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("words, not a picture\n") <= 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

ToneDialog *TestWindowAdjust::openToneDialog(ShownWindow &window)
{
    if (!imageMenuLetter(window.get(), imageMenu(), Qt::Key_O))
        return nullptr;
    if (!QTest::qWaitFor([&] { return window->toneDialog() && window->toneDialog()->isVisible(); }))
        return nullptr;
    // Active once the menus have given the keyboard back, as a window manager gives a new
    // dialog the keyboard.
    ToneDialog *dialog = window->toneDialog();
    if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; })) {
        qWarning("the tone dialog is open but not active");
        return nullptr;
    }
    return dialog;
}

// Without a picture there is nothing to turn, mirror or tone: those entries and their keys
// do nothing. Trimming is the printer's, and can be chosen beforehand.
void TestWindowAdjust::pictureChoicesWaitForAPicture()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    const QStringList pictureEntries{"ImageRotateRight", "ImageRotateLeft", "ImageMirror", "ImageAdjustTone"};
    for (const QString &name : pictureEntries)
        QVERIFY2(!bed_.menus().findChild<QAction *>(name)->isEnabled(), qPrintable(name));
    QVERIFY(bed_.menus().findChild<QAction *>(QStringLiteral("ImageTrim"))->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(window->state().print, PrintSettings());
    QCOMPARE(window->imageChoices(), ImageChoices());
    QVERIFY(!window->toneDialog());

    // A load that fails leaves them waiting.
    window.load(notAPicture());
    QCOMPARE(bed_.takeMessages().size(), 1);
    QVERIFY(!bed_.menus().findChild<QAction *>(QStringLiteral("ImageMirror"))->isEnabled());

    window.load(bed_.picture(QStringLiteral("picture.png"), randomImage(6, 4, 1)));
    for (const QString &name : pictureEntries)
        QVERIFY2(bed_.menus().findChild<QAction *>(name)->isEnabled(), qPrintable(name));
}

void TestWindowAdjust::turnAndMirror_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Orientation>("expected"); // quarter turns of the decoded picture, then the mirror
    // Of a picture 60 x 20.
    const QSize wide(60, 20), tall(20, 60);
    QTest::addColumn<QSize>("size");
    QTest::newRow("Ctrl+R") << QStringList{"Ctrl+R"} << Orientation{1, false} << tall;
    QTest::newRow("Ctrl+L") << QStringList{"Ctrl+L"} << Orientation{3, false} << tall;
    QTest::newRow("Alt+I, R") << QStringList{"Alt+I, R"} << Orientation{1, false} << tall;
    QTest::newRow("Alt+I, L") << QStringList{"Alt+I, L"} << Orientation{3, false} << tall;
    QTest::newRow("Ctrl+R twice: upside down") << QStringList{"Ctrl+R", "Ctrl+R"} << Orientation{2, false} << wide;
    QTest::newRow("Ctrl+L three times is Ctrl+R")
        << QStringList{"Ctrl+L", "Ctrl+L", "Ctrl+L"} << Orientation{1, false} << tall;
    QTest::newRow("four turns right: as decoded")
        << QStringList{"Ctrl+R", "Ctrl+R", "Ctrl+R", "Ctrl+R"} << Orientation{0, false} << wide;
    QTest::newRow("right, then left: as decoded") << QStringList{"Ctrl+R", "Ctrl+L"} << Orientation{0, false} << wide;
    QTest::newRow("Mirror") << QStringList{"Alt+I, M"} << Orientation{0, true} << wide;
    QTest::newRow("Mirror twice: as decoded") << QStringList{"Alt+I, M", "Alt+I, M"} << Orientation{0, false} << wide;
    QTest::newRow("turned right, then mirrored") << QStringList{"Ctrl+R", "Alt+I, M"} << Orientation{1, true} << tall;
    // Mirrored first, a turn right as seen is a quarter turn fewer of the decoded picture.
    QTest::newRow("mirrored, then turned right") << QStringList{"Alt+I, M", "Ctrl+R"} << Orientation{3, true} << tall;
    QTest::newRow("mirrored, then turned left") << QStringList{"Alt+I, M", "Alt+I, L"} << Orientation{1, true} << tall;
    QTest::newRow("mirrored, right twice") << QStringList{"Alt+I, M", "Ctrl+R", "Ctrl+R"} << Orientation{2, true} << wide;
    QTest::newRow("mirrored, turned right, mirror off")
        << QStringList{"Alt+I, M", "Ctrl+R", "Alt+I, M"} << Orientation{3, false} << tall;
}

// Each step turns or mirrors the picture as it was seen, the way the entry says, mirror or
// not: after it the prepared picture is the one before, turned or mirrored pixel by pixel.
// The settings are those of the table, dimensions_label shows the turned size, and the
// working picture is converted at once.
void TestWindowAdjust::turnAndMirror()
{
    QFETCH(QStringList, steps);
    QFETCH(Orientation, expected);
    QFETCH(QSize, size);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    const QImage image = randomImage(60, 20, 7);
    window.load(bed_.picture(QStringLiteral("picture.png"), image));
    const ConversionState &state = window->state();
    for (const QString &step : std::as_const(steps)) {
        const QImage seen = state.pix->image().copy();
        QVERIFY(take(window, step));
        const QImage wanted = step.endsWith(QLatin1Char('M')) ? mirrored(seen)
            : step.endsWith(QLatin1Char('R'))                 ? turnedRight(seen)
                                                              : turnedLeft(seen);
        const QString difference = differenceFrom(*state.pix, wanted);
        QVERIFY2(difference.isEmpty(), qPrintable(step + QStringLiteral(": ") + difference));
    }
    QCOMPARE(state.print.orientation, expected);
    QCOMPARE(window->imageChoices().orientation, expected);
    QCOMPARE(window.text("dimensions_label"), sizeText(size));
    QCOMPARE(bed_.menus().findChild<QAction *>(QStringLiteral("ImageMirror"))->isChecked(), expected.mirror);
    QVERIFY(firstDifference(*state.destPix, *converted(state.pix, state.print, 100, false)).isEmpty());
    QCOMPARE(window.text("progress_label"), QString::number(size.height()));
    // The decoded picture is kept as it was, for the next choice.
    QVERIFY(differenceFrom(*state.original, image).isEmpty());
    // Nothing of the picture's is remembered.
    QCOMPARE(ImageChoices::remembered(), ImageChoices());
}

void TestWindowAdjust::trimFollowsReverse_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Trim>("trim");
    QTest::addColumn<QSize>("size");
    // 23 x 17 of content at (7, 5), on white or on black.
    const QSize whole(40, 30);
    const QRect content(7, 5, 23, 17);
    const QImage onWhite = framed(whole, 255, content, 60);
    const QImage onBlack = framed(whole, 0, content, 200);
    QTest::newRow("white margins trimmed") << onWhite << QStringList{"Alt+I, T"} << Trim::Light << content.size();
    QTest::newRow("white margins kept when reversed, after")
        << onWhite << QStringList{"Alt+I, T", "Reverse"} << Trim::Dark << whole;
    QTest::newRow("white margins kept when reversed, before")
        << onWhite << QStringList{"Reverse", "Alt+I, T"} << Trim::Dark << whole;
    QTest::newRow("black margins kept") << onBlack << QStringList{"Alt+I, T"} << Trim::Light << whole;
    QTest::newRow("black margins trimmed when reversed, after")
        << onBlack << QStringList{"Alt+I, T", "Reverse"} << Trim::Dark << content.size();
    QTest::newRow("black margins trimmed when reversed, before")
        << onBlack << QStringList{"Reverse", "Alt+I, T"} << Trim::Dark << content.size();
    QTest::newRow("reversed and back") << onBlack << QStringList{"Alt+I, T", "Reverse", "Reverse"} << Trim::Light
                                       << whole;
    QTest::newRow("trimming off again") << onWhite << QStringList{"Alt+I, T", "Alt+I, T"} << Trim::Off << whole;
    QTest::newRow("turned, then trimmed") << onWhite << QStringList{"Ctrl+R", "Alt+I, T"} << Trim::Light
                                          << content.size().transposed();
}

// Trimming cuts the margins of the paper as it prints: white ones, or black ones when the
// picture is reversed, so Reverse Image with trimming on prepares the picture again.
void TestWindowAdjust::trimFollowsReverse()
{
    QFETCH(QImage, image);
    QFETCH(QStringList, steps);
    QFETCH(Trim, trim);
    QFETCH(QSize, size);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("framed.png"), image));
    for (const QString &step : std::as_const(steps))
        QVERIFY(take(window, step));
    const ConversionState &state = window->state();
    QCOMPARE(state.print.trim, trim);
    QCOMPARE(window->imageChoices().trim, trim != Trim::Off);
    QCOMPARE(bed_.menus().findChild<QAction *>(QStringLiteral("ImageTrim"))->isChecked(), trim != Trim::Off);
    QCOMPARE(window.text("dimensions_label"), sizeText(size));
    QImage seen = image;
    for (int turns = 0; turns < state.print.orientation.quarterTurns; ++turns)
        seen = turnedRight(seen);
    const QImage expected = trimmed(seen, trim);
    const QString difference = differenceFrom(*state.pix, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QVERIFY(firstDifference(*state.destPix, *converted(state.pix, state.print, 100, state.reverse)).isEmpty());
}

// Every halftone of the table in its order, the first four as they always were.
void TestWindowAdjust::halftoneEntries()
{
    QMenu *halftones = nullptr;
    for (QAction *action : imageMenu()->actions())
        if (action->objectName() == QLatin1String("ImageHalftone"))
            halftones = action->menu();
    QVERIFY(halftones);
    QStringList entries;
    for (QAction *action : halftones->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->objectName() + QLatin1Char(' ') + action->text());
    QCOMPARE(entries, QStringList({"ImageHalftoneNone &None", "ImageHalftoneFloydSteinberg &Floyd–Steinberg",
                                   "ImageHalftoneAtkinson &Atkinson", "ImageHalftoneOrdered &Ordered",
                                   "ImageHalftoneJarvis &Jarvis–Judice–Ninke", "ImageHalftoneStucki S&tucki",
                                   "ImageHalftoneSierra S&ierra", "ImageHalftoneBlueNoise &Blue Noise",
                                   "ImageHalftoneClustered &Clustered", "-",
                                   "ImageSerpentine &Serpentine"}));
    QVERIFY(bed_.menus().findChild<QAction *>(QStringLiteral("ImageSerpentine"))->isCheckable());
}

void TestWindowAdjust::serpentineOnlyWithAnErrorDiffusion_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("diffusion");
    QTest::newRow("none") << "ImageHalftoneNone" << false;
    QTest::newRow("Floyd–Steinberg") << "ImageHalftoneFloydSteinberg" << true;
    QTest::newRow("Atkinson") << "ImageHalftoneAtkinson" << true;
    QTest::newRow("ordered") << "ImageHalftoneOrdered" << false;
    QTest::newRow("Jarvis–Judice–Ninke") << "ImageHalftoneJarvis" << true;
    QTest::newRow("Stucki") << "ImageHalftoneStucki" << true;
    QTest::newRow("Sierra") << "ImageHalftoneSierra" << true;
    QTest::newRow("blue noise") << "ImageHalftoneBlueNoise" << false;
    QTest::newRow("clustered") << "ImageHalftoneClustered" << false;
}

// Serpentine can be chosen with an error diffusion only; with another halftone it keeps its
// check for the next diffusion, and redraw is given no serpentine rows.
void TestWindowAdjust::serpentineOnlyWithAnErrorDiffusion()
{
    QFETCH(QString, entry);
    QFETCH(bool, diffusion);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("picture.png"), randomImage(31, 17, 3)));
    auto *serpentine = bed_.menus().findChild<QAction *>(QStringLiteral("ImageSerpentine"));
    // From Floyd–Steinberg with serpentine rows to the halftone of the row.
    QVERIFY(take(window, QStringLiteral("ImageHalftoneFloydSteinberg")));
    QVERIFY(take(window, QStringLiteral("ImageSerpentine")));
    QVERIFY(window->state().print.serpentine);
    if (entry != QLatin1String("ImageHalftoneFloydSteinberg"))
        QVERIFY(take(window, entry));
    QCOMPARE(serpentine->isEnabled(), diffusion);
    QVERIFY(serpentine->isChecked());
    QCOMPARE(window->imageChoices().serpentine, true);
    QCOMPARE(window->state().print.serpentine, diffusion);
    // The keyboard reaches it only when it is enabled.
    if (!diffusion)
        QTest::ignoreMessage(QtWarningMsg, "the arrow keys do not reach ImageSerpentine");
    QCOMPARE(takeImageMenuEntry(window.get(), {QStringLiteral("ImageHalftone"), QStringLiteral("ImageSerpentine")}),
             diffusion);
    QVERIFY(focusBackInTextArea(window, QStringLiteral("Serpentine")));
    QCOMPARE(window->imageChoices().serpentine, !diffusion);
    QCOMPARE(serpentine->isChecked(), !diffusion);
}

void TestWindowAdjust::serpentineRows_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<Halftone>("halftone");
    QTest::newRow("Floyd–Steinberg") << "ImageHalftoneFloydSteinberg" << Halftone::FloydSteinberg;
    QTest::newRow("Atkinson") << "ImageHalftoneAtkinson" << Halftone::Atkinson;
    QTest::newRow("Jarvis–Judice–Ninke") << "ImageHalftoneJarvis" << Halftone::Jarvis;
    QTest::newRow("Stucki") << "ImageHalftoneStucki" << Halftone::Stucki;
    QTest::newRow("Sierra") << "ImageHalftoneSierra" << Halftone::Sierra;
}

// Serpentine rows change what an error diffusion draws, and are what redraw draws with them.
void TestWindowAdjust::serpentineRows()
{
    QFETCH(QString, entry);
    QFETCH(Halftone, halftone);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("picture.png"), randomImage(64, 48, 5)));
    QVERIFY(take(window, entry));
    const ConversionState &state = window->state();
    QCOMPARE(state.print.halftone, halftone);
    const QByteArray straight = pictureDigest(*state.destPix);
    QVERIFY(take(window, QStringLiteral("ImageSerpentine")));
    QCOMPARE(state.print.serpentine, true);
    QCOMPARE(window.text("progress_label"), QStringLiteral("48"));
    QVERIFY(pictureDigest(*state.destPix) != straight);
    PrintSettings print;
    print.halftone = halftone;
    print.serpentine = true;
    QVERIFY(firstDifference(*state.destPix, *converted(state.pix, print, 100, false)).isEmpty());
}

// Alt+I, O: "Adjust Tone", each number labelled, reached by its letter, named for a screen
// reader, in its range, beside its slider; Reset, OK and Cancel.
void TestWindowAdjust::toneDialogControls()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("picture.png"), randomImage(10, 10, 2)));
    ToneDialog *dialog = openToneDialog(window);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Adjust Tone"));
    QVERIFY(dialog->isModal());
    QCOMPARE(QApplication::activeModalWidget(), dialog);

    const struct {
        const char *field;
        const char *slider;
        const char *label;
        const char *name;
        Qt::Key letter;
    } rows[] = {{"ToneBrightness", "ToneBrightnessSlider", "&Brightness:", "Brightness", Qt::Key_B},
                {"ToneContrast", "ToneContrastSlider", "Co&ntrast:", "Contrast", Qt::Key_N},
                {"ToneGamma", "ToneGammaSlider", "&Gamma:", "Gamma", Qt::Key_G}};
    for (const auto &row : rows) {
        auto *field = dialog->findChild<QAbstractSpinBox *>(QLatin1String(row.field));
        auto *slider = dialog->findChild<QSlider *>(QLatin1String(row.slider));
        QVERIFY2(field && slider, row.field);
        QLabel *label = nullptr;
        for (QLabel *each : dialog->findChildren<QLabel *>())
            if (each->buddy() == field)
                label = each;
        QVERIFY2(label, row.field);
        QCOMPARE(label->text(), QString::fromLatin1(row.label));
        QCOMPARE(field->accessibleName(), QString::fromLatin1(row.name));
        QCOMPARE(slider->accessibleName(), QString::fromLatin1(row.name));
        QTest::keyClick(dialog, row.letter, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), field);
    }
    auto *brightness = dialog->findChild<QSpinBox *>(QStringLiteral("ToneBrightness"));
    auto *contrast = dialog->findChild<QSpinBox *>(QStringLiteral("ToneContrast"));
    auto *gamma = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("ToneGamma"));
    QCOMPARE(QList<int>({brightness->minimum(), brightness->maximum(), brightness->value()}), QList<int>({-100, 100, 0}));
    QCOMPARE(QList<int>({contrast->minimum(), contrast->maximum(), contrast->value()}), QList<int>({-100, 100, 0}));
    QCOMPARE(gamma->decimals(), 2);
    QCOMPARE(QList<double>({gamma->minimum(), gamma->maximum(), gamma->value()}), QList<double>({0.1, 10.0, 1.0}));
    QCOMPARE(dialog->findChild<QSlider *>(QStringLiteral("ToneGammaSlider"))->value(), 1000); // the middle of 0-2000

    auto *reset = dialog->findChild<QPushButton *>(QStringLiteral("ToneReset"));
    QVERIFY(reset);
    QCOMPARE(reset->text(), QStringLiteral("&Reset"));
    QVERIFY(!reset->isEnabled()); // nothing to reset yet
    auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("ToneButtons"));
    QVERIFY(buttons->button(QDialogButtonBox::Ok) && buttons->button(QDialogButtonBox::Cancel));
    // No two of the dialog's letters alike.
    QSet<QChar> letters;
    for (QWidget *widget : dialog->findChildren<QWidget *>()) {
        const QString text = widget->property("text").toString();
        const qsizetype mark = text.indexOf(QLatin1Char('&'));
        if (mark < 0 || mark + 1 >= text.size())
            continue;
        QVERIFY2(!letters.contains(text.at(mark + 1).toLower()), qPrintable(text));
        letters.insert(text.at(mark + 1).toLower());
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(!window->toneDialog());
}

// One change in the dialog: a number typed (its label's letter, the number, Tab), a slider
// moved by its keys, or Reset.
struct ToneStep {
    QString control;  // "ToneBrightness", "ToneContrast", "ToneGamma", the sliders, or "ToneReset"
    QString typed;    // into a number field
    Qt::Key key = Qt::Key_unknown; // on a slider
};
using ToneSteps = QList<ToneStep>;
Q_DECLARE_METATYPE(ToneSteps)

void TestWindowAdjust::toneFollowsTheDialog_data()
{
    QTest::addColumn<ToneSteps>("steps");
    QTest::addColumn<Tone>("expected");
    QTest::addColumn<int>("gammaPosition"); // of 0-2000: 1000 (log10(gamma) + 1), rounded
    const auto typed = [](const char *field, const char *number) {
        return ToneStep{QLatin1String(field), QLatin1String(number)};
    };
    const auto slid = [](const char *slider, Qt::Key key) { return ToneStep{QLatin1String(slider), {}, key}; };
    QTest::newRow("brightness typed") << ToneSteps{typed("ToneBrightness", "40")} << Tone{40, 0, 100} << 1000;
    QTest::newRow("brightness -100") << ToneSteps{typed("ToneBrightness", "-100")} << Tone{-100, 0, 100} << 1000;
    QTest::newRow("contrast typed") << ToneSteps{typed("ToneContrast", "-25")} << Tone{0, -25, 100} << 1000;
    QTest::newRow("gamma 2.5") << ToneSteps{typed("ToneGamma", "2.5")} << Tone{0, 0, 250} << 1398;
    QTest::newRow("gamma 0.10, the least") << ToneSteps{typed("ToneGamma", "0.1")} << Tone{0, 0, 10} << 0;
    QTest::newRow("gamma 10.00, the most") << ToneSteps{typed("ToneGamma", "10")} << Tone{0, 0, 1000} << 2000;
    QTest::newRow("gamma 0.57, to the hundredth")
        << ToneSteps{typed("ToneGamma", "0.57")} << Tone{0, 0, 57} << 756;
    // Tab from the gamma takes the focus to Reset; Return there is still OK.
    QTest::newRow("all three") << ToneSteps{typed("ToneBrightness", "12"), typed("ToneContrast", "30"),
                                            typed("ToneGamma", "0.8")}
                               << Tone{12, 30, 80} << 903;
    QTest::newRow("brightness slider, Page Up") << ToneSteps{slid("ToneBrightnessSlider", Qt::Key_PageUp)}
                                                << Tone{10, 0, 100} << 1000;
    QTest::newRow("contrast slider, End") << ToneSteps{slid("ToneContrastSlider", Qt::Key_End)} << Tone{0, 100, 100}
                                          << 1000;
    QTest::newRow("contrast slider, Left") << ToneSteps{slid("ToneContrastSlider", Qt::Key_Left)}
                                           << Tone{0, -1, 100} << 1000;
    // Ten positions, 10^0.01: 1.0233, and the slider stays where it was moved to.
    QTest::newRow("gamma slider, Right") << ToneSteps{slid("ToneGammaSlider", Qt::Key_Right)} << Tone{0, 0, 102}
                                         << 1010;
    QTest::newRow("gamma slider, Home") << ToneSteps{slid("ToneGammaSlider", Qt::Key_Home)} << Tone{0, 0, 10} << 0;
    const ToneStep reset{QStringLiteral("ToneReset"), {}, Qt::Key_unknown};
    QTest::newRow("Reset") << ToneSteps{typed("ToneBrightness", "-40"), typed("ToneGamma", "3"), reset}
                           << Tone{} << 1000;
}

// Every change prepares the picture again at once, toned by the formula; the slider and the
// number beside it agree; the size stays.
void TestWindowAdjust::toneFollowsTheDialog()
{
    QFETCH(ToneSteps, steps);
    QFETCH(Tone, expected);
    QFETCH(int, gammaPosition);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    const QImage image = randomImage(37, 23, 11);
    window.load(bed_.picture(QStringLiteral("picture.png"), image));
    ToneDialog *dialog = openToneDialog(window);
    QVERIFY(dialog);
    const Qt::Key letters[] = {Qt::Key_B, Qt::Key_N, Qt::Key_G};
    const QStringList fields{"ToneBrightness", "ToneContrast", "ToneGamma"};
    for (const ToneStep &step : std::as_const(steps)) {
        if (step.control == QLatin1String("ToneReset")) {
            QTest::keyClick(dialog, Qt::Key_R, Qt::AltModifier);
        } else if (!step.typed.isEmpty()) {
            QTest::keyClick(dialog, letters[fields.indexOf(step.control)], Qt::AltModifier);
            QWidget *field = QApplication::focusWidget();
            QCOMPARE(field->objectName(), step.control);
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, step.typed);
            QTest::keyClick(field, Qt::Key_Tab);
        } else {
            auto *slider = dialog->findChild<QSlider *>(step.control);
            slider->setFocus(Qt::TabFocusReason);
            QTest::keyClick(slider, step.key);
        }
    }
    const ConversionState &state = window->state();
    // Reset clicks itself a moment after its letter, as a button shows it is pressed.
    QTRY_COMPARE(state.print.tone, expected);
    QCOMPARE(window->imageChoices().tone, expected);
    QCOMPARE(dialog->tone(), expected);
    QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("ToneBrightness"))->value(), expected.brightness);
    QCOMPARE(dialog->findChild<QSlider *>(QStringLiteral("ToneBrightnessSlider"))->value(), expected.brightness);
    QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("ToneContrast"))->value(), expected.contrast);
    QCOMPARE(dialog->findChild<QSlider *>(QStringLiteral("ToneContrastSlider"))->value(), expected.contrast);
    QCOMPARE(qRound(dialog->findChild<QDoubleSpinBox *>(QStringLiteral("ToneGamma"))->value() * 100),
             expected.gammaHundredths);
    QCOMPARE(dialog->findChild<QSlider *>(QStringLiteral("ToneGammaSlider"))->value(), gammaPosition);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("37x23"));
    const QString difference = differenceFrom(*state.pix, toned(image, expected));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QVERIFY(firstDifference(*state.destPix, *converted(state.pix, state.print, 100, false)).isEmpty());
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), state.pix);
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), state.destPix);
    QVERIFY(dialog->isVisible());
    // Return is OK wherever the focus is, Reset too.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!window->toneDialog());
    QCOMPARE(state.print.tone, expected);
}

void TestWindowAdjust::toneCancelPutsBack_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("drawn"); // converted before the dialog (Refresh), or as loaded
    for (const char *how : {"Cancel", "Escape", "closing the dialog"}) {
        QTest::addRow("%s", how) << QString::fromLatin1(how) << true;
        QTest::addRow("%s, straight after the load", how) << QString::fromLatin1(how) << false;
    }
}

// Cancel, Escape and closing the dialog put back exactly what was there when it opened,
// after any number of changes: the same pictures, bit for bit, the labels and the choices.
void TestWindowAdjust::toneCancelPutsBack()
{
    QFETCH(QString, how);
    QFETCH(bool, drawn);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("picture.png"), randomImage(41, 29, 13)));
    QVERIFY(take(window, QStringLiteral("Ctrl+R")));
    QVERIFY(take(window, QStringLiteral("ImageHalftoneFloydSteinberg")));
    window.control<LogoTextEdit>("TextArea1")->setContent(u"kept");
    if (drawn)
        window.click("PushButton2");
    else
        window.load(bed_.picture(QStringLiteral("other.png"), randomImage(41, 29, 14)));
    const Snapshot before = Snapshot::of(window, bed_.menus());

    ToneDialog *dialog = openToneDialog(window);
    QVERIFY(dialog);
    const std::pair<Qt::Key, const char *> typed[] = {{Qt::Key_B, "35"}, {Qt::Key_G, "0.6"}, {Qt::Key_N, "-60"}};
    for (const auto &[letter, number] : typed) {
        QTest::keyClick(dialog, letter, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(number));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(window->state().print.tone, (Tone{35, -60, 60}));
    QVERIFY(!(Snapshot::of(window, bed_.menus()) == before));

    if (how == QLatin1String("Cancel"))
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        dialog->close();
    QTRY_VERIFY(!window->toneDialog());
    QVERIFY(Snapshot::of(window, bed_.menus()) == before);
    QCOMPARE(window->state().print.tone, Tone());
    QVERIFY(focusBackInTextArea(window, how));
}

// OK keeps the tone; the dialog opens again on it, and Reset and OK take it back to none.
void TestWindowAdjust::toneOkKeeps()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    const QImage image = randomImage(20, 30, 17);
    window.load(bed_.picture(QStringLiteral("picture.png"), image));
    ToneDialog *dialog = openToneDialog(window);
    QVERIFY(dialog);
    QTest::keyClick(dialog, Qt::Key_B, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-30"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the number, then OK
    QTRY_VERIFY(!window->toneDialog());
    QCOMPARE(window->state().print.tone, (Tone{-30, 0, 100}));
    QVERIFY(focusBackInTextArea(window, QStringLiteral("OK")));
    const QString difference = differenceFrom(*window->state().pix, toned(image, {-30, 0, 100}));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    dialog = openToneDialog(window);
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("ToneBrightness"))->value(), -30);
    QCOMPARE(dialog->findChild<QSlider *>(QStringLiteral("ToneBrightnessSlider"))->value(), -30);
    QTest::keyClick(dialog, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(window->state().print.tone, Tone());
    QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!window->toneDialog());
    QCOMPARE(window->state().print.tone, Tone());
    QVERIFY(differenceFrom(*window->state().pix, image).isEmpty());
}

// A tone the picture cannot be prepared with changes nothing and says why; the dialog shows
// the tone kept and stays open for another.
void TestWindowAdjust::refusedToneChangesNothing()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("picture.png"), randomImage(40, 30, 19)));
    ToneDialog *dialog = openToneDialog(window);
    QVERIFY(dialog);
    QTest::keyClick(dialog, Qt::Key_N, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("20"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const Snapshot taken = Snapshot::of(window, bed_.menus());

    window->setAvailableMemory(qint64(1));
    QTest::keyClick(dialog, Qt::Key_B, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("50"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(bed_.takeMessages(), QStringList({"Cannot adjust the tone of 'picture.png': there is not enough memory "
                                                   "for a picture of 40x30 dots."}));
    QVERIFY(Snapshot::of(window, bed_.menus()) == taken);
    QCOMPARE(dialog->tone(), (Tone{0, 20, 100}));
    QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("ToneBrightness"))->value(), 0);
    QCOMPARE(dialog->findChild<QSlider *>(QStringLiteral("ToneBrightnessSlider"))->value(), 0);
    QVERIFY(window->toneDialog());

    // After the message a window manager gives the dialog the keyboard again; the offscreen
    // platform has none, so this does what one does.
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    window->setAvailableMemory(std::nullopt);
    QTest::keyClick(dialog, Qt::Key_B, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("50"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(window->state().print.tone, (Tone{50, 20, 100}));
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(!window->toneDialog());
}

void TestWindowAdjust::refusedChoiceChangesNothing_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("message");
    // Of a picture 40 x 30 with 23 x 17 of content on white.
    const QString prefix = QStringLiteral("there is not enough memory for a picture of ");
    QTest::newRow("Ctrl+R") << QStringList() << "Ctrl+R"
                            << "Cannot turn 'framed.png': " + prefix + "30x40 dots.";
    QTest::newRow("Alt+I, L") << QStringList{"Ctrl+R"} << "Alt+I, L"
                              << "Cannot turn 'framed.png': " + prefix + "40x30 dots.";
    QTest::newRow("Mirror") << QStringList() << "Alt+I, M" << "Cannot mirror 'framed.png': " + prefix + "40x30 dots.";
    QTest::newRow("Mirror off") << QStringList{"Alt+I, M", "Ctrl+R"} << "Alt+I, M"
                                << "Cannot mirror 'framed.png': " + prefix + "30x40 dots.";
    QTest::newRow("Trim White Margins") << QStringList() << "Alt+I, T"
                                        << "Cannot trim the margins of 'framed.png': " + prefix + "23x17 dots.";
    QTest::newRow("Trim White Margins off") << QStringList{"Alt+I, T"} << "Alt+I, T"
                                            << "Cannot put back the margins of 'framed.png': " + prefix + "40x30 dots.";
    // Reversed, the paper is black: none of this picture's margins is trimmed.
    QTest::newRow("Reverse Image with trimming on") << QStringList{"Alt+I, T"} << "Reverse"
        << "Cannot trim the margins of 'framed.png': " + prefix + "40x30 dots.";
}

// The window, the menu's checks, Reverse Image and what is remembered stay exactly as they
// were, and the message says why; with the memory there the same choice is taken.
void TestWindowAdjust::refusedChoiceChangesNothing()
{
    QFETCH(QStringList, before);
    QFETCH(QString, refused);
    QFETCH(QString, message);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("framed.png"), framed({40, 30}, 255, {7, 5, 23, 17}, 60)));
    for (const QString &step : std::as_const(before))
        QVERIFY(take(window, step));
    window.click("PushButton3");
    const Snapshot taken = Snapshot::of(window, bed_.menus());

    window->setAvailableMemory(qint64(1));
    QVERIFY(take(window, refused));
    QCOMPARE(bed_.takeMessages(), QStringList({message}));
    QVERIFY(Snapshot::of(window, bed_.menus()) == taken);

    window->setAvailableMemory(std::nullopt);
    QVERIFY(take(window, refused));
    QVERIFY(!(Snapshot::of(window, bed_.menus()) == taken));
}

enum class LoadWay { LoadImage, Drop, OpenLogoText, Refused };
Q_DECLARE_METATYPE(LoadWay)

void TestWindowAdjust::newPictureStartsAfresh_data()
{
    QTest::addColumn<LoadWay>("way");
    QTest::newRow("Load Image") << LoadWay::LoadImage;
    QTest::newRow("a drop") << LoadWay::Drop;
    QTest::newRow("Open Logo Data Text") << LoadWay::OpenLogoText;
    QTest::newRow("a load refused keeps them") << LoadWay::Refused;
}

// The turn, the mirror and the tone are the picture's: each picture loaded, whichever way,
// starts without them, and the printer's choices stay. A load refused keeps everything.
void TestWindowAdjust::newPictureStartsAfresh()
{
    QFETCH(LoadWay, way);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("first.png"), randomImage(30, 20, 23)));
    for (const char *step : {"Ctrl+R", "Alt+I, M", "Alt+I, T", "ImageHalftoneAtkinson", "ImageSerpentine"})
        QVERIFY(take(window, QLatin1String(step)));
    ToneDialog *dialog = openToneDialog(window);
    QVERIFY(dialog);
    QTest::keyClick(dialog, Qt::Key_G, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1.7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!window->toneDialog());
    QVERIFY(focusBackInTextArea(window, QStringLiteral("OK")));
    ImageChoices printer{0, false, Halftone::Atkinson, true, true};
    ImageChoices chosen = printer;
    chosen.orientation = {1, true};
    chosen.tone = {0, 0, 170};
    QCOMPARE(window->imageChoices(), chosen);
    const Snapshot taken = Snapshot::of(window, bed_.menus());

    // A picture of one band and no margins: the same whether trimmed or not.
    const QImage second = randomImage(24, 8, 29);
    switch (way) {
    case LoadWay::LoadImage:
        window.load(bed_.picture(QStringLiteral("second.png"), second));
        break;
    case LoadWay::Drop: {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(bed_.picture(QStringLiteral("second.png"), second))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::sendPostedEvents();
        break;
    }
    case LoadWay::OpenLogoText: {
        // The text of a black and white picture: its picture is that black and white.
        const PictureRef working(std::make_shared<Picture>(second.convertToFormat(QImage::Format_Mono)
                                                               .convertToFormat(Picture::kStorageFormat)));
        const QString path = bed_.path(QStringLiteral("second.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(logoTextOf(working).toUtf8()) > 0);
        file.close();
        window->setLogoTextChooser([&](Window1::LogoTextDialog) { return std::optional<QString>(path); });
        window->FileOpenLogoText_Action();
        break;
    }
    case LoadWay::Refused:
        window.load(notAPicture());
        QCOMPARE(bed_.takeMessages().size(), 1);
        QVERIFY(Snapshot::of(window, bed_.menus()) == taken);
        return;
    }
    QCOMPARE(window->imageChoices(), printer);
    QCOMPARE(bed_.menus().imageMenuChoices()->shown(), printer);
    QCOMPARE(window->state().print, printer.printSettings());
    QVERIFY(!bed_.menus().findChild<QAction *>(QStringLiteral("ImageMirror"))->isChecked());
    QVERIFY(bed_.menus().findChild<QAction *>(QStringLiteral("ImageTrim"))->isChecked());
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("24x8"));
    QVERIFY(differenceFrom(*window->state().pix, window->state().original->image()).isEmpty());
    dialog = openToneDialog(window);
    QVERIFY(dialog);
    QCOMPARE(dialog->tone(), Tone());
    QTest::keyClick(dialog, Qt::Key_Escape);
    QTRY_VERIFY(!window->toneDialog());
}

// A second run (a new menu bar and window, as after a restart) starts with the printer's
// choices of the first, and none of the picture's.
void TestWindowAdjust::printerChoicesRememberedPictureChoicesNot()
{
    {
        ShownWindow first(bed_.menus());
        QVERIFY(ready(first));
        first.load(bed_.picture(QStringLiteral("picture.png"), randomImage(30, 20, 31)));
        for (const char *step : {"ImageHalftoneFloydSteinberg", "ImageSerpentine", "Alt+I, T", "Ctrl+L", "Alt+I, M"})
            QVERIFY(take(first, QLatin1String(step)));
        ToneDialog *dialog = openToneDialog(first);
        QVERIFY(dialog);
        QTest::keyClick(dialog, Qt::Key_B, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("25"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!first->toneDialog());
        QCOMPARE(first->state().print.tone.brightness, 25);
        QCOMPARE(first->state().print.orientation, (Orientation{3, true}));
    }
    const ImageChoices printer{0, false, Halftone::FloydSteinberg, true, true};
    QCOMPARE(ImageChoices::remembered(), printer);
    QSettings settings;
    settings.beginGroup(QStringLiteral("Image"));
    QCOMPARE(settings.childKeys(),
             QStringList({"centreOnPaper", "dotGain", "halftone", "printerWidth", "serpentine", "trimMargins"}));

    MainMenuBar menus;
    ShownWindow second(menus);
    QCOMPARE(second->imageChoices(), printer);
    QCOMPARE(menus.imageMenuChoices()->shown(), printer);
    QCOMPARE(second->state().print, printer.printSettings());
    QVERIFY(menus.findChild<QAction *>(QStringLiteral("ImageSerpentine"))->isChecked());
    QVERIFY(menus.findChild<QAction *>(QStringLiteral("ImageTrim"))->isChecked());
    QVERIFY(!menus.findChild<QAction *>(QStringLiteral("ImageMirror"))->isChecked());
}

QTEST_MAIN(TestWindowAdjust)
#include "tst_window_adjust.moc"
