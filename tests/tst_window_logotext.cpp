// Logo data text files in the window: File > Open Logo Data Text reads a text back into the
// window, File > Save Logo Data Text As writes the text area out exactly, and the File menu
// from the keyboard leaves the focus in the text area.

#include "tst_window_fixture.h"

#include "PictureMaker.h"
#include "UnwrittenPipe.h"
#include "support/CreatedText.h"
#include "support/FixtureFiles.h"
#include "support/FullDisk.h"
#include "support/FileSystemNodes.h"
#include "support/WindowRecorder.h"
#include "conversion/LogoText.h"
#include "import/LogoTextFile.h"
#include "ui/Canvas.h"
#include "ui/LogoTextEdit.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSlider>

#include <memory>

using namespace plovan;
using testsupport::fileBytes;
using plovan::testsupport::logoTextOf;

namespace {

// Random black and white, as redraw leaves a working picture.
PictureRef randomWorkingPicture(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    return testpictures::filled(width, height, [&](int, int) { return random.bounded(2) ? kBlack : kWhite; });
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Everything of the window that a refused open must leave alone: the state, what the
// canvases hold, the labels and the text.
testsupport::WindowSnapshot snapshot(const ShownWindow &window)
{
    testsupport::WindowSnapshot shot;
    const ConversionState &state = window->state();
    shot.pix = state.pix.get();
    shot.destPix = state.destPix.get();
    if (state.pix)
        shot.pixDigest = testsupport::pictureDigest(*state.pix);
    if (state.destPix)
        shot.destPixDigest = testsupport::pictureDigest(*state.destPix);
    shot.threshold = state.threshold;
    shot.reverse = state.reverse;
    shot.sourceBackdrop = window.control<Canvas>("Canvas1")->backdrop().get();
    shot.processedBackdrop = window.control<Canvas>("Canvas2")->backdrop().get();
    shot.dimensionsText = window.text("dimensions_label");
    shot.progressText = window.text("progress_label");
    shot.text = window.control<LogoTextEdit>("TextArea1")->content();
    return shot;
}

// Whether two pictures hold the same pixels, compared one by one.
bool samePixels(const Picture &a, const Picture &b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    const ConstRGBSurface sa = a.rgbSurface();
    const ConstRGBSurface sb = b.rgbSurface();
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((sa.Pixel(x, y) & 0xFFFFFF) != (sb.Pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

// Rows past a picture's last whole band, white, as the printer and the text have them.
PictureRef paddedToBands(const PictureRef &picture)
{
    const int height = (picture->Height() + 7) / 8 * 8;
    const ConstRGBSurface source = picture->rgbSurface();
    return testpictures::filled(picture->Width(), height, [&](int x, int y) {
        return y < picture->Height() ? source.Pixel(x, y) : kWhite;
    });
}

} // namespace

class TestWindowLogoText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void openValid_data();
    void openValid();
    void openedTextCreatesItselfAtEveryThreshold();
    void openInvalidChangesNothing_data();
    void openInvalidChangesNothing();
    void cancelledOpenChangesNothing();
    void save_data();
    void save();
    void saveFailureNamesTheFile_data();
    void saveFailureNamesTheFile();
    void fileMenuFromTheKeyboard_data();
    void fileMenuFromTheKeyboard();

private:
    WindowTestBed bed_;
};

void TestWindowLogoText::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowLogoText::openValid_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("threshold"); // the slider's setting when the text is opened
    QTest::addColumn<bool>("reverse");
    QTest::newRow("one dot") << 1 << 1 << 100 << false;
    QTest::newRow("whole bands, threshold 1") << 16 << 24 << 1 << false;
    QTest::newRow("a last band cut short reads back as a whole band") << 37 << 13 << 255 << false;
    QTest::newRow("reverse on: redraw runs at the current settings") << 20 << 9 << 128 << true;
    QTest::newRow("threshold 0: redraw turns the picture white") << 12 << 8 << 0 << false;
}

// The text goes into the text area exactly, its picture becomes the loaded one with a
// working picture of its size, and redraw runs at whatever the window is set to.
void TestWindowLogoText::openValid()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, threshold);
    QFETCH(bool, reverse);
    const PictureRef drawn = randomWorkingPicture(width, height, quint32(width * 1000 + height));
    const QString text = logoTextOf(drawn);
    const QString path = bed_.path(QStringLiteral("open-%1x%2.txt").arg(width).arg(height));
    writeBytes(path, text.toUtf8());

    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("before.png"), greyImage(50, 40, 90)));
    window.control<QSlider>("Slider1")->setValue(threshold);
    if (reverse)
        window.click("CheckBox1");
    QList<Window1::LogoTextDialog> asked;
    window->setLogoTextChooser([&](Window1::LogoTextDialog dialog) {
        asked << dialog;
        return std::optional<QString>(path);
    });

    window->FileOpenLogoText_Action();

    QCOMPARE(asked, QList<Window1::LogoTextDialog>({Window1::LogoTextDialog::Open}));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), text);
    const ConversionState &state = window->state();
    QVERIFY(state.hasPictures());
    const int bandsHeight = (height + 7) / 8 * 8;
    QVERIFY(samePixels(*state.pix, *paddedToBands(drawn)));
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("%1x%2").arg(width).arg(bandsHeight));
    QCOMPARE(window.control<Canvas>("Canvas1")->backdrop(), state.pix);
    QCOMPARE(window.control<Canvas>("Canvas2")->backdrop(), state.destPix);
    QCOMPARE(state.threshold, threshold);
    QCOMPARE(state.reverse, reverse);
    // redraw ran: its last progress text is the height, and the working picture is the
    // threshold rule applied to the opened picture, pixel by pixel.
    QCOMPARE(window.text("progress_label"), QString::number(bandsHeight));
    const ConstRGBSurface source = state.pix->rgbSurface();
    const PictureRef expected = testpictures::filled(width, bandsHeight, [&](int x, int y) {
        const int mean = (source.Pixel(x, y) & 0xFFFFFF) == 0 ? 0 : 255;
        const bool black = reverse ? mean > threshold : mean < threshold;
        return black ? kBlack : kWhite;
    });
    QVERIFY(samePixels(*state.destPix, *expected));
    QCOMPARE(window->focusWidget(), window.control("TextArea1"));
}

// With Original Size, no halftone and Reverse off, Create gives back the opened text at
// every threshold that leaves black black and white white.
void TestWindowLogoText::openedTextCreatesItselfAtEveryThreshold()
{
    const QString text = logoTextOf(randomWorkingPicture(23, 19, 7));
    const QString path = bed_.path(QStringLiteral("thresholds.txt"));
    writeBytes(path, text.toUtf8());
    ShownWindow window(bed_.menus());
    window->setLogoTextChooser([&](Window1::LogoTextDialog) { return std::optional<QString>(path); });
    window->FileOpenLogoText_Action();
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), text);

    auto *slider = window.control<QSlider>("Slider1");
    for (int threshold = 1; threshold <= 255; ++threshold) {
        slider->setValue(threshold);
        window.click("PushButton3");
        QVERIFY2(window.control<LogoTextEdit>("TextArea1")->content() == text,
                 qPrintable(QStringLiteral("threshold %1").arg(threshold)));
    }
}

// How a file for opening is made.
enum class FileKind { Bytes, Missing, Folder, Longest, LongerStill, NamedPipe, EndlessDevice };

void TestWindowLogoText::openInvalidChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the file, when it is made of bytes
    QTest::addColumn<FileKind>("kind");
    QTest::addColumn<QString>("expected"); // the message after the file's name
    const QByteArray good = QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶").toUtf8();
    auto row = [](const char *name, const QByteArray &bytes, const char *expected) {
        QTest::newRow(name) << bytes << FileKind::Bytes << QString::fromUtf8(expected);
    };
    row("a lowercase digit", QStringLiteral("OBM¶BMD¶FF00¶BMD¶c040¶CBM¶").toUtf8(),
        "' is not logo data text: line 5, column 1: 'c' is a lowercase hexadecimal digit");
    row("line breaks an editor added", QByteArray(good).replace("\xC2\xB6", "\xC2\xB6\r\n"),
        "' is not logo data text: line 2, column 1: a carriage return");
    row("a byte order mark", "\xEF\xBB\xBF" + good,
        "' is not logo data text: line 1, column 1: a byte order mark");
    row("Latin-1 instead of UTF-8", QByteArray(good).replace("\xC2\xB6", "\xB6"),
        "' is not logo data text: line 1, column 4: the byte B6 is not UTF-8");
    row("bands of different widths", QStringLiteral("OBM¶BMD¶FF00¶BMD¶C0¶CBM¶").toUtf8(),
        "' is not logo data text: line 5, column 1: the band has 2 digits but the first band has 4");
    row("no closing line", QStringLiteral("OBM¶BMD¶FF00¶").toUtf8(),
        "' is not logo data text: line 4, column 1: no closing line");
    row("an empty file", QByteArray(), "' is not logo data text: line 1, column 1: the text is empty");
    QTest::newRow("no such file") << QByteArray() << FileKind::Missing << QStringLiteral("': No such file or directory");
    QTest::newRow("a folder") << QByteArray() << FileKind::Folder << QStringLiteral("': file to open is a directory");
    QTest::newRow("as long as the longest logo data text: read and checked")
        << QByteArray() << FileKind::Longest << QStringLiteral("' is not logo data text: line 1, column 1: ");
    QTest::newRow("one byte longer: refused unread")
        << QByteArray() << FileKind::LongerStill << QStringLiteral("': the file is larger than any logo data text");
    const QString notRegular = QStringLiteral("': it is not a regular file but a named pipe, a device or a socket");
    QTest::newRow("a named pipe nothing writes to: refused unopened") << QByteArray() << FileKind::NamedPipe << notRegular;
    QTest::newRow("a device without end, as the zero device: refused unread")
        << QByteArray() << FileKind::EndlessDevice << notRegular;
}

// A text that is not logo data text, or a file that cannot be read: one message naming the
// file, the line, the column and the reason, and nothing of the window changes.
void TestWindowLogoText::openInvalidChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(FileKind, kind);
    QFETCH(QString, expected);
    const QString path = bed_.path(QStringLiteral("invalid-%1.txt").arg(QTest::currentDataTag()));
    if (kind == FileKind::Bytes)
        writeBytes(path, bytes);
    if (kind == FileKind::Longest || kind == FileKind::LongerStill) {
        // Zeros, kept sparse by the file system: "OBM¶", 4096 bands of 32767 columns, "CBM¶".
        const qint64 longest = 5 + 4096 * (5 + 2 * 32767 + 2) + 5;
        QCOMPARE(longestLogoTextBytes(), longest);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(kind == FileKind::Longest ? longest : longest + 1));
    }
    if (kind == FileKind::Folder)
        QVERIFY(QDir().mkpath(path));
    if (kind == FileKind::NamedPipe || kind == FileKind::EndlessDevice)
        PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    std::unique_ptr<UnwrittenPipe> pipe;
    if (kind == FileKind::NamedPipe) {
        pipe = std::make_unique<UnwrittenPipe>(path);
        QVERIFY(pipe->made());
    }
    if (kind == FileKind::EndlessDevice && !testsupport::makeCharacterDevice(path, 1, 5))
        QSKIP("making a device node takes root");

    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("kept.png"), greyImage(30, 20, 90)));
    window.control<QSlider>("Slider1")->setValue(120);
    window.click("PushButton3");
    window.control<LogoTextEdit>("TextArea1")->appendContent(u"typed by the user");
    const testsupport::WindowSnapshot before = snapshot(window);

    window->setLogoTextChooser([&](Window1::LogoTextDialog) { return std::optional<QString>(path); });
    window->FileOpenLogoText_Action();

    const QStringList messages = bed_.takeMessages();
    if (pipe)
        QCOMPARE(pipe->released(), 0); // nothing waited for a writer
    QCOMPARE(messages.size(), 1);
    const bool unread = kind != FileKind::Bytes && kind != FileKind::Longest;
    const QString prefix = unread ? QStringLiteral("Cannot open '") : QStringLiteral("'");
    QVERIFY2(messages.first().startsWith(prefix + QDir::toNativeSeparators(path) + expected), qPrintable(messages.first()));
    const QString changed = snapshot(window).differencesFrom(before);
    QVERIFY2(changed.isEmpty(), qPrintable(changed));
}

void TestWindowLogoText::cancelledOpenChangesNothing()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("kept.png"), greyImage(30, 20, 90)));
    const testsupport::WindowSnapshot before = snapshot(window);
    window->setLogoTextChooser([](Window1::LogoTextDialog) { return std::optional<QString>(); });
    window->FileOpenLogoText_Action();
    const QString changed = snapshot(window).differencesFrom(before);
    QVERIFY2(changed.isEmpty(), qPrintable(changed));
}

enum class Answer { NotAsked, No, Yes };

void TestWindowLogoText::save_data()
{
    QTest::addColumn<QString>("text"); // what the text area holds
    QTest::addColumn<Answer>("answer"); // to the question whether to save it anyway
    QTest::addColumn<QString>("question"); // the start of the question, when it is asked
    const QString created = logoTextOf(randomWorkingPicture(9, 11, 3));
    QTest::newRow("the text Create made: saved without a question") << created << Answer::NotAsked << QString();
    QTest::newRow("an edited text, the user says no: nothing written")
        << QString(created).replace(4, 3, QStringLiteral("BMX")) << Answer::No
        << QStringLiteral("The text is not logo data text: line 2, column 1: a band header");
    QTest::newRow("an edited text, the user says yes: written as it is")
        << QString(created).replace(4, 3, QStringLiteral("BMX")) << Answer::Yes
        << QStringLiteral("The text is not logo data text: line 2, column 1: a band header");
    QTest::newRow("a typed line break is saved as one line feed, nothing added")
        << created + QLatin1Char('\n') << Answer::Yes
        << QStringLiteral("The text is not logo data text: line %1, column 1: text after the closing line")
               .arg(created.count(logotext::kLineMark) + 1);
    QTest::newRow("an empty text area") << QString() << Answer::Yes
                                        << QStringLiteral("The text is not logo data text: line 1, column 1: the text is empty");
}

// The text area's content goes out as its UTF-8 bytes and nothing else: no byte order mark,
// no line break at the end. A text that is not logo data text is saved only when the user
// says so, after being told where and why.
void TestWindowLogoText::save()
{
    QFETCH(QString, text);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    const QString path = bed_.path(QStringLiteral("saved-%1.txt").arg(QTest::currentDataTag()));
    QFile::remove(path);

    ShownWindow window(bed_.menus());
    window.control<LogoTextEdit>("TextArea1")->setContent(text);
    QStringList questions;
    window->setSaveAnywayQuestion([&](const QString &asked) {
        questions << asked;
        return answer == Answer::Yes;
    });
    QList<Window1::LogoTextDialog> asked;
    window->setLogoTextChooser([&](Window1::LogoTextDialog dialog) {
        asked << dialog;
        return std::optional<QString>(path);
    });

    window->FileSaveLogoText_Action();

    QCOMPARE(questions.size(), answer == Answer::NotAsked ? 0 : 1);
    if (!questions.isEmpty())
        QVERIFY2(questions.first().startsWith(question), qPrintable(questions.first()));
    if (answer == Answer::No) {
        QVERIFY(asked.isEmpty());
        QVERIFY(!QFile::exists(path));
        return;
    }
    QCOMPARE(asked, QList<Window1::LogoTextDialog>({Window1::LogoTextDialog::Save}));
    QCOMPARE(fileBytes(path), text.toUtf8());
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), text);
}

enum class SaveTarget { MissingFolder, FullDisk, UnreadPipe };
Q_DECLARE_METATYPE(SaveTarget)

void TestWindowLogoText::saveFailureNamesTheFile_data()
{
    QTest::addColumn<SaveTarget>("target");
    QTest::addColumn<QString>("reason"); // empty: any the system gives
    QTest::newRow("a folder that is not there") << SaveTarget::MissingFolder << QString();
    QTest::newRow("a full disk keeps the old file") << SaveTarget::FullDisk << QStringLiteral("No space left on device");
    QTest::newRow("a named pipe nothing reads, at once") << SaveTarget::UnreadPipe
                                                         << QStringLiteral("No such device or address");
}

// One message naming the file and the system's reason; the text area keeps its text, and
// what was there before stays as it was.
void TestWindowLogoText::saveFailureNamesTheFile()
{
    QFETCH(SaveTarget, target);
    QFETCH(QString, reason);
    testsupport::FullDisk disk;
    QString path = bed_.path(QStringLiteral("no such folder/logo.txt"));
    if (target == SaveTarget::FullDisk) {
        PLOVAN_REQUIRE_FULL_DISK(disk);
        path = disk.path(QStringLiteral("logo.txt"));
        testsupport::writeFile(path, "the old text");
        QVERIFY(disk.fill());
    } else if (target == SaveTarget::UnreadPipe) {
        PLOVAN_NEEDS_FILE_SYSTEM_NODES();
        path = bed_.path(QStringLiteral("unread.pipe"));
        QFile::remove(path);
        QVERIFY(testsupport::makeNamedPipe(path));
    }
    const QString text = QStringLiteral("OBM¶BMD¶FF¶CBM¶");
    ShownWindow window(bed_.menus());
    window.control<LogoTextEdit>("TextArea1")->setContent(text);
    window->setLogoTextChooser([&](Window1::LogoTextDialog) { return std::optional<QString>(path); });
    window->FileSaveLogoText_Action();
    const QStringList messages = bed_.takeMessages();
    QCOMPARE(messages.size(), 1);
    const QString start = QStringLiteral("Cannot save '%1': ").arg(QDir::toNativeSeparators(path));
    if (reason.isEmpty()) {
        QVERIFY2(messages.first().startsWith(start), qPrintable(messages.first()));
        QVERIFY(messages.first().size() > start.size());
    } else {
        QCOMPARE(messages.first(), start + reason);
    }
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), text);
    switch (target) {
    case SaveTarget::MissingFolder:
        QVERIFY(!QFile::exists(path));
        break;
    case SaveTarget::FullDisk:
        QCOMPARE(fileBytes(path), QByteArray("the old text"));
        break;
    case SaveTarget::UnreadPipe:
        QVERIFY(!QFileInfo(path).isFile());
        break;
    }
}

enum class MenuItem { LoadImage, OpenLogoText, SaveLogoText };

void TestWindowLogoText::fileMenuFromTheKeyboard_data()
{
    QTest::addColumn<QList<QKeyCombination>>("keys"); // as typed, each to the focused control or open menu
    QTest::addColumn<MenuItem>("item");
    const QKeyCombination altF(Qt::AltModifier, Qt::Key_F);
    QTest::newRow("Alt+F, L: Load Image") << QList<QKeyCombination>{altF, Qt::Key_L} << MenuItem::LoadImage;
    QTest::newRow("Ctrl+O: Load Image") << QList<QKeyCombination>{QKeyCombination(Qt::ControlModifier, Qt::Key_O)}
                                        << MenuItem::LoadImage;
    QTest::newRow("Alt+F, O: Open Logo Data Text") << QList<QKeyCombination>{altF, Qt::Key_O} << MenuItem::OpenLogoText;
    QTest::newRow("Alt+F, S: Save Logo Data Text As") << QList<QKeyCombination>{altF, Qt::Key_S} << MenuItem::SaveLogoText;
    QTest::newRow("Ctrl+S: Save Logo Data Text As")
        << QList<QKeyCombination>{QKeyCombination(Qt::ControlModifier, Qt::Key_S)} << MenuItem::SaveLogoText;
}

// Typed as a user does, each item does its work and leaves the focus in the text area, where
// Select All and Copy find the text.
void TestWindowLogoText::fileMenuFromTheKeyboard()
{
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(MenuItem, item);
    const QString text = logoTextOf(randomWorkingPicture(14, 10, 5));
    const QString textFile = bed_.path(QStringLiteral("keyboard-open.txt"));
    writeBytes(textFile, text.toUtf8());
    const QString savedFile = bed_.path(QStringLiteral("keyboard-saved-%1.txt").arg(QTest::currentDataTag()));
    QFile::remove(savedFile);
    const QString pictureFile = bed_.picture(QStringLiteral("keyboard.png"), greyImage(33, 17, 20));

    ShownWindow window(bed_.menus());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *area = window.control<LogoTextEdit>("TextArea1");
    area->setContent(u"OBM¶BMD¶00¶CBM¶");
    QTRY_COMPARE(QApplication::focusWidget(), area);
    int pictureDialogs = 0;
    window->setFileChooser([&](const FileTypeSet &) {
        ++pictureDialogs;
        return std::optional<QString>(pictureFile);
    });
    QList<Window1::LogoTextDialog> textDialogs;
    window->setLogoTextChooser([&](Window1::LogoTextDialog dialog) {
        textDialogs << dialog;
        return std::optional<QString>(dialog == Window1::LogoTextDialog::Open ? textFile : savedFile);
    });

    for (const QKeyCombination key : keys) {
        QWidget *popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        if (key == QKeyCombination(Qt::AltModifier, Qt::Key_F))
            QTRY_COMPARE(QApplication::activePopupWidget(), bed_.menus().fileMenu());
    }
    QTRY_VERIFY(!QApplication::activePopupWidget());

    switch (item) {
    case MenuItem::LoadImage:
        QCOMPARE(pictureDialogs, 1);
        QVERIFY(textDialogs.isEmpty());
        QCOMPARE(window.text("dimensions_label"), QStringLiteral("33x17"));
        break;
    case MenuItem::OpenLogoText:
        QCOMPARE(textDialogs, QList<Window1::LogoTextDialog>({Window1::LogoTextDialog::Open}));
        QCOMPARE(area->content(), text);
        QCOMPARE(window.text("dimensions_label"), QStringLiteral("14x16"));
        break;
    case MenuItem::SaveLogoText:
        QCOMPARE(textDialogs, QList<Window1::LogoTextDialog>({Window1::LogoTextDialog::Save}));
        QCOMPARE(fileBytes(savedFile), QStringLiteral("OBM¶BMD¶00¶CBM¶").toUtf8());
        break;
    }
    QTRY_COMPARE(QApplication::focusWidget(), area);
}

QTEST_MAIN(TestWindowLogoText)
#include "tst_window_logotext.moc"
