#include "support/FixtureFiles.h"
#include "support/JpegFiles.h"
#include "support/LoadReasons.h"
#include "support/PngFiles.h"
#include "support/WindowRecorder.h"

#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "platform/AvailableMemory.h"
#include "platform/PictureFile.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace plovan;
using namespace plovan::testsupport;

Q_DECLARE_METATYPE(plovan::LoadReason)

namespace {

QImage logoImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x / 4 + y / 4) % 2 ? qRgb(250, 250, 240) : qRgb(20, 30, 90));
    return image;
}

// What the window was told to show since call number `from`: everything but the file
// dialog and a refusal's message.
QStringList shownSince(const WindowRecorder &window, qsizetype from)
{
    QStringList shown;
    for (const QString &call : window.calls.mid(from)) {
        if (!call.startsWith(QLatin1String("chooseFile ")) && !call.startsWith(QLatin1String("showLoadError ")))
            shown << call;
    }
    return shown;
}

QByteArray withByteFlipped(QByteArray bytes, qsizetype at)
{
    bytes[at] = char(bytes[at] ^ 0x01);
    return bytes;
}

} // namespace

class TestLoading : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void onePixel();
    void secondLoadReplacesBothAndKeepsSettings();
    void chooserOffersJpegAndPng();
    void loadsFromADevice();
    void failureChangesNothing_data();
    void failureChangesNothing();
    void outOfMemoryChangesNothing();
    void picturesStayPairedWhenShowingThrows();
    void memoryCheckCountsWhatComesAfter_data();
    void memoryCheckCountsWhatComesAfter();
    void memoryAfterLoadIsTheText_data();
    void memoryAfterLoadIsTheText();

private:
    // A window that has loaded, converted and created text, with settings moved away
    // from their defaults, so a failed load has something to lose.
    void prepareLoadedWindow(ConversionState &state, WindowRecorder &window);
    QString fixture(const QString &name, const QByteArray &bytes);

    QTemporaryDir dir_;
};

void TestLoading::initTestCase()
{
    QVERIFY(dir_.isValid());
}

QString TestLoading::fixture(const QString &name, const QByteArray &bytes)
{
    const QString path = dir_.filePath(name);
    writeFile(path, bytes);
    return path;
}

void TestLoading::prepareLoadedWindow(ConversionState &state, WindowRecorder &window)
{
    QVERIFY(loadFile(state, window, fixture(QStringLiteral("first.png"), png::fromImage(logoImage(24, 16)))));
    state.threshold = 180;
    state.reverse = true;
    redraw(state, window);
    createLogoText(state, window);
    QCOMPARE(window.dimensionsText, QStringLiteral("24x16"));
    QVERIFY(window.text.startsWith(QStringLiteral("OBM\u00B6")));
}

void TestLoading::onePixel()
{
    ConversionState state;
    WindowRecorder window;
    QVERIFY(loadFile(state, window, fixture(QStringLiteral("dot.png"), png::fromImage(logoImage(1, 1)))));
    QCOMPARE(window.dimensionsText, QStringLiteral("1x1"));
    QVERIFY(state.hasPictures());
    QCOMPARE(state.destPix->Width(), 1);
    QCOMPARE(state.destPix->Height(), 1);
    QCOMPARE(window.sourceBackdrop, state.pix);
    QCOMPARE(window.processedBackdrop, state.destPix);
    QCOMPARE(state.threshold, 100);
    QCOMPARE(state.reverse, false);
    QVERIFY(window.errors.isEmpty());
}

void TestLoading::secondLoadReplacesBothAndKeepsSettings()
{
    ConversionState state;
    WindowRecorder window;
    prepareLoadedWindow(state, window);
    const PictureRef firstPix = state.pix;
    const PictureRef firstDest = state.destPix;
    const QString text = window.text;
    const QString progress = window.progressText;

    window.nextChoice = fixture(QStringLiteral("second.jpg"), encoded(logoImage(40, 8), "jpeg", 95));
    QVERIFY(chooseAndLoad(state, window));

    QVERIFY(window.errors.isEmpty());
    QVERIFY(state.pix != firstPix);
    QVERIFY(state.destPix != firstDest);
    QCOMPARE(state.pix->Width(), 40);
    QCOMPARE(state.destPix->Width(), 40);
    QCOMPARE(state.destPix->Height(), 8);
    QCOMPARE(window.sourceBackdrop, state.pix);
    QCOMPARE(window.processedBackdrop, state.destPix);
    QCOMPARE(window.dimensionsText, QStringLiteral("40x8"));
    // The working picture is blank until the next conversion: white paper.
    const ConstRGBSurface blank = std::as_const(*state.destPix).rgbSurface();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 40; ++x)
            QCOMPARE(blank.Pixel(x, y), kWhite);
    QCOMPARE(state.threshold, 180);
    QCOMPARE(state.reverse, true);
    QCOMPARE(window.text, text);
    QCOMPARE(window.progressText, progress);
    // Nothing holds the first pictures any more: they are released.
    QCOMPARE(firstPix.use_count(), 1);
    QCOMPARE(firstDest.use_count(), 1);
}

void TestLoading::chooserOffersJpegAndPng()
{
    ConversionState state;
    WindowRecorder window;
    QVERIFY(!chooseAndLoad(state, window));
    QCOMPARE(window.calls, QStringList{QStringLiteral("chooseFile image/jpeg;image/png")});
}

void TestLoading::loadsFromADevice()
{
    ConversionState state;
    WindowRecorder window;
    QByteArray bytes = png::fromImage(logoImage(5, 3));
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QVERIFY(!load(state, PictureSource::openDevice(&device, QStringLiteral("-")), &window));
    QCOMPARE(window.dimensionsText, QStringLiteral("5x3"));

    QByteArray notAPicture("hello");
    QBuffer other(&notAPicture);
    QVERIFY(other.open(QIODevice::ReadOnly));
    QVERIFY(load(state, PictureSource::openDevice(&other, QStringLiteral("-")), &window));
    QCOMPARE(window.errors, (QList<LoadError>{{QStringLiteral("-"), picturefile::notPngOrJpeg()}}));
}

void TestLoading::failureChangesNothing_data()
{
    QTest::addColumn<QString>("name");     // empty: the chooser is cancelled
    QTest::addColumn<QByteArray>("bytes"); // written to `name` unless `kind` says otherwise
    QTest::addColumn<QString>("kind");     // "file", "missing" or "folder"
    QTest::addColumn<LoadReason>("reason"); // Kind::None: no message at all

    const QByteArray goodPng = png::fromImage(logoImage(20, 12));
    const QByteArray goodJpeg = encoded(logoImage(32, 16), "jpeg", 90);
    const QString file = QStringLiteral("file");
    QRandomGenerator random(3);
    QByteArray noise(512, '\0');
    for (char &c : noise)
        c = char(random.bounded(256));
    noise[0] = 'x'; // not by chance a PNG or JPEG start

    QTest::newRow("cancel") << QString() << QByteArray() << file << LoadReason();
    QTest::newRow("missing file") << "gone.png" << QByteArray() << "missing" << picturefile::noSuchFile();
    QTest::newRow("a folder") << "folder.png" << QByteArray() << "folder" << picturefile::folder();
    QTest::newRow("empty file") << "empty.png" << QByteArray() << file << picturefile::empty();
    QTest::newRow("PNG header cut short") << "cut.png" << goodPng.left(20) << file << picturefile::damagedHeader("PNG");
    QTest::newRow("JPEG cut before its frame header")
        << "cut.jpg" << goodJpeg.left(24) << file << picturefile::damagedHeader("JPEG");
    QTest::newRow("random bytes") << "noise.jpg" << noise << file << picturefile::notPngOrJpeg();
    QTest::newRow("GIF named .png") << "really-gif.png" << gif() << file << picturefile::notPngOrJpeg();
    QTest::newRow("BMP named .jpg") << "really-bmp.jpg" << encoded(logoImage(4, 4), "bmp") << file
                                    << picturefile::notPngOrJpeg();
    QTest::newRow("width 32768 declared in the header")
        << "wide.png" << png::declaring(32768, 1) << file << picturefile::outOfRange(32768, 1);
    QTest::newRow("height 32768 declared in the header")
        << "tall.png" << png::declaring(1, 32768) << file << picturefile::outOfRange(1, 32768);
    QTest::newRow("width 0 declared in the header")
        << "thin.png" << png::declaring(0, 5) << file << picturefile::outOfRange(0, 5);
    QTest::newRow("width past libpng's own limit declared")
        << "vast.png" << png::declaring(1000001, 1) << file << picturefile::outOfRange(1000001, 1);
    QTest::newRow("JPEG declaring 0 rows")
        << "flat.jpg" << jpegDeclaring(goodJpeg, 32, 0) << file << picturefile::outOfRange(32, 0);
    // A JPEG decoder would make up the missing 400 million pixels rather than fail.
    QTest::newRow("JPEG far too short for the size it declares")
        << "liar.jpg" << jpegDeclaring(goodJpeg, 20000, 20000) << file << picturefile::damagedData("JPEG");
    QTest::newRow("PNG cut inside its image data")
        << "half.png" << goodPng.left(goodPng.size() - 30) << file << picturefile::damagedData("PNG");
    QTest::newRow("PNG with a broken header checksum")
        << "crc.png" << withByteFlipped(goodPng, 29) << file << picturefile::damagedHeader("PNG");
    QTest::newRow("PNG with broken compressed data")
        << "zlib.png" << withByteFlipped(goodPng, 8 + 25 + 8 + 1) << file << picturefile::damagedData("PNG");
}

void TestLoading::failureChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QFETCH(LoadReason, reason);

    ConversionState state;
    WindowRecorder window;
    prepareLoadedWindow(state, window);
    const WindowSnapshot before = WindowSnapshot::take(state, window);
    const qsizetype callsBefore = window.calls.size();

    QString path;
    if (!name.isEmpty()) {
        path = dir_.filePath(name);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir_.path()).mkpath(name));
        else if (kind == QLatin1String("file"))
            writeFile(path, bytes);
        window.nextChoice = path;
    }
    QVERIFY(!chooseAndLoad(state, window));

    QCOMPARE(WindowSnapshot::take(state, window).differencesFrom(before), QString());
    QCOMPARE(shownSince(window, callsBefore), QStringList());
    if (reason == LoadReason())
        QCOMPARE(window.errors, QList<LoadError>());
    else
        QCOMPARE(window.errors, (QList<LoadError>{{path, reason}}));
}

void TestLoading::outOfMemoryChangesNothing()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves more address space than any limit this test sets");
#elif !defined(Q_OS_UNIX)
    QSKIP("Runs under an address-space limit (setrlimit), which Windows does not have");
#else
    ConversionState state;
    WindowRecorder window;
    prepareLoadedWindow(state, window);
    const WindowSnapshot before = WindowSnapshot::take(state, window);
    const qsizetype callsBefore = window.calls.size();
    const QString path = fixture(QStringLiteral("huge.png"), png::declaring(20000, 20000));

    // Leave the process 256 MiB more address space than it has now: the 1.6 GB picture
    // cannot be allocated, as on a machine without the memory for it.
    QFile statm(QStringLiteral("/proc/self/statm"));
    QVERIFY(statm.open(QIODevice::ReadOnly));
    const qint64 pages = statm.readAll().split(' ').value(0).toLongLong();
    QVERIFY(pages > 0);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = rlim_t(pages * sysconf(_SC_PAGESIZE) + (qint64(256) << 20));
    QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
    const bool loaded = loadFile(state, window, path);
    setrlimit(RLIMIT_AS, &saved);

    QVERIFY(!loaded);
    QCOMPARE(WindowSnapshot::take(state, window).differencesFrom(before), QString());
    QCOMPARE(shownSince(window, callsBefore), QStringList());
    QCOMPARE(window.errors, (QList<LoadError>{{path, picturefile::notEnoughMemory(20000, 20000)}}));
#endif
}

// A canvas scales its backdrop and may run out of memory doing it. Whatever is shown by
// then, the window must hold the new picture with its own working picture, never the new
// one beside the old working picture of another size.
void TestLoading::picturesStayPairedWhenShowingThrows()
{
    class FailingCanvas : public WindowRecorder {
    public:
        void setSourceBackdrop(const PictureRef &picture) override
        {
            if (failing)
                throw std::bad_alloc();
            WindowRecorder::setSourceBackdrop(picture);
        }
        bool failing = false;
    };
    ConversionState state;
    FailingCanvas window;
    prepareLoadedWindow(state, window);
    window.failing = true;
    const PictureRef pix = makePicture(40, 8);
    const PictureRef destPix = makePicture(40, 8);

    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, commitLoad(state, window, {pix, destPix}));
    QCOMPARE(state.pix, pix);
    QCOMPARE(state.destPix, destPix);
    QVERIFY(state.hasPictures());
}

void TestLoading::memoryCheckCountsWhatComesAfter_data()
{
    QTest::addColumn<qint64>("after"); // bytes the caller says it needs after the load
    QTest::addColumn<bool>("loads");
    QTest::newRow("nothing after") << qint64(0) << true;
    QTest::newRow("a text of a few bytes") << qint64(4096) << true;
    QTest::newRow("more than any machine has") << (qint64(1) << 60) << false;
}

// The check of free memory before decoding counts what the caller needs after the load.
void TestLoading::memoryCheckCountsWhatComesAfter()
{
    QFETCH(qint64, after);
    QFETCH(bool, loads);
    if (!availableMemoryBytes())
        QSKIP("this system cannot tell how much memory it has free, so nothing is refused up front");
    const QString path = fixture(QStringLiteral("counted.png"), png::fromImage(logoImage(24, 16)));
    QSize asked;
    DecodeLimits limits;
    limits.bytesAfterLoad = [&](QSize size) {
        asked = size;
        return after;
    };
    const OpenedPicture opened = openPicture(path, limits);
    QCOMPARE(asked, QSize(24, 16));
    QCOMPARE(bool(opened.picture), loads);
    if (!loads)
        QCOMPARE(opened.error, picturefile::notEnoughMemory(24, 16));
}

void TestLoading::memoryAfterLoadIsTheText_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1x1") << QSize(1, 1);
    QTest::newRow("24x16") << QSize(24, 16);
    QTest::newRow("8192x8192") << QSize(8192, 8192);
    QTest::newRow("32767x32767") << QSize(32767, 32767);
}

// What the window and plovan-cli load with: room for the logo data text, two bytes a
// character, besides the pictures.
void TestLoading::memoryAfterLoadIsTheText()
{
    QFETCH(QSize, size);
    QCOMPARE(bytesAfterLoad(size), 2 * qint64(logotext::length(size.width(), size.height())));
}

QTEST_GUILESS_MAIN(TestLoading)
#include "tst_loading.moc"
