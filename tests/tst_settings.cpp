// The Image menu's choices remembered between runs, read from the settings file as a user or
// another program may have left it: only a value written as the window writes it counts, and
// anything else (a number out of range or in another notation, a word other than true or
// false, a halftone by another name, a value of another type) is the default, key by key.
// Only the printer's choices are remembered; the picture's (turn, mirror, tone) never are.

#include "ui/ImageChoices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace plovan;

Q_DECLARE_METATYPE(ImageChoices)

namespace {

// "[Image]" and the lines under it.
QByteArray imageGroup(const QByteArray &lines)
{
    return "[Image]\n" + lines + "\n";
}

QString describe(const ImageChoices &choices)
{
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    return QStringLiteral("width %1, centre %2, halftone %3, serpentine %4, trim %5, turns %6, mirror %7, tone %8 %9 %10, "
                          "dots %11")
        .arg(choices.printerWidth)
        .arg(onOff(choices.centre))
        .arg(int(choices.halftone))
        .arg(onOff(choices.serpentine), onOff(choices.trim))
        .arg(choices.orientation.quarterTurns)
        .arg(onOff(choices.orientation.mirror))
        .arg(choices.tone.brightness)
        .arg(choices.tone.contrast)
        .arg(choices.tone.gammaHundredths)
        .arg(choices.dotGainHundredths);
}

// The choices of a first run with a halftone and the printer's dots as given.
ImageChoices halftoneDots(Halftone halftone, int dotGainHundredths)
{
    ImageChoices choices;
    choices.halftone = halftone;
    choices.dotGainHundredths = dotGainHundredths;
    return choices;
}

// The choices of a first run with serpentine rows and trimming as given.
ImageChoices serpentineTrim(bool serpentine, bool trim)
{
    ImageChoices choices;
    choices.serpentine = serpentine;
    choices.trim = trim;
    return choices;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { folder_.reset(); }

    void readFromTheFile_data();
    void readFromTheFile();
    void noFileIsTheDefaults();
    void rememberedIsReadBack_data();
    void rememberedIsReadBack();

private:
    // Plovan.conf, where QSettings looks for it under the names the application sets.
    QString settingsFile() const { return folder_->filePath(QStringLiteral("Plovan/Plovan.conf")); }
    bool writeSettingsFile(const QByteArray &text) const;

    // A folder of its own for each test row: QSettings keeps what it has read of a file in
    // memory while the file's size and time stay the same, so no row may reuse another's.
    std::unique_ptr<QTemporaryDir> folder_;
};

void TestSettings::initTestCase()
{
    // The names ui/App.cpp gives the application, so the same file name.
    QCoreApplication::setOrganizationName(QStringLiteral("Plovan"));
    QCoreApplication::setApplicationName(QStringLiteral("Plovan"));
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettings::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_->path());
    QCOMPARE(QSettings().fileName(), settingsFile());
}

bool TestSettings::writeSettingsFile(const QByteArray &text) const
{
    if (!QDir(folder_->path()).mkpath(QStringLiteral("Plovan")))
        return false;
    QFile file(settingsFile());
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

void TestSettings::readFromTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ImageChoices>("expected");

    // The printer width, the other two keys valid: a bad width leaves them as they are.
    const auto width = [](const char *name, const QByteArray &value, int expected) {
        QTest::addRow("printerWidth %s", name) << imageGroup("printerWidth=" + value + "\ncentreOnPaper=true\nhalftone=ordered")
                                               << ImageChoices{expected, true, Halftone::Ordered};
    };
    width("576", "576", 576);
    width("384", "384", 384);
    width("1, the narrowest", "1", 1);
    width("32767, the widest", "32767", 32767);
    width("0, the original size", "0", 0);
    width("leading zeros are still decimal", "0576", 576);
    width("surrounding spaces", "  832  ", 832);
    width("32768, one too wide", "32768", 0);
    width("-1", "-1", 0);
    width("-576", "-576", 0);
    width("+576, a sign", "+576", 0);
    width("2^32 + 1, which wraps to 1", "4294967297", 0);
    width("2^32 + 576, which wraps to 576", "4294967872", 0);
    width("2^32", "4294967296", 0);
    width("2^63 - 1", "9223372036854775807", 0);
    width("2^64 + 576, past 64 bits", "18446744073709552192", 0);
    width("thirty digits", "576000000000000000000000000576", 0);
    width("576.0, a fraction", "576.0", 0);
    width("5.76e2, an exponent", "5.76e2", 0);
    width("576e0", "576e0", 0);
    width("0x240, hexadecimal", "0x240", 0);
    width("0240 read as octal would be 160", "0240", 240);
    width("a list of two", "576, 384", 0);
    width("a list of one and nothing", "576,", 0);
    width("576 with letters after", "576dots", 0);
    width("a word", "wide", 0);
    width("Arabic-Indic digits", "\xd9\xa5\xd9\xa7\xd9\xa6", 0);
    width("full-width digits", "\xef\xbc\x95\xef\xbc\x97\xef\xbc\x96", 0);
    width("binary junk", QByteArray("\x01\x02\xfe\xff\x80", 5), 0);
    width("a NUL before the digits", QByteArray("\x00" "576", 4), 0);
    width("invalid UTF-8 among the digits", "5\xff" "76", 0);
    width("invalid UTF-8 after the digits", "576\xc3(", 0);
    width("empty", "", 0);
    width("quoted", "\"576\"", 576);
    width("@ByteArray(576)", "@ByteArray(576)", 0);
    width("@Size(576 384)", "@Size(576 384)", 0);
    width("@Variant of a double 576", "@Variant(\\0\\0\\0\\x6@\\x82\\0\\0\\0\\0\\0\\0)", 0);
    width("@Variant of a text cut short", "@Variant(\\0\\0\\0\\n\\xff\\xff\\xff\\xf0)", 0);
    width("@Variant, unclosed", "@Variant(\\0\\0", 0);
    // Qt's own encoding of a whole number is the number, held to the same range.
    width("@Variant of the int 576", "@Variant(\\0\\0\\0\\x2\\0\\0\\x2@)", 576);
    width("@Variant of the int 40000", "@Variant(\\0\\0\\0\\x2\\0\\0\\x9c@)", 0);
    QTest::newRow("printerWidth missing") << imageGroup("centreOnPaper=true\nhalftone=ordered")
                                          << ImageChoices{0, true, Halftone::Ordered};
    QTest::newRow("printerWidth outside the Image group")
        << QByteArray("[General]\nprinterWidth=576\n") + imageGroup("centreOnPaper=true")
        << ImageChoices{0, true, Halftone::None};

    // Centre on Paper: true and false as QSettings writes them, nothing else.
    const auto centre = [](const char *name, const QByteArray &value, bool expected) {
        QTest::addRow("centreOnPaper %s", name) << imageGroup("printerWidth=384\ncentreOnPaper=" + value + "\nhalftone=atkinson")
                                                << ImageChoices{384, expected, Halftone::Atkinson};
    };
    centre("true", "true", true);
    centre("false", "false", false);
    centre("true, spaces around", " true ", true);
    centre("maybe", "maybe", false);
    centre("no", "no", false);
    centre("yes", "yes", false);
    centre("1", "1", false);
    centre("0", "0", false);
    centre("2", "2", false);
    centre("TRUE", "TRUE", false);
    centre("True", "True", false);
    centre("on", "on", false);
    centre("empty", "", false);
    centre("true with more after it", "truer", false);
    centre("a list", "true, false", false);
    centre("@ByteArray(true)", "@ByteArray(true)", false);
    centre("binary junk", QByteArray("\x01\xfe\xff", 3), false);
    QTest::newRow("centreOnPaper missing") << imageGroup("printerWidth=384\nhalftone=atkinson")
                                           << ImageChoices{384, false, Halftone::Atkinson};

    // The halftone, by the names plovan-cli's --halftone takes.
    const auto halftone = [](const char *name, const QByteArray &value, Halftone expected) {
        QTest::addRow("halftone %s", name) << imageGroup("printerWidth=832\ncentreOnPaper=true\nhalftone=" + value)
                                           << ImageChoices{832, true, expected};
    };
    halftone("none", "none", Halftone::None);
    halftone("floyd-steinberg", "floyd-steinberg", Halftone::FloydSteinberg);
    halftone("atkinson", "atkinson", Halftone::Atkinson);
    halftone("ordered", "ordered", Halftone::Ordered);
    halftone("Ordered", "Ordered", Halftone::None);
    halftone("ATKINSON", "ATKINSON", Halftone::None);
    halftone("floyd steinberg", "floyd steinberg", Halftone::None);
    halftone("a misspelling", "orderd", Halftone::None);
    halftone("the enum's number", "3", Halftone::None);
    halftone("empty", "", Halftone::None);
    halftone("a list", "ordered, atkinson", Halftone::None);
    halftone("@ByteArray(ordered)", "@ByteArray(ordered)", Halftone::None);
    halftone("binary junk", QByteArray("\x01\xfe\xff", 3), Halftone::None);
    QTest::newRow("halftone missing") << imageGroup("printerWidth=832\ncentreOnPaper=true")
                                      << ImageChoices{832, true, Halftone::None};

    // Serpentine rows and trimming: flags like centring, each read on its own.
    const auto flags = [](const char *key, bool serpentine, const char *name, const QByteArray &value, bool expected) {
        const QByteArray other = serpentine ? "trimMargins=true" : "serpentine=true";
        QTest::addRow("%s %s", key, name) << imageGroup(QByteArray(key) + "=" + value + "\n" + other)
                                          << serpentineTrim(serpentine ? expected : true, serpentine ? true : expected);
    };
    for (const auto &[key, serpentine] : {std::pair{"serpentine", true}, std::pair{"trimMargins", false}}) {
        flags(key, serpentine, "true", "true", true);
        flags(key, serpentine, "false", "false", false);
        flags(key, serpentine, "true, spaces around", " true ", true);
        flags(key, serpentine, "yes", "yes", false);
        flags(key, serpentine, "1", "1", false);
        flags(key, serpentine, "TRUE", "TRUE", false);
        flags(key, serpentine, "on", "on", false);
        flags(key, serpentine, "empty", "", false);
        flags(key, serpentine, "true with more after it", "truer", false);
        flags(key, serpentine, "a list", "true, false", false);
        flags(key, serpentine, "@ByteArray(true)", "@ByteArray(true)", false);
        flags(key, serpentine, "@Variant of the bool true", "@Variant(\\0\\0\\0\\x1\\x1)", true);
        flags(key, serpentine, "binary junk", QByteArray("\x01\xfe\xff", 3), false);
    }
    QTest::newRow("serpentine missing") << imageGroup("trimMargins=true") << serpentineTrim(false, true);
    QTest::newRow("trimMargins missing") << imageGroup("serpentine=true") << serpentineTrim(true, false);
    QTest::newRow("serpentine kept without an error diffusion")
        << imageGroup("halftone=ordered\nserpentine=true") << ImageChoices{0, false, Halftone::Ordered, true};

    // The printer's dots: "square", or R with a point and two decimals, 1.00-1.41, as the
    // window writes it; the halftone beside it is read on its own.
    const auto dots = [](const char *name, const QByteArray &value, int expected) {
        QTest::addRow("dotGain %s", name) << imageGroup("dotGain=" + value + "\nhalftone=atkinson")
                                          << halftoneDots(Halftone::Atkinson, expected);
    };
    dots("square", "square", 0);
    dots("1.00, the smallest", "1.00", 100);
    dots("1.20", "1.20", 120);
    dots("1.37, between the menu's", "1.37", 137);
    dots("1.41, the largest", "1.41", 141);
    dots("spaces around", "  1.20  ", 120);
    dots("quoted", "\"1.30\"", 130);
    dots("1.42, one too large", "1.42", 0);
    dots("0.99, one too small", "0.99", 0);
    dots("2.00", "2.00", 0);
    dots("0.00", "0.00", 0);
    dots("1.2, one decimal", "1.2", 0);
    dots("1, no decimals", "1", 0);
    dots("1.200, three decimals", "1.200", 0);
    dots("1,20, a decimal comma", "\"1,20\"", 0);
    dots("+1.20, a sign", "+1.20", 0);
    dots("-1.20", "-1.20", 0);
    dots("120, the hundredths", "120", 0);
    dots(".20", ".20", 0);
    dots("1.2e0, an exponent", "1.2e0", 0);
    dots("Square", "Square", 0);
    dots("none", "none", 0);
    dots("empty", "", 0);
    dots("a list", "1.20, 1.30", 0);
    dots("Arabic-Indic digits", "\xd9\xa1.\xd9\xa2\xd9\xa0", 0);
    dots("@ByteArray(1.20)", "@ByteArray(1.20)", 0);
    dots("@Variant of a double 1.2", "@Variant(\\0\\0\\0\\x6?\\xf3\\x33\\x33\\x33\\x33\\x33\\x33)", 0);
    dots("@Variant of the int 120", "@Variant(\\0\\0\\0\\x2\\0\\0\\0x)", 0);
    dots("binary junk", QByteArray("\x01\xfe\xff", 3), 0);
    QTest::newRow("dotGain missing") << imageGroup("halftone=atkinson") << halftoneDots(Halftone::Atkinson, 0);

    // The picture's own choices are not read, whatever a file says of them.
    QTest::newRow("a turn, a mirror and a tone are never remembered")
        << imageGroup("printerWidth=384\nquarterTurns=1\norientation=1\nrotate=90\nmirror=true\nbrightness=40\n"
                      "contrast=-20\ngamma=2.5\ngammaHundredths=250\ntone=40")
        << ImageChoices{384};
    QTest::newRow("the picture's choices in a group of their own")
        << QByteArray("[Picture]\nquarterTurns=1\nmirror=true\nbrightness=40\n") + imageGroup("centreOnPaper=true")
        << ImageChoices{0, true};

    QTest::newRow("all three hostile") << imageGroup("printerWidth=4294967872\ncentreOnPaper=yes\nhalftone=@ByteArray(ordered)")
                                       << ImageChoices{};
    QTest::newRow("not a settings file at all") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << ImageChoices{};
}

void TestSettings::readFromTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(ImageChoices, expected);
    QVERIFY(writeSettingsFile(file));
    const ImageChoices read = ImageChoices::remembered();
    QVERIFY2(read == expected, qPrintable(QStringLiteral("%1, expected %2").arg(describe(read), describe(expected))));
}

void TestSettings::noFileIsTheDefaults()
{
    QVERIFY(!QFile::exists(settingsFile()));
    QVERIFY(ImageChoices::remembered() == ImageChoices());
}

void TestSettings::rememberedIsReadBack_data()
{
    QTest::addColumn<ImageChoices>("remembered");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("the defaults") << ImageChoices{}
        << imageGroup("centreOnPaper=false\ndotGain=square\nhalftone=none\nprinterWidth=0\nserpentine=false\ntrimMargins=false");
    QTest::newRow("576 dots, centred, Floyd–Steinberg") << ImageChoices{576, true, Halftone::FloydSteinberg}
        << imageGroup("centreOnPaper=true\ndotGain=square\nhalftone=floyd-steinberg\nprinterWidth=576\nserpentine=false\ntrimMargins=false");
    QTest::newRow("the widest, ordered") << ImageChoices{32767, false, Halftone::Ordered}
        << imageGroup("centreOnPaper=false\ndotGain=square\nhalftone=ordered\nprinterWidth=32767\nserpentine=false\ntrimMargins=false");
    QTest::newRow("1 dot, centred, Atkinson") << ImageChoices{1, true, Halftone::Atkinson}
        << imageGroup("centreOnPaper=true\ndotGain=square\nhalftone=atkinson\nprinterWidth=1\nserpentine=false\ntrimMargins=false");
    QTest::newRow("Atkinson in serpentine rows, trimmed") << ImageChoices{384, false, Halftone::Atkinson, true, true}
        << imageGroup("centreOnPaper=false\ndotGain=square\nhalftone=atkinson\nprinterWidth=384\nserpentine=true\ntrimMargins=true");
    QTest::newRow("dots of 1.00, Floyd–Steinberg")
        << ImageChoices{0, false, Halftone::FloydSteinberg, false, false, {}, {}, 100}
        << imageGroup("centreOnPaper=false\ndotGain=1.00\nhalftone=floyd-steinberg\nprinterWidth=0\nserpentine=false\n"
                      "trimMargins=false");
    QTest::newRow("dots of 1.41 at 576 dots, ordered")
        << ImageChoices{576, false, Halftone::Ordered, false, false, {}, {}, 141}
        << imageGroup("centreOnPaper=false\ndotGain=1.41\nhalftone=ordered\nprinterWidth=576\nserpentine=false\n"
                      "trimMargins=false");
    QTest::newRow("dots of 1.05, blue noise")
        << ImageChoices{0, false, Halftone::BlueNoise, false, false, {}, {}, 105}
        << imageGroup("centreOnPaper=false\ndotGain=1.05\nhalftone=blue-noise\nprinterWidth=0\nserpentine=false\n"
                      "trimMargins=false");
    // Left out of the file, and so the defaults in the next run.
    QTest::newRow("a turn, a mirror and a tone are not written")
        << ImageChoices{576, true, Halftone::FloydSteinberg, true, false, {3, true}, {-40, 25, 180}}
        << imageGroup("centreOnPaper=true\ndotGain=square\nhalftone=floyd-steinberg\nprinterWidth=576\nserpentine=true\ntrimMargins=false");
}

// What remember() writes is a file like the ones above, and it reads back as it was, the
// picture's own choices back at none: in this run, and in a later one that reads the file
// afresh.
void TestSettings::rememberedIsReadBack()
{
    QFETCH(ImageChoices, remembered);
    QFETCH(QByteArray, file);
    remembered.remember();
    ImageChoices choices = remembered;
    choices.orientation = {};
    choices.tone = {};
    QVERIFY2(ImageChoices::remembered() == choices, qPrintable(describe(ImageChoices::remembered())));
    QSettings().sync();
    QFile written(settingsFile());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), file);

    init(); // a new folder, as if another run: nothing of the first in memory
    QVERIFY(writeSettingsFile(file));
    const ImageChoices read = ImageChoices::remembered();
    QVERIFY2(read == choices, qPrintable(describe(read)));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
