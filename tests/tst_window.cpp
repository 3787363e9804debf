#include "tst_window_fixture.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "ui/Canvas.h"
#include "ui/LogoTextEdit.h"
#include "ui/PictureFileNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QUrl>
#include <algorithm>

using namespace plovan;

namespace {

const QString kCredit = QStringLiteral("Plovan v1.0 — logos for receipt printers");

// Whether every pixel of the picture is opaque black (or every one opaque white).
bool allPixels(const Picture &picture, Colour colour)
{
    const ConstRGBSurface surface = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (surface.Pixel(x, y) != colour)
                return false;
    return true;
}

// Black (0, 0, 0) where `black`, white elsewhere.
QImage blackWhere(int width, int height, const std::function<bool(int, int)> &black)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, black(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

bool isOpaqueBlack(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

// The named controls in the order the Tab key visits the window's widgets.
QStringList focusChainNames(QWidget *window, const QStringList &names)
{
    QStringList order;
    QWidget *widget = window;
    do {
        widget = widget->nextInFocusChain();
        if (names.contains(widget->objectName()))
            order << widget->objectName();
    } while (widget != window);
    return order;
}

const QStringList kControlNames = {
    "Canvas1", "PushButton1", "dimensions_label", "Canvas2", "PushButton2", "progress_label",
    "Slider1", "thresh_label", "CheckBox1", "PushButton3", "TextArea1", "dimensions_label1",
    "dimensions_label2", "dimensions_label3", "dimensions_label4", "dimensions_label5",
};

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void controls_data();
    void controls();
    void everyControlIsInTheTable();
    void settings_data();
    void settings();
    void contentArea();
    void tabVisitsTheControlsInOrder();

    void sliderKeys_data();
    void sliderKeys();
    void sliderDragRedrawsOnceOnRelease();
    void reverse_data();
    void reverse();
    void refresh();
    void controlsBeforeAnyLoad();

    void create_data();
    void create();

    void load_data();
    void load();
    void cancelledLoadChangesNothing();
    void loadErrorShowsAMessageAndChangesNothing();
    void pictureFileNames_data();
    void pictureFileNames();
    void drop_data();
    void drop();

    void canvas_data();
    void canvas();
    void canvasKeepsNoCopyOfThePicture_data();
    void canvasKeepsNoCopyOfThePicture();
    void scaledCanvasFollowsRedraw();

    void progressIsPaintedWhileRedrawRuns();
    void closingReleasesThePictures();

private:
    QString picture(const QString &name, const QImage &image) { return writePicture(dir_, name, image); }

    MainMenuBar *menus_ = nullptr;
    QTemporaryDir dir_;
    MessageBoxWatch messages_;
};

void TestWindow::initTestCase()
{
    QVERIFY(dir_.isValid());
    quietOffscreenSizeLimits();
    menus_ = new MainMenuBar;
}

void TestWindow::cleanupTestCase()
{
    delete menus_;
}

void TestWindow::cleanup()
{
    const QStringList unexpected = messages_.take();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindow::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("points"); // 0: the default size of the system font
    QTest::addColumn<int>("tabRank");
    int rank = 0;
    auto row = [&rank](const char *name, const char *kind, QRect geometry, const QString &text, int points) {
        QTest::newRow(name) << QString::fromLatin1(kind) << geometry << text << points << rank++;
    };
    // In tab order.
    row("Canvas1", "plovan::Canvas", {173, 20, 192, 320}, {}, 0);
    row("PushButton1", "QPushButton", {20, 20, 123, 20}, "Load Image....", 0);
    row("dimensions_label", "QLabel", {173, 419, 396, 20}, "-", 0);
    row("Canvas2", "plovan::Canvas", {377, 20, 192, 320}, {}, 0);
    row("PushButton2", "QPushButton", {20, 52, 123, 20}, "Refresh", 0);
    row("progress_label", "QLabel", {173, 439, 396, 20}, "-", 0);
    row("Slider1", "QSlider", {20, 159, 123, 23}, {}, 0);
    row("thresh_label", "QLabel", {109, 173, 34, 20}, "100", 10);
    row("CheckBox1", "QCheckBox", {20, 127, 135, 20}, "Reverse Image", 0);
    row("PushButton3", "QPushButton", {20, 84, 123, 20}, "Create", 0);
    row("TextArea1", "plovan::LogoTextEdit", {581, 19, 240, 321}, {}, 0);
    row("dimensions_label1", "QLabel", {20, 173, 100, 20}, "Threshold", 10);
    row("dimensions_label2", "QLabel", {173, 0, 100, 20}, "Imported Image", 10);
    row("dimensions_label3", "QLabel", {377, 0, 100, 20}, "Processed Image", 10);
    row("dimensions_label4", "QLabel", {581, 0, 136, 20}, "Image Data", 10);
    row("dimensions_label5", "QLabel", {20, 352, 801, 20}, kCredit, 10);
}

void TestWindow::controls()
{
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, points);
    QFETCH(int, tabRank);
    ShownWindow window(*menus_);
    const QByteArray name = QTest::currentDataTag();
    QWidget *control = window.control(name);
    QVERIFY(control);
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());
    QCOMPARE(control->parentWidget(), window->centralWidget());
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->property("text").toString(), text);
    QCOMPARE(control->font().pointSize(), points ? points : QApplication::font(control).pointSize());
    QVERIFY(!control->font().bold() && !control->font().italic() && !control->font().underline());
    QVERIFY(control->isEnabled());
    QVERIFY(control->isVisibleTo(window.get()));
    QCOMPARE(focusChainNames(window.get(), kControlNames).indexOf(QString::fromLatin1(name)), tabRank);

    // Anchored to the top-left: a larger window moves and stretches nothing.
    window->resize(1400, 900);
    QCOMPARE(control->geometry(), geometry);
}

void TestWindow::everyControlIsInTheTable()
{
    ShownWindow window(*menus_);
    QStringList names;
    for (QObject *child : window->centralWidget()->children())
        if (child->isWidgetType())
            names << child->objectName();
    // Created in tab order, so the children come in the table's order too.
    QCOMPARE(names, kControlNames);
}

void TestWindow::settings_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");
    auto row = [](const char *control, const char *property, const QVariant &expected) {
        QTest::addRow("%s %s", control, property) << QString::fromLatin1(control) << QString::fromLatin1(property) << expected;
    };
    row("Window1", "windowTitle", QStringLiteral("Plovan"));
    row("Window1", "acceptDrops", true);
    row("Slider1", "minimum", 0);
    row("Slider1", "maximum", 255);
    row("Slider1", "value", 100);
    row("Slider1", "singleStep", 1);
    row("Slider1", "pageStep", 20);
    row("Slider1", "tickPosition", int(QSlider::NoTicks));
    row("Slider1", "tracking", false);
    row("Slider1", "orientation", int(Qt::Horizontal));
    row("CheckBox1", "checked", false);
    for (const char *button : {"PushButton1", "PushButton2", "PushButton3"}) {
        row(button, "default", false);
        row(button, "autoDefault", false);
    }
    row("thresh_label", "alignment", int(Qt::AlignCenter));
    for (const char *label : {"dimensions_label", "progress_label", "dimensions_label1", "dimensions_label5"})
        row(label, "alignment", int(Qt::AlignLeft | Qt::AlignVCenter));
    row("dimensions_label", "wordWrap", false);
    row("TextArea1", "plainText", QString());
    row("TextArea1", "readOnly", false);
    row("TextArea1", "tabChangesFocus", true);
    row("TextArea1", "undoRedoEnabled", true);
    row("TextArea1", "lineWrapMode", int(QPlainTextEdit::WidgetWidth));
    row("TextArea1", "horizontalScrollBarPolicy", int(Qt::ScrollBarAlwaysOff));
    row("TextArea1", "verticalScrollBarPolicy", int(Qt::ScrollBarAlwaysOn));
    row("TextArea1", "frameShape", int(QFrame::StyledPanel));
    row("Canvas1", "focusPolicy", int(Qt::NoFocus));
    row("Canvas1", "autoFillBackground", false);
    row("Canvas2", "focusPolicy", int(Qt::NoFocus));
    row("Canvas2", "autoFillBackground", false);
}

void TestWindow::settings()
{
    QFETCH(QString, control);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    ShownWindow window(*menus_);
    QObject *object = control == QLatin1String("Window1") ? window.get() : window.control(control.toLatin1());
    QVERIFY(object);
    const QVariant actual = object->property(property.toLatin1());
    QVERIFY2(actual.isValid(), "no such property");
    if (expected.typeId() == QMetaType::Int)
        QCOMPARE(actual.toInt(), expected.toInt());
    else
        QCOMPARE(actual, expected);
}

void TestWindow::contentArea()
{
    ShownWindow window(*menus_);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QWidget *content = window->centralWidget();
    QCOMPARE(content->size(), Window1::kContentSize);
    QCOMPARE(content->minimumSize(), QSize(64, 64));
    QCOMPARE(content->maximumSize(), QSize(32000, 32000));
    QVERIFY(window->minimumSize() != window->maximumSize());
    QVERIFY(!(window->windowState() & Qt::WindowFullScreen));
    QVERIFY(window->menuBar()->isVisibleTo(window.get()));

    // Made taller, the window shows both labels that start below the first content height.
    window->resize(window->width(), window->height() + 459 - 383);
    QTRY_COMPARE(content->height(), 459);
    QVERIFY(content->rect().contains(window.control("progress_label")->geometry()));
}

void TestWindow::tabVisitsTheControlsInOrder()
{
    ShownWindow window(*menus_);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window.control("PushButton1")->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), window.control("PushButton1"));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // Canvases and labels take no focus; Tab in the text area moves on rather than typing.
    QCOMPARE(visited, QStringList({"PushButton2", "Slider1", "CheckBox1", "PushButton3", "TextArea1", "PushButton1"}));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), QString());
}

void TestWindow::sliderKeys_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("threshold");
    QTest::newRow("Right steps by one") << true << int(Qt::Key_Right) << 101;
    QTest::newRow("Page Up steps by twenty onto the grey: a tie stays white") << true << int(Qt::Key_PageUp) << 120;
    QTest::newRow("Home goes to 0: all white") << true << int(Qt::Key_Home) << 0;
    QTest::newRow("End goes to 255: the grey turns black") << true << int(Qt::Key_End) << 255;
    QTest::newRow("before a load the threshold is still stored") << false << int(Qt::Key_Right) << 101;
    QTest::newRow("before a load End stores 255") << false << int(Qt::Key_End) << 255;
}

void TestWindow::sliderKeys()
{
    QFETCH(bool, loaded);
    QFETCH(int, key);
    QFETCH(int, threshold);
    ShownWindow window(*menus_);
    if (loaded)
        window.load(picture("grey.png", greyImage(9, 5, 120)));
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    QTest::keyClick(window.control("Slider1"), Qt::Key(key));

    QCOMPARE(window->state().threshold, threshold);
    QCOMPARE(window.text("thresh_label"), QString::number(threshold));
    QCOMPARE(redraws.count(), loaded ? 1 : 0);
    QCOMPARE(window.text("progress_label"), loaded ? QStringLiteral("5") : QStringLiteral("-"));
    if (loaded)
        QVERIFY(allPixels(*window->state().destPix, 120 < threshold ? kBlack : kWhite));
}

void TestWindow::sliderDragRedrawsOnceOnRelease()
{
    ShownWindow window(*menus_);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window.load(picture("grey.png", greyImage(9, 5, 30)));
    auto *slider = window.control<QSlider>("Slider1");
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QPoint handle = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();

    QTest::mousePress(slider, Qt::LeftButton, {}, handle);
    for (int x = handle.x() - 10; x >= -20; x -= 10)
        QTest::mouseMove(slider, QPoint(x, handle.y()));
    QVERIFY(slider->isSliderDown());
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(window->state().threshold, 100);

    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(-20, handle.y()));
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(window->state().threshold, 0);
    QCOMPARE(window.text("thresh_label"), QStringLiteral("0"));
    QVERIFY(allPixels(*window->state().destPix, kWhite));
}

void TestWindow::reverse_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::newRow("with a picture: each click redraws") << true;
    QTest::newRow("before a load: the flag is still stored") << false;
}

void TestWindow::reverse()
{
    QFETCH(bool, loaded);
    ShownWindow window(*menus_);
    if (loaded)
        window.load(picture("grey.png", greyImage(4, 3, 120)));
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    window.click("CheckBox1");
    QVERIFY(window->state().reverse);
    QCOMPARE(redraws.count(), loaded ? 1 : 0);
    if (loaded) // 120 is lighter than 100: black in reverse mode
        QVERIFY(allPixels(*window->state().destPix, kBlack));

    window.click("CheckBox1");
    QVERIFY(!window->state().reverse);
    QCOMPARE(redraws.count(), loaded ? 2 : 0);
    if (loaded)
        QVERIFY(allPixels(*window->state().destPix, kWhite));
}

void TestWindow::refresh()
{
    ShownWindow window(*menus_);
    window.load(picture("dark.png", greyImage(7, 13, 60)));
    QVERIFY(allPixels(*window->state().destPix, kWhite)); // blank until converted
    QSignalSpy redraws(window.control<Canvas>("Canvas2"), &Canvas::backdropChanged);

    window.click("PushButton2");

    QCOMPARE(redraws.count(), 1);
    QCOMPARE(window.text("progress_label"), QStringLiteral("13"));
    QVERIFY(allPixels(*window->state().destPix, kBlack));
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), window->state().destPix);
}

void TestWindow::controlsBeforeAnyLoad()
{
    ShownWindow window(*menus_);
    window.click("PushButton2");
    QTest::keyClick(window.control("Slider1"), Qt::Key_Right);
    window.click("CheckBox1");
    window.click("PushButton3");

    QCOMPARE(window->state().threshold, 101);
    QCOMPARE(window.text("thresh_label"), QStringLiteral("101"));
    QVERIFY(window->state().reverse);
    QVERIFY(!window->state().pix && !window->state().destPix);
    QVERIFY(!window.control<Canvas>("Canvas1")->backdrop() && !window.control<Canvas>("Canvas2")->backdrop());
    QCOMPARE(window.text("progress_label"), QStringLiteral("-"));
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("-"));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), QString());
}

void TestWindow::create_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("expected"); // empty: what the encoder writes without a window
    QTest::addColumn<QString>("progress");
    QTest::newRow("two columns, ten rows: the worked example")
        << blackWhere(2, 10, [](int x, int y) { return x == 0 || y == 9; })
        << QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶") << QStringLiteral("16");
    QTest::newRow("one row: only bit 7")
        << blackWhere(3, 1, [](int x, int) { return x != 1; }) << QStringLiteral("OBM¶BMD¶800080¶CBM¶")
        << QStringLiteral("8");
    QRandomGenerator random(4);
    QImage noise = blackWhere(61, 37, [&random](int, int) { return random.bounded(2) == 0; });
    QTest::newRow("random 61 x 37 as without a window") << noise << QString() << QStringLiteral("40");
}

void TestWindow::create()
{
    QFETCH(QImage, image);
    QFETCH(QString, expected);
    QFETCH(QString, progress);
    ShownWindow window(*menus_);
    window.load(picture("logo.png", image));
    window.click("PushButton2");
    auto *area = window.control<LogoTextEdit>("TextArea1");
    QTest::keyClicks(area, QStringLiteral("typed before"));
    if (expected.isEmpty()) {
        HeadlessView headless;
        createLogoText(window->state(), headless);
        expected = headless.text();
    }

    QSignalSpy changes(area, &QPlainTextEdit::textChanged);

    window.click("PushButton3");

    QCOMPARE(area->content(), expected);
    QCOMPARE(window->imageDataText(), expected);
    // Filled once when the encoder is done (cleared, then filled), not once per band.
    QVERIFY2(changes.count() <= 2, qPrintable(QString::number(changes.count())));
    QCOMPARE(window.text("progress_label"), progress);
    // One display line per line mark (and an empty one after the last).
    QCOMPARE(area->blockCount(), expected.count(logotext::kLineMark) + 1);

    window.click("PushButton3");
    QCOMPARE(area->content(), expected);
}

void TestWindow::load_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("PNG of one pixel") << "one.png" << QSize(1, 1);
    QTest::newRow("JPEG with an upper-case extension") << "LOGO.JPG" << QSize(192, 64);
    QTest::newRow("jpeg extension") << "wide.jpeg" << QSize(300, 20);
}

void TestWindow::load()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    ShownWindow window(*menus_);
    window.control<QSlider>("Slider1")->setValue(180);
    window.control<LogoTextEdit>("TextArea1")->setContent(u"kept");
    const QString path = picture(file, greyImage(size.width(), size.height(), 200));
    QStringList offered;
    window->setFileChooser([&](const FileTypeSet &types) {
        offered = types.extensions();
        return std::optional<QString>(path);
    });

    window.click("PushButton1");

    QCOMPARE(offered, QStringList({"jpg", "jpeg", "png"}));
    const WindowState &state = window->state();
    QVERIFY(state.pix && state.destPix);
    QCOMPARE(QSize(state.pix->Width(), state.pix->Height()), size);
    QCOMPARE(QSize(state.destPix->Width(), state.destPix->Height()), size);
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), state.pix);
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), state.destPix);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    QCOMPARE(state.threshold, 180);
    QCOMPARE(window.text("progress_label"), QStringLiteral("-"));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), QStringLiteral("kept"));
}

void TestWindow::cancelledLoadChangesNothing()
{
    ShownWindow window(*menus_);
    window.load(picture("first.png", greyImage(5, 6, 10)));
    const PictureRef pix = window->state().pix;
    window->setFileChooser([](const FileTypeSet &) { return std::optional<QString>(); });

    window.click("PushButton1");

    QCOMPARE(window->state().pix, pix);
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), pix);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("5x6"));
}

void TestWindow::loadErrorShowsAMessageAndChangesNothing()
{
    ShownWindow window(*menus_);
    window.load(picture("first.png", greyImage(5, 6, 10)));
    const PictureRef pix = window->state().pix;
    const PictureRef destPix = window->state().destPix;
    const QString broken = QDir(dir_.path()).filePath(QStringLiteral("broken.png"));
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture");
    }
    messages_.take();

    window.load(broken);

    const QStringList shown = messages_.take();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.front().contains(QStringLiteral("broken.png")), qPrintable(shown.front()));
    QCOMPARE(window->state().pix, pix);
    QCOMPARE(window->state().destPix, destPix);
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), pix);
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), destPix);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("5x6"));
}

void TestWindow::pictureFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("picture");
    QTest::newRow("png") << "logo.png" << true;
    QTest::newRow("upper-case PNG") << "LOGO.PNG" << true;
    QTest::newRow("mixed-case jpeg") << "photo.JPeG" << true;
    QTest::newRow("jpg in a folder with a dot") << "/a.b/c.jpg" << true;
    QTest::newRow("gif is not offered") << "anim.gif" << false;
    QTest::newRow("no extension") << "png" << false;
    QTest::newRow("compressed png") << "logo.png.gz" << false;
}

void TestWindow::pictureFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, picture);
    QCOMPARE(hasPictureExtension(name, filetypes::pictures()), picture);
    QCOMPARE(pictureNameFilter(filetypes::pictures()),
             QStringLiteral("JPEG or PNG pictures (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)"));
}

void TestWindow::drop_data()
{
    QTest::addColumn<QStringList>("files"); // names in the temporary folder, or full URLs
    QTest::addColumn<bool>("onTextArea");
    QTest::addColumn<bool>("loads");
    QTest::newRow("one PNG on the window") << QStringList{"drop.png"} << false << true;
    QTest::newRow("one JPEG with an upper-case extension") << QStringList{"DROP.JPEG"} << false << true;
    QTest::newRow("one PNG on the text area loads and keeps the text") << QStringList{"drop.png"} << true << true;
    QTest::newRow("two pictures are refused") << QStringList{"drop.png", "other.png"} << false << false;
    QTest::newRow("two pictures on the text area are refused") << QStringList{"drop.png", "other.png"} << true << false;
    QTest::newRow("a text file is refused") << QStringList{"notes.txt"} << false << false;
    QTest::newRow("a remote picture is refused") << QStringList{"https://example.org/logo.png"} << false << false;
}

void TestWindow::drop()
{
    QFETCH(QStringList, files);
    QFETCH(bool, onTextArea);
    QFETCH(bool, loads);
    ShownWindow window(*menus_);
    auto *area = window.control<LogoTextEdit>("TextArea1");
    area->setContent(u"kept");
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << (file.contains(QLatin1Char(':')) ? QUrl(file) : QUrl::fromLocalFile(picture(file, greyImage(12, 34, 0))));
    QMimeData data;
    data.setUrls(urls);
    QWidget *target = onTextArea ? area->viewport() : window.get();
    const QPoint at(5, 5);

    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), loads);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(target, &drop);
    // The load runs from the event loop, after the drop has been answered.
    QCoreApplication::sendPostedEvents();

    QCOMPARE(window.text("dimensions_label"), loads ? QStringLiteral("12x34") : QStringLiteral("-"));
    QCOMPARE(bool(window->state().pix), loads);
    QCOMPARE(area->content(), QStringLiteral("kept"));
}

void TestWindow::canvas_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QRect>("shown");
    QTest::newRow("smaller: 1:1 from the top-left") << QSize(10, 10) << QRect(0, 0, 10, 10);
    QTest::newRow("the canvas's own size: 1:1") << QSize(192, 320) << QRect(0, 0, 192, 320);
    QTest::newRow("wide: scaled to the width") << QSize(400, 100) << QRect(0, 0, 192, 48);
    QTest::newRow("tall: scaled to the height") << QSize(100, 640) << QRect(0, 0, 50, 320);
    QTest::newRow("large square: scaled to fit") << QSize(1000, 1000) << QRect(0, 0, 192, 192);
    QTest::newRow("one row of 32767: still a row") << QSize(32767, 1) << QRect(0, 0, 192, 1);
}

void TestWindow::canvas()
{
    QFETCH(QSize, pictureSize);
    QFETCH(QRect, shown);
    Canvas canvas;
    canvas.resize(192, 320);
    PictureRef black = makePicture(pictureSize.width(), pictureSize.height());
    RGBSurface surface = black->rgbSurface();
    for (int y = 0; y < pictureSize.height(); ++y)
        std::fill_n(surface.row(y), pictureSize.width(), RGBSurface::storedColour(kBlack));

    canvas.setBackdrop(black);

    QCOMPARE(canvas.backdropRect(), shown);
    const QImage painted = canvas.grab().toImage();
    QVERIFY(isOpaqueBlack(painted.pixel(0, 0)));
    QVERIFY(isOpaqueBlack(painted.pixel(shown.right(), shown.bottom())));
    if (shown.right() + 1 < canvas.width())
        QVERIFY(!isOpaqueBlack(painted.pixel(shown.right() + 1, 0)));
    if (shown.bottom() + 1 < canvas.height())
        QVERIFY(!isOpaqueBlack(painted.pixel(0, shown.bottom() + 1)));
}

void TestWindow::canvasKeepsNoCopyOfThePicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("shown at 1:1") << QSize(50, 60);
    QTest::newRow("shown scaled down") << QSize(900, 700);
}

void TestWindow::canvasKeepsNoCopyOfThePicture()
{
    QFETCH(QSize, size);
    ShownWindow window(*menus_);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window.load(picture("picture.png", greyImage(size.width(), size.height(), 90)));
    const PictureRef destPix = window->state().destPix;
    const uchar *pixels = destPix->image().constBits();

    for (int i = 0; i < 3; ++i) {
        window.click("PushButton2");
        window.control("Canvas2")->repaint();
    }

    // Redraw wrote in place: had a canvas shared the picture's pixels, writing would have
    // detached a copy of the whole picture.
    QCOMPARE(window->state().destPix, destPix);
    QCOMPARE(destPix->image().constBits(), pixels);
    QVERIFY(destPix->image().isDetached());
    QVERIFY(window->state().pix->image().isDetached());
}

void TestWindow::scaledCanvasFollowsRedraw()
{
    ShownWindow window(*menus_);
    window.load(picture("big.png", greyImage(400, 400, 120)));
    auto *canvas = window.control<Canvas>("Canvas2");
    const QPoint middle = canvas->backdropRect().center();

    window.click("PushButton2"); // 120 against 100: white
    QCOMPARE(QColor(canvas->grab().toImage().pixel(middle)), QColor(Qt::white));
    QTest::keyClick(window.control("Slider1"), Qt::Key_End); // 120 against 255: black
    QCOMPARE(QColor(canvas->grab().toImage().pixel(middle)), QColor(Qt::black));
}

void TestWindow::progressIsPaintedWhileRedrawRuns()
{
    ShownWindow window(*menus_);
    window->resize(window->width(), window->height() + 100);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window.load(picture("tall.png", greyImage(64, 4000, 50)));
    auto *label = window.control("progress_label");
    QTRY_VERIFY(window->centralWidget()->rect().contains(label->geometry()));

    // A click on Create waits in the queue; it must not run inside the redraw.
    auto *create = window.control("PushButton3");
    const QPoint middle = create->rect().center();
    QCoreApplication::postEvent(create, new QMouseEvent(QEvent::MouseButtonPress, middle, create->mapToGlobal(middle),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(create, new QMouseEvent(QEvent::MouseButtonRelease, middle, create->mapToGlobal(middle),
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    label->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    window.control<QPushButton>("PushButton2")->click();
    const qint64 elapsed = clock.elapsed();
    label->removeEventFilter(&counter);

    QCOMPARE(window.text("progress_label"), QStringLiteral("4000"));
    QVERIFY2(counter.paints >= 1, "the count was not painted while redraw ran");
    QVERIFY2(counter.paints <= elapsed / 50 + 2, qPrintable(QString::number(counter.paints)));
    auto *area = window.control<LogoTextEdit>("TextArea1");
    QCOMPARE(area->content(), QString());
    // Afterwards the queued click gets its turn.
    QTRY_VERIFY(area->content().startsWith(QStringLiteral("OBM¶")));
}

void TestWindow::closingReleasesThePictures()
{
    ShownWindow window(*menus_);
    window.load(picture("logo.png", greyImage(30, 20, 0)));
    const std::weak_ptr<Picture> pix = window->state().pix;
    const std::weak_ptr<Picture> destPix = window->state().destPix;
    QVERIFY(!pix.expired() && !destPix.expired());

    QVERIFY(window->close());

    QVERIFY(pix.expired());
    QVERIFY(destPix.expired());
    QTRY_VERIFY(!window.alive());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
