// The sentences the window shows when a picture does not load: one per reason, with the
// file as the user named it and the reason's particulars in their places.

#include "support/LoadReasons.h"

#include "ui/Window1.h"

#include <QTest>

using namespace plovan;

Q_DECLARE_METATYPE(plovan::LoadReason)

class TestWindowErrors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadErrorText_data();
    void loadErrorText();
};

void TestWindowErrors::loadErrorText_data()
{
    QTest::addColumn<LoadReason>("reason");
    QTest::addColumn<QString>("sentence");
    auto row = [](const char *name, const LoadReason &reason, const char *words) {
        QTest::newRow(name) << reason << QStringLiteral("Cannot load 'logo.png': ") + QString::fromUtf8(words);
    };
    using namespace picturefile;
    row("no such file", noSuchFile(), "there is no such file");
    row("a folder", folder(), "it is a folder, not a picture file");
    row("unreadable, in the system's words", cannotRead(QStringLiteral("Permission denied")),
        "the file cannot be read: Permission denied");
    row("empty", empty(), "the file is empty");
    row("neither PNG nor JPEG", notPngOrJpeg(), "not a PNG or JPEG picture");
    row("ends early", endsEarly(), "the file ends early (damaged or incomplete)");
    row("damaged PNG header", damagedHeader("PNG"), "the PNG header is damaged or incomplete");
    row("damaged JPEG data", damagedData("JPEG"), "the JPEG picture data is damaged or incomplete");
    row("too many scans", tooManyScans(1001, 200),
        "the JPEG has 1001 scans, more than the limit of 200 (real encoders write a few, and every scan is another "
        "pass over the whole picture)");
    row("out of range", outOfRange(32768, 1), "the picture is 32768x1 pixels; Width/Height needs to be in the range 1-32767");
    row("not enough memory for the picture", notEnoughMemory(20000, 20000),
        "not enough memory for a picture of 20000x20000 pixels");
    row("not enough memory before the size is known", notEnoughMemoryToRead(), "not enough memory to read the file");
    row("over the decoding limit, needed MiB rounded up", overLimit(600, 600, 600 * 600 * 4, 1 << 20),
        "a picture of 600x600 pixels needs 2 MiB to decode, more than the limit of 1 MiB");
    row("wider than the paper once scaled", widerThanPaper(600, 576),
        "the picture is 600 dots wide after scaling, wider than the paper's 576 dots");
    row("anything else, in its own words", unexpected(QStringLiteral("Nil object")), "Nil object");
}

void TestWindowErrors::loadErrorText()
{
    QFETCH(LoadReason, reason);
    QFETCH(QString, sentence);
    QCOMPARE(Window1::loadErrorText({QStringLiteral("logo.png"), reason}), sentence);
}

QTEST_GUILESS_MAIN(TestWindowErrors)
#include "tst_window_errors.moc"
