#include "support/FixtureFiles.h"
#include "support/PngFiles.h"
#include "support/ProcessMemory.h"

#include "platform/DecodedPixels.h"
#include "platform/JpegStructure.h"
#include "platform/PictureFile.h"
#include "platform/PictureHeader.h"
#include "platform/PixelBuffer.h"
#include "support/LoadReasons.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

// The oracle for what a pixel should become: its samples as fractions of full scale,
// laid over white, in double precision, rounded to the nearest 8-bit value.
int overWhite(double colour, double alpha)
{
    return int(std::lround(255.0 * (colour * alpha + (1.0 - alpha))));
}

QRgb expectedPixel(const PngFixture &spec, int x, int y)
{
    const double full = std::ldexp(1.0, spec.bitDepth) - 1.0;
    const QList<int> s = spec.samples(x, y);
    double r = 0, g = 0, b = 0, a = 1;
    switch (spec.colourType) {
    case 0:
        r = g = b = s.at(0) / full;
        break;
    case 2:
        r = s.at(0) / full;
        g = s.at(1) / full;
        b = s.at(2) / full;
        break;
    case 3: {
        const int i = s.at(0);
        r = quint8(spec.plte.at(3 * i)) / 255.0;
        g = quint8(spec.plte.at(3 * i + 1)) / 255.0;
        b = quint8(spec.plte.at(3 * i + 2)) / 255.0;
        a = i < spec.trns.size() ? quint8(spec.trns.at(i)) / 255.0 : 1.0;
        break;
    }
    case 4:
        r = g = b = s.at(0) / full;
        a = s.at(1) / full;
        break;
    default:
        r = s.at(0) / full;
        g = s.at(1) / full;
        b = s.at(2) / full;
        a = s.at(3) / full;
        break;
    }
    // A tRNS colour key (grey or RGB) makes exactly the matching samples transparent.
    if (!spec.trns.isEmpty() && (spec.colourType == 0 || spec.colourType == 2)) {
        QList<int> key;
        for (int i = 0; i + 1 < spec.trns.size(); i += 2)
            key << (quint8(spec.trns.at(i)) << 8 | quint8(spec.trns.at(i + 1)));
        if (key == s.mid(0, key.size()))
            a = 0;
    }
    return qRgb(overWhite(r, a), overWhite(g, a), overWhite(b, a));
}

QImage expectedImage(const PngFixture &spec)
{
    QImage image(spec.width, spec.height, QImage::Format_RGB32);
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x)
            image.setPixel(x, y, expectedPixel(spec, x, y));
    return image;
}

// Samples that run through the whole range of the bit depth, different in each channel.
std::function<QList<int>(int, int)> sweep(int channels, int bitDepth, int width)
{
    const int full = (1 << bitDepth) - 1;
    return [=](int x, int y) {
        QList<int> s;
        for (int c = 0; c < channels; ++c)
            s << int((quint64(y * width + x) * 2654435761u + quint64(c) * 40503u) % quint64(full + 1));
        return s;
    };
}

PngFixture pngFixture(int width, int height, int bitDepth, int colourType)
{
    PngFixture spec;
    spec.width = width;
    spec.height = height;
    spec.bitDepth = bitDepth;
    spec.colourType = colourType;
    spec.samples = sweep(png::channelsOf(colourType), bitDepth, width);
    return spec;
}

// Flat 16 x 16 blocks (whole JPEG macroblocks, chroma subsampling included) of colours
// far apart, so that JPEG's loss stays well inside the tolerance.
QImage blocks(int width, int height, bool grey)
{
    static const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 30, 30), qRgb(30, 60, 200),
                                   qRgb(128, 128, 128), qRgb(40, 180, 60)};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb c = colours[((x / 16) + 2 * (y / 16)) % 6];
            const int g = qGray(c);
            image.setPixel(x, y, grey ? qRgb(g, g, g) : c);
        }
    }
    return grey ? image.convertToFormat(QImage::Format_Grayscale8) : image;
}

// JPEG blurs colour edges (chroma is kept at half resolution and upsampled smoothly), so
// JPEG rows compare only pixels at least kJpegMargin from a 16-pixel block edge; there a
// swapped channel or a turned picture is off by far more than this.
constexpr int kJpegTolerance = 12;
constexpr int kJpegMargin = 3;

QImage asRgb32(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// A device that can only be read forwards, like standard input.
class SequentialBytes : public QIODevice {
public:
    explicit SequentialBytes(QByteArray bytes) : bytes_(std::move(bytes)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return bytes_.size() - at_ + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = qMin(max, qint64(bytes_.size()) - at_);
        std::memcpy(data, bytes_.constData() + at_, size_t(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};

} // namespace

class TestDecode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void decodes_data();
    void decodes();
    void sniffsContent_data();
    void sniffsContent();
    void readsDeclaredSize_data();
    void readsDeclaredSize();
    void jpegMinimumFileSize_data();
    void jpegMinimumFileSize();
    void walksJpegStructure_data();
    void walksJpegStructure();
    void pictureBeyondQtsAllocationLimit();
    void capOnDecodedBytes();
    void decoderOutOfMemoryIsNotDamage();
    void sequentialDevice();
    void refusedDecodeTouchesLittleMemory();
    void decodeMemoryStartsZeroed_data();
    void decodeMemoryStartsZeroed();
    void compositeMatchesOracleForEveryColourAndAlpha();
    void rgba64RowMatchesOracle_data();
    void rgba64RowMatchesOracle();
    void rgba64RowInPlace();

private:
    QTemporaryDir dir_;
};

void TestDecode::initTestCase()
{
    QVERIFY(dir_.isValid());
    // Qt reads this once, on first use, and lets it override any limit set in code: with
    // 1 MiB, every picture below over 1 MiB decoded would fail if the decoder still
    // allocated under Qt's limit.
    qputenv("QT_IMAGEIO_MAXALLOC", "1");
}

void TestDecode::decodes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QImage>("expected");
    QTest::addColumn<int>("tolerance");

    auto pngRow = [](const char *name, const PngFixture &spec) {
        QTest::newRow(name) << png::file(spec) << QStringLiteral("picture.png") << expectedImage(spec) << 0;
    };

    pngRow("8-bit RGB keeps every colour", pngFixture(13, 7, 8, 2));
    {
        PngFixture spec = pngFixture(16, 16, 8, 6);
        spec.samples = [](int x, int y) {
            // Colour under every alpha, black and red under transparent pixels included.
            return QList<int>{(x * 17) % 256, (y * 37) % 256, x % 2 ? 255 : 0, (y * 16 + x) % 256};
        };
        pngRow("RGBA: transparent pixels become white, partial ones blend over white", spec);
    }
    pngRow("8-bit grey becomes equal red, green and blue", pngFixture(11, 5, 8, 0));
    pngRow("grey + alpha over white", pngFixture(9, 9, 8, 4));
    {
        PngFixture spec = pngFixture(6, 4, 8, 3);
        spec.plte = QByteArray("\x00\x00\x00\xff\x00\x00\x00\x80\x00\x10\x20\xf0", 12);
        spec.trns = QByteArray("\x00\x80", 2); // black fully transparent, red half
        spec.samples = [](int x, int y) { return QList<int>{(x + y) % 4}; };
        pngRow("palette with transparency over white", spec);
    }
    {
        PngFixture spec = pngFixture(17, 3, 2, 3);
        spec.plte = QByteArray("\x10\x20\x30\xff\xff\x00\x00\x00\xff\x80\x80\x80", 12);
        spec.samples = [](int x, int y) { return QList<int>{(x * 3 + y) % 4}; };
        pngRow("2-bit palette", spec);
    }
    {
        PngFixture spec = pngFixture(19, 2, 1, 3);
        spec.plte = QByteArray("\x20\x40\x60\xf0\xe0\xd0", 6);
        spec.trns = QByteArray("\xff\x00", 2);
        spec.samples = [](int x, int y) { return QList<int>{(x + y) % 2}; };
        pngRow("1-bit palette with a transparent entry", spec);
    }
    pngRow("1-bit grey", pngFixture(21, 3, 1, 0));
    pngRow("4-bit grey", pngFixture(7, 5, 4, 0));
    {
        PngFixture spec = pngFixture(8, 8, 8, 0);
        spec.trns = QByteArray("\x00\x40", 2);
        spec.samples = [](int x, int y) { return QList<int>{(x * 8 + y) % 2 ? 0x40 : x * 30}; };
        pngRow("grey with a transparent grey value", spec);
    }
    {
        PngFixture spec = pngFixture(8, 8, 8, 2);
        spec.trns = QByteArray("\x00\x0a\x00\x14\x00\x1e", 6);
        spec.samples = [](int x, int y) { return (x + y) % 3 ? QList<int>{10, 20, 30} : QList<int>{x, y, 99}; };
        pngRow("RGB with a transparent colour key", spec);
    }
    pngRow("16-bit RGB rounds to 8 bits", pngFixture(16, 8, 16, 2));
    {
        // Pixels on and beside the key, which differ from it in one sample by 1, and a
        // picture wider than a row of 8-bit samples, where the decoder used to stop early.
        PngFixture spec = pngFixture(37, 6, 16, 2);
        spec.trns = QByteArray("\x12\x34\x56\x78\x9a\xbc", 6);
        spec.samples = [](int x, int y) {
            const QList<int> key{0x1234, 0x5678, 0x9abc};
            if ((x + y) % 3 == 0)
                return key;
            if ((x + y) % 3 == 1) {
                QList<int> near = key;
                near[x % 3] += y % 2 ? 1 : -1;
                return near;
            }
            return QList<int>{x * 1700, y * 9000, (x * y * 311) % 65536};
        };
        pngRow("16-bit RGB with a transparent colour key", spec);
        spec.interlaced = true;
        pngRow("interlaced 16-bit RGB with a transparent colour key", spec);
    }
    pngRow("16-bit RGBA over white", pngFixture(16, 8, 16, 6));
    pngRow("16-bit grey", pngFixture(10, 10, 16, 0));
    pngRow("16-bit grey + alpha", pngFixture(10, 10, 16, 4));
    {
        PngFixture spec = pngFixture(9, 9, 16, 0);
        spec.trns = QByteArray("\x12\x34", 2);
        spec.samples = [](int x, int y) { return QList<int>{(x + y) % 2 ? 0x1234 : x * 7000}; };
        pngRow("16-bit grey with a transparent grey value", spec);
    }
    {
        PngFixture spec = pngFixture(19, 13, 8, 2);
        spec.interlaced = true;
        pngRow("interlaced (Adam7) RGB", spec);
    }
    {
        PngFixture spec = pngFixture(11, 9, 8, 6);
        spec.interlaced = true;
        pngRow("interlaced RGBA", spec);
    }
    pngRow("1x1", pngFixture(1, 1, 8, 2));

    {
        const QImage logo = blocks(64, 48, false);
        QTest::newRow("baseline JPEG") << encoded(logo, "jpeg", 100) << QStringLiteral("photo.jpg") << logo << kJpegTolerance;
        QTest::newRow("progressive JPEG") << encoded(logo, "jpeg", 100, true) << QStringLiteral("photo.jpeg")
                                          << logo << kJpegTolerance;
        const QImage grey = blocks(48, 32, true);
        QTest::newRow("grey JPEG") << encoded(grey, "jpeg", 100) << QStringLiteral("grey.jpg") << asRgb32(grey) << 6;
    }
    {
        // Stored 48 x 32 with one dark 16 x 16 block, top left. Orientation 6 means "turn
        // 90 degrees clockwise to view": upright, the picture is 32 x 48 with the dark
        // block top right (a mirrored or anticlockwise turn puts it elsewhere).
        QImage stored(48, 32, QImage::Format_RGB32);
        stored.fill(Qt::white);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                stored.setPixel(x, y, qRgb(0, 0, 0));
        QImage upright(32, 48, QImage::Format_RGB32);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 32; ++x)
                upright.setPixel(x, y, stored.pixel(y, 31 - x));
        QTest::newRow("EXIF orientation 6 turns the picture upright")
            << withExifOrientation(encoded(stored, "jpeg", 100), 6) << QStringLiteral("phone.jpg") << upright
            << kJpegTolerance;
    }
    {
        const PngFixture spec = pngFixture(5, 4, 8, 2);
        QTest::newRow("PNG data named .jpg loads by its content")
            << png::file(spec) << QStringLiteral("actually-png.jpg") << expectedImage(spec) << 0;
        QTest::newRow("PNG data with no extension") << png::file(spec) << QStringLiteral("logo") << expectedImage(spec) << 0;
    }
    {
        const QImage logo = blocks(32, 16, false);
        QTest::newRow("JPEG data named .png loads by its content")
            << encoded(logo, "jpeg", 100) << QStringLiteral("actually-jpeg.png") << logo << kJpegTolerance;
    }
}

void TestDecode::decodes()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QImage, expected);
    QFETCH(int, tolerance);
    const bool lossy = tolerance > 0; // JPEG rows
    auto nearBlockEdge = [](int v) { return v % 16 < kJpegMargin || v % 16 >= 16 - kJpegMargin; };

    const QString path = dir_.filePath(name);
    writeFile(path, file);
    const OpenedPicture opened = openPicture(path);
    QVERIFY2(opened.picture, qPrintable(plovan::testsupport::describe(opened.error)));
    QCOMPARE(opened.error, LoadReason());
    const Picture &picture = *opened.picture;
    QCOMPARE(QSize(picture.Width(), picture.Height()), expected.size());
    QCOMPARE(picture.image().format(), Picture::kStorageFormat);

    const ConstRGBSurface surface = picture.rgbSurface();
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (lossy && (nearBlockEdge(x) || nearBlockEdge(y)))
                continue;
            const std::uint32_t stored = surface.row(y)[x];
            const QRgb want = expected.pixel(x, y);
            const int worst = qMax(qMax(qAbs(Red(stored) - qRed(want)), qAbs(Green(stored) - qGreen(want))),
                                   qAbs(Blue(stored) - qBlue(want)));
            if (worst > tolerance || (stored >> 24) != 0xFF) {
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, expected %4 within %5")
                                     .arg(QString::number(x), QString::number(y), QString::number(stored, 16),
                                          QString::number(want, 16), QString::number(tolerance))));
            }
        }
    }
}

void TestDecode::sniffsContent_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("kind");
    QTest::newRow("PNG signature") << png::signature() << int(PictureKind::Png);
    QTest::newRow("PNG signature cut to 7 bytes") << png::signature().left(7) << int(PictureKind::Unknown);
    QTest::newRow("PNG signature with a damaged line end")
        << QByteArray("\x89PNG\r\n\x1a\r", 8) << int(PictureKind::Unknown);
    QTest::newRow("JPEG start marker and a marker") << QByteArray("\xFF\xD8\xFF\xE0", 4) << int(PictureKind::Jpeg);
    QTest::newRow("JPEG start marker alone") << QByteArray("\xFF\xD8", 2) << int(PictureKind::Unknown);
    QTest::newRow("GIF") << gif().left(8) << int(PictureKind::Unknown);
    QTest::newRow("BMP") << QByteArray("BM\x36\0\0\0\0\0", 8) << int(PictureKind::Unknown);
    QTest::newRow("nothing") << QByteArray() << int(PictureKind::Unknown);
}

void TestDecode::sniffsContent()
{
    QFETCH(QByteArray, head);
    QFETCH(int, kind);
    QCOMPARE(int(sniffPictureKind(head)), kind);
}

void TestDecode::readsDeclaredSize_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size"); // invalid: nothing declared

    const QByteArray jpeg = encoded(blocks(24, 16, false), "jpeg", 90);
    const int pngKind = int(PictureKind::Png);
    const int jpegKind = int(PictureKind::Jpeg);
    QTest::newRow("PNG IHDR") << png::declaring(192, 64) << pngKind << QSize(192, 64);
    QTest::newRow("PNG width 32768") << png::declaring(32768, 1) << pngKind << QSize(32768, 1);
    QTest::newRow("PNG width past int clamps") << png::declaring(0x80000000u, 5) << pngKind << QSize(INT_MAX, 5);
    QTest::newRow("PNG cut inside IHDR") << png::declaring(192, 64).left(20) << pngKind << QSize();
    QTest::newRow("PNG with another chunk first")
        << png::signature() + png::chunk("tEXt", QByteArray("a\0b", 3)) + png::chunk("IHDR", png::ihdrData(3, 3, 8, 2)) << pngKind << QSize();
    QTest::newRow("JPEG frame header") << jpeg << jpegKind << QSize(24, 16);
    QTest::newRow("JPEG behind an EXIF segment") << withExifOrientation(jpeg, 6) << jpegKind << QSize(24, 16);
    QTest::newRow("JPEG with fill bytes before a marker")
        << jpeg.left(2) + QByteArray("\xFF\xFF\xFF", 3) + jpeg.mid(3) << jpegKind << QSize(24, 16);
    QTest::newRow("JPEG cut before its frame header") << jpeg.left(30) << jpegKind << QSize();
    QTest::newRow("JPEG with scan data before any frame header")
        << QByteArray("\xFF\xD8\xFF\xDA\0\x02", 6) << jpegKind << QSize();
    QTest::newRow("JPEG segment length below 2") << QByteArray("\xFF\xD8\xFF\xE0\0\x01", 6) << jpegKind << QSize();
    QTest::newRow("JPEG of empty segments only")
        << QByteArray("\xFF\xD8", 2) + QByteArray("\xFF\xFE\0\x02", 4).repeated(5000) << jpegKind << QSize();
}

void TestDecode::readsDeclaredSize()
{
    QFETCH(QByteArray, file);
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QBuffer device(&file);
    QVERIFY(device.open(QIODevice::ReadOnly));
    const std::optional<QSize> declared = readDeclaredSize(&device, PictureKind(kind));
    QCOMPARE(declared.has_value(), size.isValid());
    if (declared)
        QCOMPARE(*declared, size);
    QCOMPARE(device.pos(), 0);
}

void TestDecode::jpegMinimumFileSize_data()
{
    QTest::addColumn<QByteArray>("frame"); // SOFn marker and segment
    QTest::addColumn<qint64>("minimum");

    auto frame = [](char marker, quint16 width, quint16 height, const QByteArray &components) {
        const QByteArray payload = QByteArray(1, 8) + bigEndian16(height) + bigEndian16(width)
            + char(components.size() / 3) + components;
        return QByteArray("\xFF", 1) + marker + bigEndian16(quint16(payload.size() + 2)) + payload;
    };
    const QByteArray grey("\x01\x11\x00", 3);
    const QByteArray yuv420("\x01\x22\x00\x02\x11\x01\x03\x11\x01", 9);
    // One bit per block of the component with the most blocks.
    QTest::newRow("baseline grey 800x800: 10000 blocks") << frame('\xC0', 800, 800, grey) << qint64(1250);
    QTest::newRow("baseline 4:2:0 counts the full-size component")
        << frame('\xC0', 800, 800, yuv420) << qint64(1250);
    QTest::newRow("partial blocks round up") << frame('\xC0', 801, 9, grey) << qint64(101 * 2 / 8);
    QTest::newRow("progressive") << frame('\xC2', 20000, 20000, yuv420) << qint64(2500 * 2500 / 8);
    QTest::newRow("arithmetic coding has no bound") << frame('\xC9', 20000, 20000, yuv420) << qint64(0);
}

void TestDecode::jpegMinimumFileSize()
{
    QFETCH(QByteArray, frame);
    QFETCH(qint64, minimum);
    QByteArray file = QByteArray("\xFF\xD8", 2) + frame;
    QBuffer device(&file);
    QVERIFY(device.open(QIODevice::ReadOnly));
    const std::optional<DeclaredHeader> header = readDeclaredHeader(&device, PictureKind::Jpeg);
    QVERIFY(header);
    QCOMPARE(header->minimumFileBytes, minimum);
}

void TestDecode::walksJpegStructure_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("scans");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<qint64>("coefficientBytes");

    const QImage colour = blocks(64, 48, false);
    const QByteArray baseline = encoded(colour, "jpeg", 90);
    const QByteArray progressive = encoded(colour, "jpeg", 90, true);
    const QByteArray grey = encoded(blocks(64, 48, true), "jpeg", 90, true);
    // 4:2:0, 64 x 48: luma 8 x 6 blocks, each chroma 4 x 3; 128 bytes per block.
    const qint64 progressive420 = (48 + 2 * 12) * 128;
    QTest::newRow("baseline: one scan") << baseline << 1 << true << qint64(0);
    QTest::newRow("progressive: libjpeg's ten scans") << progressive << 10 << true << progressive420;
    QTest::newRow("grey progressive: six scans") << grey << 6 << true << qint64(8 * 6 * 128);
    QTest::newRow("bytes after the end marker") << baseline + QByteArray("trailing", 8) << 1 << true << qint64(0);
    QTest::newRow("cut before the end marker") << baseline.chopped(2) << 1 << false << qint64(0);
    QTest::newRow("progressive cut between scans")
        << progressive.left(progressive.lastIndexOf(QByteArray("\xFF\xDA", 2))) << 9 << false << progressive420;
    QTest::newRow("cut in the first scan header") << baseline.left(baseline.indexOf(QByteArray("\xFF\xDA", 2)) + 5) << 0
                                                   << false << qint64(0);
    // Scan data with a stuffed 0xFF, restart markers and fill bytes: none of them ends it.
    const QByteArray sos("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    QTest::newRow("stuffed bytes, restart markers and fill bytes in scan data")
        << QByteArray("\xFF\xD8", 2) + sos + QByteArray("\x12\xFF\x00\x34\xFF\xD0\x56\xFF\xD7\xFF\xFF\xFF\xD9", 13) << 1
        << true << qint64(0);
    QTest::newRow("a marker inside scan data ends it")
        << QByteArray("\xFF\xD8", 2) + sos + QByteArray("\x12\xFF\x00", 3) + sos + QByteArray("\x34\xFF\xD9", 3) << 2
        << true << qint64(0);
    QTest::newRow("not a JPEG") << QByteArray("\x89PNG\r\n\x1a\n", 8) << 0 << false << qint64(0);
}

// The walk over the whole file that finds a JPEG cut short and counts its scans, against
// files from Qt's writer (libjpeg) and against hand-made scan data.
void TestDecode::walksJpegStructure()
{
    QFETCH(QByteArray, file);
    QFETCH(int, scans);
    QFETCH(bool, complete);
    QFETCH(qint64, coefficientBytes);
    QBuffer device(&file);
    QVERIFY(device.open(QIODevice::ReadOnly));
    const JpegStructure structure = walkJpeg(&device);
    QCOMPARE(structure.scans, scans);
    QCOMPARE(structure.complete, complete);
    QCOMPARE(structure.coefficientBytes, coefficientBytes);
    QCOMPARE(device.pos(), 0);
}

void TestDecode::pictureBeyondQtsAllocationLimit()
{
    // 2048 x 1100 RGBA is 8.6 MiB decoded: past the QT_IMAGEIO_MAXALLOC of 1 MiB this test
    // runs under, which stands in for Qt's default 128 MiB without a picture that big.
    PngFixture spec = pngFixture(2048, 1100, 8, 6);
    spec.samples = [](int x, int y) { return QList<int>{x % 256, y % 256, 0, (x / 8) % 2 ? 255 : 0}; };
    const QString path = dir_.filePath(QStringLiteral("wide.png"));
    writeFile(path, png::file(spec));
    const OpenedPicture opened = openPicture(path);
    QVERIFY2(opened.picture, qPrintable(plovan::testsupport::describe(opened.error)));
    QCOMPARE(opened.picture->Width(), 2048);
    QCOMPARE(opened.picture->Height(), 1100);
    const ConstRGBSurface surface = opened.picture->rgbSurface();
    QCOMPARE(surface.row(1099)[3], 0xFFFFFFFFu);                 // transparent: white
    QCOMPARE(surface.row(1099)[2047], 0xFFFF4B00u | 0xFF000000u); // opaque (255, 75, 0)
}

void TestDecode::capOnDecodedBytes()
{
    const QString path = dir_.filePath(QStringLiteral("capped.png"));
    writeFile(path, png::file(pngFixture(600, 600, 8, 2)));
    DecodeLimits limits;
    limits.maxDecodedBytes = 1 << 20;
    const OpenedPicture opened = openPicture(path, limits);
    QVERIFY(!opened.picture);
    QCOMPARE(opened.error, picturefile::overLimit(600, 600, 600 * 600 * 4, 1 << 20));
}

// libjpeg keeps every coefficient of a progressive picture while its scans come in, in
// memory it allocates itself; JPEGMEM caps that memory (it is read at every decode), and
// past the cap libjpeg gives up as it does when the system refuses it memory.
void TestDecode::decoderOutOfMemoryIsNotDamage()
{
    const QString path = dir_.filePath(QStringLiteral("progressive.jpg"));
    writeFile(path, encoded(blocks(1024, 1024, false), "jpeg", 90, true));
    const QByteArray before = qgetenv("JPEGMEM");
    qputenv("JPEGMEM", "1M"); // the coefficients of 1024 x 1024 take 3 MiB
    const OpenedPicture capped = openPicture(path);
    if (before.isNull())
        qunsetenv("JPEGMEM");
    else
        qputenv("JPEGMEM", before);
    QVERIFY(!capped.picture);
    QCOMPARE(capped.error, picturefile::notEnoughMemory(1024, 1024));

    const OpenedPicture opened = openPicture(path);
    QVERIFY2(opened.picture, qPrintable(plovan::testsupport::describe(opened.error)));
}

void TestDecode::sequentialDevice()
{
    const PngFixture spec = pngFixture(7, 3, 8, 6);
    SequentialBytes device(png::file(spec));
    const OpenedPicture opened = openPicture(&device);
    QVERIFY2(opened.picture, qPrintable(plovan::testsupport::describe(opened.error)));
    QCOMPARE(opened.picture->image(), expectedImage(spec));

    SequentialBytes notAPicture(gif());
    QCOMPARE(openPicture(&notAPicture).error, picturefile::notPngOrJpeg());
}

void TestDecode::refusedDecodeTouchesLittleMemory()
{
    // A header declaring 32767 x 32767 RGBA with a few bytes of image data behind it: the
    // decoder gives up at once, and the memory reserved for the picture is never touched.
    QByteArray file = png::declaring(32767, 32767, 8, 6);
    QBuffer device(&file);
    QVERIFY(device.open(QIODevice::ReadOnly));
    const qint64 before = testsupport::peakResidentKiB();
    QVERIFY(before > 0);
    const OpenedPicture opened = openPicture(&device);
    const qint64 after = testsupport::peakResidentKiB();
    QVERIFY(!opened.picture);
    const qint64 grownMiB = (after - before) / 1024;
    QVERIFY2(grownMiB < 512, qPrintable(QStringLiteral("peak memory grew by %1 MiB").arg(grownMiB)));
}

void TestDecode::decodeMemoryStartsZeroed_data()
{
    QTest::addColumn<qsizetype>("bytes");
    QTest::newRow("small, from the heap") << qsizetype(64 * 1024);
    QTest::newRow("just under a mapping of its own") << qsizetype((2 << 20) - 4);
    QTest::newRow("big") << qsizetype(6 << 20);
}

// Whatever a decoder leaves unwritten must not carry what the memory held before: the
// same size is written over and given back first, so that the allocator has stale
// memory of that size at hand.
void TestDecode::decodeMemoryStartsZeroed()
{
    QFETCH(qsizetype, bytes);
    for (int round = 0; round < 3; ++round) {
        {
            PixelBuffer stale(bytes);
            std::memset(stale.data(), 0xA5, size_t(bytes));
        }
        PixelBuffer buffer(bytes);
        QVERIFY(buffer.size() >= bytes);
        const uchar *data = buffer.data();
        const qsizetype firstSet = std::find_if(data, data + bytes, [](uchar b) { return b != 0; }) - data;
        if (firstSet != bytes)
            QFAIL(qPrintable(QStringLiteral("byte %1 is %2").arg(firstSet).arg(data[firstSet])));
    }
}

void TestDecode::compositeMatchesOracleForEveryColourAndAlpha()
{
    std::vector<std::uint32_t> row(256);
    for (int a = 0; a < 256; ++a) {
        for (int c = 0; c < 256; ++c)
            row[size_t(c)] = std::uint32_t(a) << 24 | std::uint32_t(c) << 16 | std::uint32_t(255 - c) << 8 | std::uint32_t(c / 2);
        compositeArgbRowOverWhite(row.data(), 256);
        for (int c = 0; c < 256; ++c) {
            const double alpha = a / 255.0;
            const std::uint32_t want = 0xFF000000u | std::uint32_t(overWhite(c / 255.0, alpha)) << 16
                | std::uint32_t(overWhite((255 - c) / 255.0, alpha)) << 8 | std::uint32_t(overWhite((c / 2) / 255.0, alpha));
            if (row[size_t(c)] != want)
                QFAIL(qPrintable(QStringLiteral("colour %1 alpha %2").arg(QString::number(c), QString::number(a))));
            QCOMPARE(storedOverWhite(std::uint32_t(a) << 24 | std::uint32_t(c) << 16 | std::uint32_t(255 - c) << 8
                                     | std::uint32_t(c / 2)),
                     want);
        }
    }
}

void TestDecode::rgba64RowMatchesOracle_data()
{
    QTest::addColumn<bool>("opaque");
    QTest::newRow("with alpha") << false;
    QTest::newRow("alpha ignored when opaque") << true;
}

void TestDecode::rgba64RowMatchesOracle()
{
    QFETCH(bool, opaque);
    QRandomGenerator random(64);
    constexpr int kWidth = 4096;
    std::vector<std::uint16_t> in(4 * kWidth);
    for (std::uint16_t &sample : in) {
        // Mostly random, with the ends of the range and values around each rounding step.
        const quint32 pick = random.bounded(4u);
        sample = pick == 0 ? std::uint16_t(random.bounded(2u) * 65535u)
                 : pick == 1 ? std::uint16_t(qBound(0, int(random.bounded(256u)) * 257 + 128 + int(random.bounded(3u)) - 1, 65535))
                             : std::uint16_t(random.bounded(65536u));
    }
    std::vector<std::uint32_t> out(kWidth);
    rgba64RowToStorage(in.data(), out.data(), kWidth, opaque);
    for (int x = 0; x < kWidth; ++x) {
        const std::uint16_t *p = &in[size_t(4 * x)];
        const double alpha = opaque ? 1.0 : p[3] / 65535.0;
        const std::uint32_t want = 0xFF000000u | std::uint32_t(overWhite(p[0] / 65535.0, alpha)) << 16
            | std::uint32_t(overWhite(p[1] / 65535.0, alpha)) << 8 | std::uint32_t(overWhite(p[2] / 65535.0, alpha));
        QCOMPARE(out[size_t(x)], want);
    }
}

void TestDecode::rgba64RowInPlace()
{
    // Narrowing into the same memory gives what narrowing into separate memory gives.
    QRandomGenerator random(7);
    constexpr int kWidth = 1000;
    std::vector<std::uint16_t> samples(4 * kWidth);
    for (std::uint16_t &s : samples)
        s = std::uint16_t(random.bounded(65536u));
    std::vector<std::uint32_t> separate(kWidth);
    rgba64RowToStorage(samples.data(), separate.data(), kWidth, false);
    rgba64RowToStorage(samples.data(), reinterpret_cast<std::uint32_t *>(samples.data()), kWidth, false);
    QVERIFY(std::memcmp(samples.data(), separate.data(), kWidth * 4) == 0);
}

QTEST_GUILESS_MAIN(TestDecode)
#include "tst_decode.moc"
