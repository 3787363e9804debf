// "Load Image...." in the window: what a load changes and what it keeps, a cancelled dialog,
// a file that does not load, and the names the dialog offers.

#include "tst_window_fixture.h"

#include "UnwrittenPipe.h"
#include "support/FileSystemNodes.h"

#include "ui/Canvas.h"
#include "ui/LogoTextEdit.h"
#include "ui/PictureFileNames.h"
#include <QFile>
#include <QSlider>

using namespace plovan;

class TestWindowLoading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void load_data();
    void load();
    void cancelledLoadChangesNothing();
    void loadErrorShowsAMessageAndChangesNothing();
    void namedPipeIsRefusedUnopened();
    void pictureFileNames_data();
    void pictureFileNames();

private:
    WindowTestBed bed_;
};

void TestWindowLoading::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowLoading::load_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("PNG of one pixel") << "one.png" << QSize(1, 1);
    QTest::newRow("JPEG with an upper-case extension") << "LOGO.JPG" << QSize(192, 64);
    QTest::newRow("jpeg extension") << "wide.jpeg" << QSize(300, 20);
}

void TestWindowLoading::load()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    ShownWindow window(bed_.menus());
    window.control<QSlider>("Slider1")->setValue(180);
    window.control<LogoTextEdit>("TextArea1")->setContent(u"kept");
    const QString path = bed_.picture(file, greyImage(size.width(), size.height(), 200));
    QStringList offered;
    window->setFileChooser([&](const FileTypeSet &types) {
        offered = types.extensions();
        return std::optional<QString>(path);
    });

    window.click("PushButton1");

    QCOMPARE(offered, QStringList({"jpg", "jpeg", "png"}));
    const ConversionState &state = window->state();
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

void TestWindowLoading::cancelledLoadChangesNothing()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("first.png", greyImage(5, 6, 10)));
    const PictureRef pix = window->state().pix;
    window->setFileChooser([](const FileTypeSet &) { return std::optional<QString>(); });

    window.click("PushButton1");

    QCOMPARE(window->state().pix, pix);
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), pix);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("5x6"));
}

void TestWindowLoading::loadErrorShowsAMessageAndChangesNothing()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("first.png", greyImage(5, 6, 10)));
    const PictureRef pix = window->state().pix;
    const PictureRef destPix = window->state().destPix;
    const QString broken = bed_.path(QStringLiteral("broken.png"));
    {
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture");
    }
    bed_.takeMessages();

    window.load(broken);

    const QStringList shown = bed_.takeMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.front().contains(QStringLiteral("broken.png")), qPrintable(shown.front()));
    QCOMPARE(window->state().pix, pix);
    QCOMPARE(window->state().destPix, destPix);
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), pix);
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), destPix);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("5x6"));
}

// A named pipe nothing writes to would hold the window in open() for good: it is refused,
// named in the message, before anything opens it.
void TestWindowLoading::namedPipeIsRefusedUnopened()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture("first.png", greyImage(5, 6, 10)));
    const PictureRef pix = window->state().pix;
    PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    const QString path = bed_.path(QStringLiteral("pipe.png"));
    UnwrittenPipe pipe(path);
    QVERIFY(pipe.made());

    window.load(path);

    QCOMPARE(pipe.released(), 0);
    QCOMPARE(bed_.takeMessages(),
             QStringList(QStringLiteral("Cannot load '%1': it is not a regular file but a named pipe, a device or a socket")
                             .arg(path)));
    QCOMPARE(window->state().pix, pix);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("5x6"));
}

void TestWindowLoading::pictureFileNames_data()
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

void TestWindowLoading::pictureFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, picture);
    QCOMPARE(hasPictureExtension(name, filetypes::pictures()), picture);
    QCOMPARE(pictureNameFilter(filetypes::pictures()),
             QStringLiteral("JPEG or PNG pictures (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)"));
}

QTEST_MAIN(TestWindowLoading)
#include "tst_window_loading.moc"
