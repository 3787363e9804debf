#include "platform/Colour.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QTest>

using namespace plovan;

class TestPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeRule_data();
    void sizeRule();
    void blankPictureIsWhite();
    void colourParts();
    void readingIgnoresTopByte();
};

void TestPicture::sizeRule_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("valid");
    QTest::newRow("1 x 1 is the smallest") << 1 << 1 << true;
    QTest::newRow("32767 wide") << 32767 << 1 << true;
    QTest::newRow("32767 high") << 1 << 32767 << true;
    QTest::newRow("width 0") << 0 << 5 << false;
    QTest::newRow("height 0") << 5 << 0 << false;
    QTest::newRow("width -1") << -1 << 5 << false;
    QTest::newRow("height 32768") << 1 << 32768 << false;
    QTest::newRow("width 32768") << 32768 << 1 << false;
    QTest::newRow("most negative") << std::numeric_limits<int>::min() << 1 << false;
}

void TestPicture::sizeRule()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, valid);
    if (valid) {
        const PictureRef picture = makePicture(width, height);
        QCOMPARE(picture->Width(), width);
        QCOMPARE(picture->Height(), height);
        return;
    }
    PictureRef picture;
    try {
        picture = makePicture(width, height);
        QFAIL("no exception");
    } catch (const OutOfBoundsException &error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Width/Height needs to be in the range 1-32767"));
    }
    QVERIFY(!picture);
}

void TestPicture::blankPictureIsWhite()
{
    // Big enough to take the separately mapped path as well as the ordinary one.
    for (const int side : {3, 1024}) {
        const PictureRef picture = makePicture(side, side);
        const ConstRGBSurface surface = std::as_const(*picture).rgbSurface();
        for (int y = 0; y < side; y += side / 3)
            for (int x = 0; x < side; x += side / 3)
                QCOMPARE(surface.Pixel(x, y), kWhite);
        QCOMPARE(surface.Pixel(side - 1, side - 1), kWhite);
    }
}

void TestPicture::colourParts()
{
    const Colour c = RGB(0x12, 0x34, 0x56, 0x78);
    QCOMPARE(c, Colour(0x78123456));
    QCOMPARE(Red(c), 0x12);
    QCOMPARE(Green(c), 0x34);
    QCOMPARE(Blue(c), 0x56);
    QCOMPARE(kBlack, Colour(0));
    QCOMPARE(kWhite, Colour(0x00FFFFFF));
}

void TestPicture::readingIgnoresTopByte()
{
    const PictureRef picture = makePicture(2, 1);
    RGBSurface surface = picture->rgbSurface();
    surface.row(0)[0] = 0x7F102030u;
    surface.Pixel(1, 0, RGB(0x10, 0x20, 0x30, 200));
    QCOMPARE(surface.Pixel(0, 0), RGB(0x10, 0x20, 0x30, 0));
    QCOMPARE(surface.Pixel(1, 0), RGB(0x10, 0x20, 0x30, 0));
    // Written pixels are stored opaque, so Qt paints them as they are.
    QCOMPARE(picture->image().pixel(1, 0), 0xFF102030u);
}

QTEST_GUILESS_MAIN(TestPicture)
#include "tst_picture.moc"
