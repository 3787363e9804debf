// The printer's dots in the window, driven from the keyboard as a user does: Image ▸
// Printer Dots converts the picture anew allowing for the dots chosen (and is remembered
// between runs), Image ▸ Calibration Strip makes the strip the picture, as plovan-cli
// makes it.

#include "tst_window_fixture.h"

#include "conversion/DotModel.h"
#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "support/CliRun.h"
#include "support/CreatedText.h"
#include "support/WindowRecorder.h"
#include "ui/ImageMenu.h"
#include "ui/LogoTextEdit.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLocale>
#include <QScopeGuard>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QSlider>
#include <QTimer>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// Greys from black to white across, with some noise, so that every halftone and every dot
// gain gives pixels of its own.
QImage greyImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(width * 31 + height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int grey = std::clamp(x * 255 / std::max(1, width - 1) + int(random.bounded(21)) - 10, 0, 255);
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return image;
}

// The black-and-white picture redraw makes of `pix` with this halftone and dot gain at the
// slider's first threshold, on a working picture of its own.
PictureRef converted(const PictureRef &pix, Halftone halftone, int dotGainHundredths)
{
    ConversionState state;
    state.pix = pix;
    state.destPix = makePicture(pix->Width(), pix->Height());
    state.print.halftone = halftone;
    state.print.dotGainHundredths = dotGainHundredths;
    WindowRecorder view;
    redraw(state, view);
    return state.destPix;
}

QStringList dotsEntry(const QString &name)
{
    return {QStringLiteral("ImagePrinterDots"), name};
}

// The Printer Dots submenu of the Image menu.
QMenu *dotsMenu(const MainMenuBar &menus)
{
    for (QAction *action : menus.imageMenu()->actions())
        if (action->objectName() == QLatin1String("ImagePrinterDots"))
            return action->menu();
    return nullptr;
}

// The object names of the checked entries of Printer Dots.
QStringList checkedDots(const MainMenuBar &menus)
{
    QStringList checked;
    for (QAction *action : dotsMenu(menus)->actions())
        if (action->isChecked())
            checked << action->objectName();
    return checked;
}

} // namespace

class TestWindowDots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void init();
    void cleanup();

    void menuEntries();
    void printerDots_data();
    void printerDots();
    void dotsRememberedAcrossRuns();
    void otherDialog_data();
    void otherDialog();
    void calibrationStrip_data();
    void calibrationStrip();
    void calibrationStripTooNarrow();
    void calibrationStripFollowsTheHalftone();
    void calibrationStripRefusedChangesNothing();

private:
    bool ready(ShownWindow &window);
    // Takes the entry at `path` from the keyboard; the dot gain dialog answered with `typed`.
    bool choose(ShownWindow &window, const QStringList &path, std::optional<int> typed = {});

    WindowTestBed bed_;
};

void TestWindowDots::init()
{
    QSettings().clear();
    bed_.menus().imageMenuChoices()->show(ImageChoices());
}

void TestWindowDots::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

bool TestWindowDots::ready(ShownWindow &window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return false;
    return QApplication::focusWidget() == window.control("TextArea1");
}

bool TestWindowDots::choose(ShownWindow &window, const QStringList &path, std::optional<int> typed)
{
    window->setDotGainChooser([typed](int) { return typed; });
    return takeImageMenuEntry(window.get(), path) && focusBackInTextArea(window, path.join(QLatin1Char('/')));
}

void TestWindowDots::menuEntries()
{
    QMenu *dots = dotsMenu(bed_.menus());
    QVERIFY(dots);
    QCOMPARE(dots->objectName(), QStringLiteral("ImageDotsMenu"));
    QCOMPARE(dots->menuAction()->text(), QStringLiteral("Printer &Dots"));
    QStringList texts, names;
    for (QAction *action : dots->actions()) {
        texts << action->text();
        names << action->objectName();
        QVERIFY(action->isCheckable());
    }
    QCOMPARE(texts, QStringList({"&Square (no model)", "1.&0", "1.&1", "1.&2", "1.&3", "1.&4", "&Other…"}));
    QCOMPARE(names, QStringList({"ImageDotsSquare", "ImageDots100", "ImageDots110", "ImageDots120", "ImageDots130",
                                 "ImageDots140", "ImageDotsOther"}));
    ShownWindow window(bed_.menus());
    QCOMPARE(checkedDots(bed_.menus()), QStringList{QStringLiteral("ImageDotsSquare")});
    QCOMPARE(window->state().print.dotGainHundredths, 0);
}

void TestWindowDots::printerDots_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<std::optional<int>>("typed"); // in the dialog of Other…; nothing: Cancel
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("checked");
    QTest::newRow("1.0") << "ImageDots100" << std::optional<int>() << 100 << "ImageDots100";
    QTest::newRow("1.1") << "ImageDots110" << std::optional<int>() << 110 << "ImageDots110";
    QTest::newRow("1.2") << "ImageDots120" << std::optional<int>() << 120 << "ImageDots120";
    QTest::newRow("1.3") << "ImageDots130" << std::optional<int>() << 130 << "ImageDots130";
    QTest::newRow("1.4") << "ImageDots140" << std::optional<int>() << 140 << "ImageDots140";
    QTest::newRow("Other… 1.37") << "ImageDotsOther" << std::optional<int>(137) << 137 << "ImageDotsOther";
    QTest::newRow("Other… 1.41, the largest") << "ImageDotsOther" << std::optional<int>(141) << 141 << "ImageDotsOther";
    QTest::newRow("Other… 1.20 is the entry of 1.2") << "ImageDotsOther" << std::optional<int>(120) << 120 << "ImageDots120";
    QTest::newRow("Other… cancelled keeps 1.1") << "ImageDotsOther" << std::optional<int>() << 110 << "ImageDots110";
    QTest::newRow("Other… out of range keeps 1.1") << "ImageDotsOther" << std::optional<int>(142) << 110 << "ImageDots110";
    QTest::newRow("back to square cells") << "ImageDotsSquare" << std::optional<int>() << 0 << "ImageDotsSquare";
}

// From 1.1 with Floyd–Steinberg, the entry taken converts the picture at once with its dot
// gain, as the conversion does with that dot gain, and Create gives that picture's text.
void TestWindowDots::printerDots()
{
    QFETCH(QString, entry);
    QFETCH(std::optional<int>, typed);
    QFETCH(int, expected);
    QFETCH(QString, checked);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("grey.png"), greyImage(131, 41)));
    QVERIFY(choose(window, {QStringLiteral("ImageHalftone"), QStringLiteral("ImageHalftoneFloydSteinberg")}));
    QVERIFY(choose(window, dotsEntry(QStringLiteral("ImageDots110"))));
    QVERIFY(choose(window, dotsEntry(entry), typed));

    const ConversionState &state = window->state();
    QCOMPARE(window->imageChoices().dotGainHundredths, expected);
    QCOMPARE(state.print.dotGainHundredths, expected);
    QCOMPARE(checkedDots(bed_.menus()), QStringList{checked});
    QCOMPARE(ImageChoices::remembered().dotGainHundredths, expected);
    const PictureRef wanted = converted(state.pix, Halftone::FloydSteinberg, expected);
    QCOMPARE(state.destPix->image(), wanted->image());
    // Not the picture of any other dot gain: the choice is seen.
    for (const int other : {0, 100, 120, 141})
        if (other != expected)
            QVERIFY(state.destPix->image() != converted(state.pix, Halftone::FloydSteinberg, other)->image());
    window.click("PushButton3");
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), logoTextOf(wanted));
}

// A second run starts with the dots of the first, and loads with them.
void TestWindowDots::dotsRememberedAcrossRuns()
{
    const QString path = bed_.picture(QStringLiteral("grey.png"), greyImage(90, 30));
    {
        ShownWindow first(bed_.menus());
        QVERIFY(ready(first));
        QVERIFY(choose(first, {QStringLiteral("ImageHalftone"), QStringLiteral("ImageHalftoneAtkinson")}));
        QVERIFY(choose(first, dotsEntry(QStringLiteral("ImageDotsOther")), 133));
    }
    MainMenuBar menus;
    ShownWindow second(menus);
    QVERIFY(ready(second));
    QCOMPARE(second->imageChoices().dotGainHundredths, 133);
    QCOMPARE(second->state().print.dotGainHundredths, 133);
    QCOMPARE(checkedDots(menus), QStringList{QStringLiteral("ImageDotsOther")});
    second.load(path);
    second.click("PushButton2");
    QCOMPARE(second->state().destPix->image(), converted(second->state().pix, Halftone::Atkinson, 133)->image());
}

void TestWindowDots::otherDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("locale");
    QTest::newRow("1.27") << "1.27" << 127 << "C";
    QTest::newRow("1.41, the largest") << "1.41" << 141 << "C";
    QTest::newRow("1.00, the smallest") << "1.00" << 100 << "C";
    QTest::newRow("1.33 in German, with a point all the same") << "1.33" << 133 << "de_DE";
    QTest::newRow("1.05 in French") << "1.05" << 105 << "fr_FR";
}

// The dialog of Other… itself: it proposes 1.20, takes R with two decimals from 1.00 to 1.41
// with a point whatever the language, and Return keeps what was typed.
void TestWindowDots::otherDialog()
{
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QFETCH(QString, locale);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window->setDotGainChooser({});
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QVERIFY(QTest::qWaitFor([] { return qobject_cast<QInputDialog *>(QApplication::activeModalWidget()); }));
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        QCOMPARE(dialog->objectName(), QStringLiteral("OtherDotGainDialog"));
        auto *spin = dialog->findChild<QDoubleSpinBox *>();
        QVERIFY(spin);
        QCOMPARE(spin->decimals(), 2);
        QCOMPARE(spin->minimum(), 1.0);
        QCOMPARE(spin->maximum(), 1.41);
        QCOMPARE(spin->text(), QStringLiteral("1.20"));
        spin->selectAll();
        QTest::keyClicks(spin, typed);
        QTest::keyClick(spin, Qt::Key_Return);
        seen = true;
    });
    QVERIFY(takeImageMenuEntry(window.get(), dotsEntry(QStringLiteral("ImageDotsOther"))));
    QVERIFY(seen);
    QVERIFY(focusBackInTextArea(window, QStringLiteral("the dialog")));
    QCOMPARE(window->imageChoices().dotGainHundredths, expected);
}

void TestWindowDots::calibrationStrip_data()
{
    QTest::addColumn<QStringList>("choices"); // Image menu entries, each a path joined by '/'
    QTest::addColumn<QStringList>("arguments"); // plovan-cli's for the same strip
    QTest::addColumn<QSize>("size");
    QTest::newRow("original size, no halftone: 384 dots") << QStringList() << QStringList() << QSize(384, 320);
    QTest::newRow("576 dots, Floyd–Steinberg at 1.2")
        << QStringList{"ImagePrinterWidth/ImageWidth576", "ImageHalftone/ImageHalftoneFloydSteinberg",
                       "ImagePrinterDots/ImageDots120"}
        << QStringList{"--width", "576", "--halftone", "floyd-steinberg"} << QSize(576, 320);
    QTest::newRow("832 dots centred, Atkinson serpentine")
        << QStringList{"ImagePrinterWidth/ImageWidth832", "ImageCentre", "ImageHalftone/ImageHalftoneAtkinson",
                       "ImageHalftone/ImageSerpentine"}
        << QStringList{"--width", "832", "--halftone", "atkinson", "--serpentine"} << QSize(832, 320);
    QTest::newRow("384 dots, ordered at 1.4")
        << QStringList{"ImagePrinterWidth/ImageWidth384", "ImageHalftone/ImageHalftoneOrdered",
                       "ImagePrinterDots/ImageDots140"}
        << QStringList{"--width", "384", "--halftone", "ordered"} << QSize(384, 320);
    QTest::newRow("blue noise at 1.3, original size")
        << QStringList{"ImageHalftone/ImageHalftoneBlueNoise", "ImagePrinterDots/ImageDots130"}
        << QStringList{"--halftone", "blue-noise"} << QSize(384, 320);
}

// The strip is loaded as a picture is, over the one before, and converted at once: Create
// gives the very bytes plovan-cli writes for the same width and halftone.
void TestWindowDots::calibrationStrip()
{
    QFETCH(QStringList, choices);
    QFETCH(QStringList, arguments);
    QFETCH(QSize, size);
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("grey.png"), greyImage(200, 60)));
    for (const QString &choice : std::as_const(choices))
        QVERIFY(choose(window, choice.split(QLatin1Char('/'))));
    QVERIFY(choose(window, {QStringLiteral("ImageCalibrationStrip")}));

    const ConversionState &state = window->state();
    QCOMPARE(state.pix->Width(), size.width());
    QCOMPARE(state.pix->Height(), size.height());
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    // The strip is its own halftone's: converted, it stays as it was made.
    QCOMPARE(state.destPix->image(), state.pix->image());
    window.click("PushButton3");
    const CliResult cli = runCli(QStringList{QStringLiteral("--calibration-strip")} + arguments);
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content().toUtf8(), cli.out);
}

void TestWindowDots::calibrationStripTooNarrow()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    window.load(bed_.picture(QStringLiteral("grey.png"), greyImage(200, 60)));
    window->setWidthChooser([](int) { return std::optional<int>(100); });
    QVERIFY(takeImageMenuEntry(window.get(), {QStringLiteral("ImagePrinterWidth"), QStringLiteral("ImageWidthOther")}));
    const PictureRef before = window->state().pix;
    QCOMPARE(before->Width(), 100);
    QVERIFY(takeImageMenuEntry(window.get(), {QStringLiteral("ImageCalibrationStrip")}));
    QCOMPARE(bed_.takeMessages(),
             QStringList{QStringLiteral("The calibration strip needs a printer width of at least 128 dots.")});
    QVERIFY(focusBackInTextArea(window, QStringLiteral("the refusal")));
    QCOMPARE(window->state().pix, before);
}

// A halftone or a printer width chosen while the strip is the picture makes the strip anew
// with it.
void TestWindowDots::calibrationStripFollowsTheHalftone()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    QVERIFY(choose(window, {QStringLiteral("ImageCalibrationStrip")}));
    QVERIFY(choose(window, {QStringLiteral("ImageHalftone"), QStringLiteral("ImageHalftoneStucki")}));
    QVERIFY(choose(window, {QStringLiteral("ImagePrinterDots"), QStringLiteral("ImageDots120")}));
    window.click("PushButton3");
    const CliResult cli = runCli({QStringLiteral("--calibration-strip"), QStringLiteral("--halftone"), QStringLiteral("stucki")});
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content().toUtf8(), cli.out);
    // A printer width makes it anew as wide; one too narrow for it shrinks it as a picture.
    QVERIFY(choose(window, {QStringLiteral("ImagePrinterWidth"), QStringLiteral("ImageWidth576")}));
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("576x320"));
    window.click("PushButton3");
    const CliResult wider = runCli({QStringLiteral("--calibration-strip"), QStringLiteral("--halftone"),
                                    QStringLiteral("stucki"), QStringLiteral("--width"), QStringLiteral("576")});
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content().toUtf8(), wider.out);
    window->setWidthChooser([](int) { return std::optional<int>(100); });
    QVERIFY(choose(window, {QStringLiteral("ImagePrinterWidth"), QStringLiteral("ImageWidthOther")}));
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("100x56"));
    // Another picture loaded is converted with the halftone and dots again.
    window.load(bed_.picture(QStringLiteral("grey.png"), greyImage(70, 20)));
    window.click("PushButton2");
    QCOMPARE(window->state().destPix->image(), converted(window->state().pix, Halftone::Stucki, 120)->image());
}

// A strip that cannot be made anew (no memory for it) leaves the strip, the halftone and
// what is remembered as they were.
void TestWindowDots::calibrationStripRefusedChangesNothing()
{
    ShownWindow window(bed_.menus());
    QVERIFY(ready(window));
    QVERIFY(choose(window, {QStringLiteral("ImageCalibrationStrip")}));
    const PictureRef before = window->state().pix;
    window->setAvailableMemory(1000);
    QVERIFY(takeImageMenuEntry(window.get(), {QStringLiteral("ImageHalftone"), QStringLiteral("ImageHalftoneAtkinson")}));
    QCOMPARE(bed_.takeMessages().size(), 1);
    QVERIFY(focusBackInTextArea(window, QStringLiteral("the refusal")));
    QCOMPARE(window->state().pix, before);
    QCOMPARE(window->imageChoices().halftone, Halftone::None);
    QCOMPARE(ImageChoices::remembered().halftone, Halftone::None);
    QVERIFY(bed_.menus().findChild<QAction *>(QStringLiteral("ImageHalftoneNone"))->isChecked());
    QCOMPARE(window->state().print.halftone, Halftone::None);
}

QTEST_MAIN(TestWindowDots)
#include "tst_window_dots.moc"
