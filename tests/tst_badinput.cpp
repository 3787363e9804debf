// The bad-input corpus: files a user may pick that are not what they seem, made at test
// time. Each row fixes the outcome (refused with which reason, or loaded at which size),
// and every row goes through the window's loading path with the fuzz harness's checks:
// a refusal is reported once, names the file and leaves the whole window (pictures,
// pixels, canvases, labels, text, settings) byte for byte as it was; a load replaces
// both pictures and converts exactly as the naive reference does; the file read as a
// stream gives the same result.
#include "harness/DecodeHarness.h"
#include "harness/JpegBuilder.h"
#include "harness/StructuredPng.h"
#include "platform/JpegStructure.h"
#include "platform/PictureFile.h"
#include "support/FixtureFiles.h"
#include "support/JpegFiles.h"
#include "support/LoadReasons.h"
#include "support/PngFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtEndian>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace plovan;
using namespace plovan::fuzz;
using namespace plovan::testsupport;

namespace {

// Gradients and edges, the same on every run.
QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1), ((x / 8 + y / 8) % 2) * 200));
    }
    return image;
}

// The seeds the damaged files are made from.
QByteArray rgbPng() { return encoded(pattern(64, 48), "png"); }
QByteArray baselineJpeg() { return encoded(pattern(64, 48), "jpeg", 85); }
QByteArray progressiveJpeg() { return encoded(pattern(64, 48), "jpeg", 85, true); }
QByteArray interlacedPalettePng()
{
    // Size mode 0, 40 x 30, palette 8-bit, interlaced, tRNS, no damage, then the rest.
    QByteArray description = QByteArray::fromHex("00 27 1d 0a 01 02 00");
    for (int i = 0; i < 3000; ++i)
        description.append(char((i * 37) ^ (i >> 3)));
    return buildStructuredPng(description).file;
}

QByteArray cutAt(const QByteArray &bytes, int tenths)
{
    return bytes.left(bytes.size() * tenths / 10);
}

QByteArray flippedAt(QByteArray bytes, int quarter)
{
    bytes[bytes.size() * quarter / 4] ^= char(0x5A);
    return bytes;
}

// Where each PNG chunk of a type starts (its length field), in order.
QList<qsizetype> pngChunks(const QByteArray &png, const char *type)
{
    QList<qsizetype> at;
    for (qsizetype i = 8; i + 12 <= png.size();) {
        const qsizetype length = qFromBigEndian<quint32>(png.constData() + i);
        if (png.mid(i + 4, 4) == type)
            at << i;
        i += 12 + length;
    }
    return at;
}

QByteArray pngWithBadCrc(QByteArray png, const char *type)
{
    const qsizetype at = pngChunks(png, type).value(0, -1);
    const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
    png[at + 8 + length + 3] ^= char(0x01);
    return png;
}

// Every IDAT's data zeroed, its CRC made to match: the stream, not the chunk, is bad.
QByteArray pngWithZeroedData(QByteArray png)
{
    for (qsizetype at : pngChunks(png, "IDAT")) {
        const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray rebuilt = png::chunk("IDAT", QByteArray(length, '\0'));
        png.replace(at, rebuilt.size(), rebuilt);
    }
    return png;
}

QByteArray pngCutInData(const QByteArray &png)
{
    const qsizetype at = pngChunks(png, "IDAT").value(0);
    const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
    return png.left(at + 8 + length / 2);
}

// The first scan of a JPEG and where it starts.
std::pair<qsizetype, qsizetype> firstScan(const QByteArray &jpeg)
{
    qsizetype at = 0;
    for (const QByteArray &segment : jpeg::segments(jpeg)) {
        if (segment.startsWith("\xFF\xDA"))
            return {at, segment.size()};
        at += segment.size();
    }
    return {-1, 0};
}

// The entropy-coded data of the first scan zeroed: valid markers, meaningless data.
QByteArray jpegWithZeroedScan(QByteArray jpeg)
{
    const auto [at, size] = firstScan(jpeg);
    const qsizetype header = 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]));
    jpeg.replace(at + header, size - header, QByteArray(size - header, '\0'));
    return jpeg;
}

QByteArray jpegCutInScan(const QByteArray &jpeg)
{
    const auto [at, size] = firstScan(jpeg);
    return jpeg.left(at + size / 2);
}

// Everything up to and including the first scan's header, none of its data.
QByteArray jpegCutAfterHeader(const QByteArray &jpeg)
{
    const qsizetype at = firstScan(jpeg).first;
    return jpeg.left(at + 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3])));
}

QString loadedAs(int width, int height)
{
    return QStringLiteral("loaded %1x%2").arg(width).arg(height);
}

QString refused(const LoadReason &reason)
{
    return QStringLiteral("refused: ") + describe(reason);
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outcome_data();
    void outcome();
    void cleanupTestCase();

private:
    QTemporaryDir dir_;
    int files_ = 0;
    int loaded_ = 0;
    QList<std::pair<qint64, QString>> times_; // ms, row
};

void BadInputTest::outcome_data()
{
    QTest::addColumn<QString>("name");     // the file's name; the content must decide
    QTest::addColumn<QByteArray>("bytes"); // written to `name`, unless `kind` says otherwise
    QTest::addColumn<QString>("kind");     // "file", "folder" or "missing"
    QTest::addColumn<QString>("outcome");  // "loaded WxH" or "refused: REASON"

    const QString file = QStringLiteral("file");
    auto row = [&](const char *tag, const char *name, const QByteArray &bytes, const QString &outcome) {
        QTest::newRow(tag) << QString::fromLatin1(name) << bytes << file << outcome;
    };
    const QString pngHeader = refused(picturefile::damagedHeader("PNG"));
    const QString pngData = refused(picturefile::damagedData("PNG"));
    const QString jpegHeader = refused(picturefile::damagedHeader("JPEG"));
    const QString jpegData = refused(picturefile::damagedData("JPEG"));
    const QString notOurs = refused(picturefile::notPngOrJpeg());
    const QString endsEarly = refused(picturefile::endsEarly());

    // Header-only liars: a PNG signature and IHDR, nothing after.
    row("header only 1x1", "liar.png", png::headerOnly(1, 1, 8, 0), pngHeader);
    row("header only 32767x1", "liar.png", png::headerOnly(32767, 1, 8, 0), pngHeader);
    row("header only 1x32767", "liar.png", png::headerOnly(1, 32767, 8, 0), pngHeader);
    row("header only 32768x1", "liar.png", png::headerOnly(32768, 1, 8, 0), refused(picturefile::outOfRange(32768, 1)));
    row("header only 1x32768", "liar.png", png::headerOnly(1, 32768, 8, 0), refused(picturefile::outOfRange(1, 32768)));
    row("header only 0x5", "liar.png", png::headerOnly(0, 5, 8, 0), refused(picturefile::outOfRange(0, 5)));
    row("header only 32767x32767 grey", "liar.png", png::headerOnly(32767, 32767, 8, 0), pngHeader);
    row("header only 32767x32767 RGBA", "liar.png", png::headerOnly(32767, 32767, 8, 6), pngHeader);
    row("header only 32767x32767 16-bit RGBA", "liar.png", png::headerOnly(32767, 32767, 16, 6), pngHeader);
    row("header only 65535x65535", "liar.png", png::headerOnly(65535, 65535, 8, 0), refused(picturefile::outOfRange(65535, 65535)));
    row("header only 1000001x1", "liar.png", png::headerOnly(1000001, 1, 8, 0), refused(picturefile::outOfRange(1000001, 1)));
    // The same sizes with one row of data: the decoder starts, must give up at once, and
    // must not touch the gigabytes the header asks for.
    // The same sizes with one row of data: the decoder starts, must give up at the end of
    // the data, and must not first fill the gigabytes the header asks for.
    row("one row of 32767x32767 grey", "liar.png", png::withOneRow(32767, 32767, 8, 0), pngData);
    row("one row of 32767x32767 RGB", "liar.png", png::withOneRow(32767, 32767, 8, 2), pngData);
    row("one row of 32767x32767 RGBA", "liar.png", png::withOneRow(32767, 32767, 8, 6), pngData);
    row("one row of 32767x32767 16-bit RGBA", "liar.png", png::withOneRow(32767, 32767, 16, 6), pngData);
    // A JPEG cut right after its scan header, its frame header lying about the size: the
    // decoder would make up every missing row as grey, gigabytes of them; the walk over
    // the file finds no end-of-image marker first.
    row("baseline JPEG cut after a 32767x32767 frame header", "liar.jpg",
        jpegCutAfterHeader(jpegDeclaring(baselineJpeg(), 32767, 32767)), endsEarly);
    row("progressive JPEG cut after a 32767x32767 frame header", "liar.jpg",
        jpegCutAfterHeader(jpegDeclaring(progressiveJpeg(), 32767, 32767)), endsEarly);
    row("JPEG frame header 32768 wide", "liar.jpg", jpegDeclaring(baselineJpeg(), 32768, 48), refused(picturefile::outOfRange(32768, 48)));
    row("JPEG frame header 65535x65535", "liar.jpg", jpegDeclaring(baselineJpeg(), 65535, 65535), refused(picturefile::outOfRange(65535, 65535)));

    // Damaged files made from four seeds: cut at each tenth, a byte flipped, a checksum
    // broken, the image data zeroed, cut inside the data. libjpeg would fill what is
    // missing of a cut file with grey and call it a success: a JPEG without its end-of-image
    // marker is refused before it decodes. A flipped byte or zeroed data leaves a whole
    // file that libjpeg decodes as best it can; libpng stops at any error.
    const QByteArray png = rgbPng();
    const QByteArray palettePng = interlacedPalettePng();
    const QByteArray jpeg = baselineJpeg();
    const QByteArray progressive = progressiveJpeg();
    row("RGB PNG seed", "seed.png", png, loadedAs(64, 48));
    row("interlaced palette PNG seed", "seed.png", palettePng, loadedAs(40, 30));
    row("baseline JPEG seed", "seed.jpg", jpeg, loadedAs(64, 48));
    row("progressive JPEG seed", "seed.jpg", progressive, loadedAs(64, 48));
    row("RGB PNG cut at 10%", "damaged.png", cutAt(png, 1), pngHeader);
    row("RGB PNG cut at 20%", "damaged.png", cutAt(png, 2), pngHeader);
    row("RGB PNG cut at 30%", "damaged.png", cutAt(png, 3), pngData);
    row("RGB PNG cut at 40%", "damaged.png", cutAt(png, 4), pngData);
    row("RGB PNG cut at 50%", "damaged.png", cutAt(png, 5), pngData);
    row("RGB PNG cut at 60%", "damaged.png", cutAt(png, 6), pngData);
    row("RGB PNG cut at 70%", "damaged.png", cutAt(png, 7), pngData);
    row("RGB PNG cut at 80%", "damaged.png", cutAt(png, 8), pngData);
    row("RGB PNG cut at 90%", "damaged.png", cutAt(png, 9), pngData);
    row("RGB PNG with a byte flipped at 1/4", "damaged.png", flippedAt(png, 1), pngHeader);
    row("RGB PNG with a byte flipped at 2/4", "damaged.png", flippedAt(png, 2), pngData);
    row("RGB PNG with a byte flipped at 3/4", "damaged.png", flippedAt(png, 3), pngData);
    row("RGB PNG with a bad IHDR CRC", "damaged.png", pngWithBadCrc(png, "IHDR"), pngHeader);
    row("RGB PNG with a bad IDAT CRC", "damaged.png", pngWithBadCrc(png, "IDAT"), pngData);
    row("RGB PNG with a bad IEND CRC", "damaged.png", pngWithBadCrc(png, "IEND"), pngData);
    row("RGB PNG with zeroed image data", "damaged.png", pngWithZeroedData(png), pngData);
    row("RGB PNG cut in its image data", "damaged.png", pngCutInData(png), pngData);
    row("interlaced palette PNG cut at 10%", "damaged.png", cutAt(palettePng, 1), pngHeader);
    row("interlaced palette PNG cut at 20%", "damaged.png", cutAt(palettePng, 2), pngHeader);
    row("interlaced palette PNG cut at 30%", "damaged.png", cutAt(palettePng, 3), pngHeader);
    row("interlaced palette PNG cut at 40%", "damaged.png", cutAt(palettePng, 4), pngData);
    row("interlaced palette PNG cut at 50%", "damaged.png", cutAt(palettePng, 5), pngData);
    row("interlaced palette PNG cut at 60%", "damaged.png", cutAt(palettePng, 6), pngData);
    row("interlaced palette PNG cut at 70%", "damaged.png", cutAt(palettePng, 7), pngData);
    row("interlaced palette PNG cut at 80%", "damaged.png", cutAt(palettePng, 8), pngData);
    row("interlaced palette PNG cut at 90%", "damaged.png", cutAt(palettePng, 9), pngData);
    row("interlaced palette PNG with a byte flipped at 1/4", "damaged.png", flippedAt(palettePng, 1), pngHeader);
    row("interlaced palette PNG with a byte flipped at 2/4", "damaged.png", flippedAt(palettePng, 2), pngData);
    row("interlaced palette PNG with a byte flipped at 3/4", "damaged.png", flippedAt(palettePng, 3), pngData);
    row("interlaced palette PNG with a bad IHDR CRC", "damaged.png", pngWithBadCrc(palettePng, "IHDR"), pngHeader);
    row("interlaced palette PNG with a bad IDAT CRC", "damaged.png", pngWithBadCrc(palettePng, "IDAT"), pngData);
    row("interlaced palette PNG with a bad IEND CRC", "damaged.png", pngWithBadCrc(palettePng, "IEND"), pngData);
    row("interlaced palette PNG with zeroed image data", "damaged.png", pngWithZeroedData(palettePng), pngData);
    row("interlaced palette PNG cut in its image data", "damaged.png", pngCutInData(palettePng), pngData);
    row("baseline JPEG cut at 10%", "damaged.jpg", cutAt(jpeg, 1), jpegHeader);
    row("baseline JPEG cut at 20%", "damaged.jpg", cutAt(jpeg, 2), endsEarly);
    row("baseline JPEG cut at 30%", "damaged.jpg", cutAt(jpeg, 3), endsEarly);
    row("baseline JPEG cut at 40%", "damaged.jpg", cutAt(jpeg, 4), endsEarly);
    row("baseline JPEG cut at 50%", "damaged.jpg", cutAt(jpeg, 5), endsEarly);
    row("baseline JPEG cut at 60%", "damaged.jpg", cutAt(jpeg, 6), endsEarly);
    row("baseline JPEG cut at 70%", "damaged.jpg", cutAt(jpeg, 7), endsEarly);
    row("baseline JPEG cut at 80%", "damaged.jpg", cutAt(jpeg, 8), endsEarly);
    row("baseline JPEG cut at 90%", "damaged.jpg", cutAt(jpeg, 9), endsEarly);
    row("baseline JPEG with a byte flipped at 1/4", "damaged.jpg", flippedAt(jpeg, 1), loadedAs(64, 48));
    row("baseline JPEG with a byte flipped at 2/4", "damaged.jpg", flippedAt(jpeg, 2), loadedAs(64, 48));
    row("baseline JPEG with a byte flipped at 3/4", "damaged.jpg", flippedAt(jpeg, 3), loadedAs(64, 48));
    row("baseline JPEG with zeroed scan data", "damaged.jpg", jpegWithZeroedScan(jpeg), loadedAs(64, 48));
    row("baseline JPEG cut in its first scan", "damaged.jpg", jpegCutInScan(jpeg), endsEarly);
    row("baseline JPEG cut after its first scan header", "damaged.jpg", jpegCutAfterHeader(jpeg), endsEarly);
    row("progressive JPEG cut at 10%", "damaged.jpg", cutAt(progressive, 1), jpegHeader);
    row("progressive JPEG cut at 20%", "damaged.jpg", cutAt(progressive, 2), endsEarly);
    row("progressive JPEG cut at 30%", "damaged.jpg", cutAt(progressive, 3), endsEarly);
    row("progressive JPEG cut at 40%", "damaged.jpg", cutAt(progressive, 4), endsEarly);
    row("progressive JPEG cut at 50%", "damaged.jpg", cutAt(progressive, 5), endsEarly);
    row("progressive JPEG cut at 60%", "damaged.jpg", cutAt(progressive, 6), endsEarly);
    row("progressive JPEG cut at 70%", "damaged.jpg", cutAt(progressive, 7), endsEarly);
    row("progressive JPEG cut at 80%", "damaged.jpg", cutAt(progressive, 8), endsEarly);
    row("progressive JPEG cut at 90%", "damaged.jpg", cutAt(progressive, 9), endsEarly);
    row("progressive JPEG with a byte flipped at 1/4", "damaged.jpg", flippedAt(progressive, 1), jpegHeader);
    row("progressive JPEG with a byte flipped at 2/4", "damaged.jpg", flippedAt(progressive, 2), jpegData);
    row("progressive JPEG with a byte flipped at 3/4", "damaged.jpg", flippedAt(progressive, 3), jpegData);
    row("progressive JPEG with zeroed scan data", "damaged.jpg", jpegWithZeroedScan(progressive), loadedAs(64, 48));
    row("progressive JPEG cut in its first scan", "damaged.jpg", jpegCutInScan(progressive), endsEarly);
    row("progressive JPEG cut after its first scan header", "damaged.jpg", jpegCutAfterHeader(progressive), endsEarly);

    // Wrong content behind a picture's name.
    row("GIF named .png", "really-gif.png", gif(), notOurs);
    row("GIF named .jpg", "really-gif.jpg", gif(), notOurs);
    row("BMP named .png", "really-bmp.png", encoded(pattern(8, 8), "bmp"), notOurs);
    row("BMP named .jpg", "really-bmp.jpg", encoded(pattern(8, 8), "bmp"), notOurs);
    row("PBM named .png", "really-pbm.png", encoded(pattern(8, 8).convertToFormat(QImage::Format_Mono), "pbm"), notOurs);
    row("PBM named .jpg", "really-pbm.jpg", encoded(pattern(8, 8).convertToFormat(QImage::Format_Mono), "pbm"), notOurs);
    row("XPM named .png", "really-xpm.png", encoded(pattern(8, 8), "xpm"), notOurs);
    row("XPM named .jpg", "really-xpm.jpg", encoded(pattern(8, 8), "xpm"), notOurs);
    row("PNG named .jpg", "really-png.jpg", png, loadedAs(64, 48));
    row("JPEG named .png", "really-jpeg.png", jpeg, loadedAs(64, 48));

    // Nothing to read.
    row("empty file", "empty.png", QByteArray(), refused(picturefile::empty()));
    QTest::newRow("a folder named .png") << QStringLiteral("folder.png") << QByteArray() << QStringLiteral("folder")
                                         << refused(picturefile::folder());
    QTest::newRow("a file that is not there") << QStringLiteral("gone.png") << QByteArray() << QStringLiteral("missing")
                                              << refused(picturefile::noSuchFile());

    // Many scans: the decoder walks every block once per scan, so a few hundred bytes per
    // scan buy a pass over the whole picture. Up to the limit they load (one DC scan, then
    // AC scans); past it they are refused before anything is decoded.
    const int acAtLimit = kMaxJpegScans - 1;
    row("progressive JPEG 256x256 with as many scans as allowed", "scans.jpg",
        jpeg::progressiveGrey(256, 256, acAtLimit), loadedAs(256, 256));
    row("progressive JPEG 1024x1024 with as many scans as allowed", "scans.jpg",
        jpeg::progressiveGrey(1024, 1024, acAtLimit), loadedAs(1024, 1024));
    row("progressive JPEG 256x256 with one scan too many", "scans.jpg", jpeg::progressiveGrey(256, 256, acAtLimit + 1),
        refused(picturefile::tooManyScans(kMaxJpegScans + 1, kMaxJpegScans)));
    row("progressive JPEG 1024x1024 with 500 scans", "scans.jpg", jpeg::progressiveGrey(1024, 1024, 500),
        refused(picturefile::tooManyScans(501, kMaxJpegScans)));
    row("progressive JPEG 8192x8192 with 1000 scans", "scans.jpg", jpeg::progressiveGrey(8192, 8192, 1000),
        refused(picturefile::tooManyScans(1001, kMaxJpegScans)));
}

void BadInputTest::outcome()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QFETCH(QString, outcome);

    QElapsedTimer timer;
    timer.start();
    DecodeOutcome result;
    if (kind == QLatin1String("file")) {
        result = runDecodePath(bytes, 0, name);
    } else {
        const QString path = dir_.filePath(name);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir_.path()).mkpath(name));
        result = runWindowLoad(path);
    }
    const qint64 ms = timer.elapsed();
    ++files_;
    if (result.loaded)
        ++loaded_;
    times_ << std::pair{ms, QString::fromLatin1(QTest::currentDataTag())};

    QVERIFY2(result.failure.isEmpty(), qPrintable(result.failure));
    const QString got = result.loaded ? loadedAs(result.pix->Width(), result.pix->Height()) : refused(result.reason);
    QCOMPARE(got, outcome);
    // A generous bound that only a hang or a runaway decode can break; the figures are
    // printed at the end.
    QVERIFY2(ms < 20000, qPrintable(QStringLiteral("took %1 ms").arg(ms)));
}

void BadInputTest::cleanupTestCase()
{
    std::sort(times_.begin(), times_.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    qInfo("bad-input corpus: %d files, %d loaded, %d refused; the slowest, each through the window's loading path "
          "with its checks:", files_, loaded_, files_ - loaded_);
    for (qsizetype i = 0; i < qMin<qsizetype>(5, times_.size()); ++i)
        qInfo("  %lld ms  %s", times_.at(i).first, qPrintable(times_.at(i).second));
}

QTEST_GUILESS_MAIN(BadInputTest)
#include "tst_badinput.moc"
