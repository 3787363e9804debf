// File ▸ Open Recent: the list of the pictures loaded last (newest first, each once, at most
// eight), as the settings file keeps it between runs and as a hand-edited file may hold it;
// the submenu that shows it; and the window that fills it with every picture loaded, loads
// the one chosen and lets go of one that has gone away.

#include "tst_window_fixture.h"

#include "ui/RecentFiles.h"
#include "ui/RecentMenu.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

using namespace plovan;

namespace {

QStringList entryTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

// /pictures/1.png, /pictures/2.png, ...
QString numbered(int n)
{
    return QStringLiteral("/pictures/%1.png").arg(n);
}

} // namespace

class TestWindowRecent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void listChanges_data();
    void listChanges();
    void menuText_data();
    void menuText();
    void readFromTheFile_data();
    void readFromTheFile();
    void rememberedIsReadBack();

    void menuShowsTheList();
    void clearEmptiesTheListForTheNextRun();
    void loadingPutsThePictureFirst_data();
    void loadingPutsThePictureFirst();
    void choosingLoads_data();
    void choosingLoads();
    void aFileGoneAwayLeavesTheList();

private:
    QString settingsFile() const { return folder_->filePath(QStringLiteral("Plovan/Plovan.conf")); }
    QAction *action(const char *name) const { return bed_.menus().findChild<QAction *>(QLatin1String(name)); }
    RecentMenu *recentMenu() const { return bed_.menus().recentMenu(); }

    WindowTestBed bed_;
    // A settings folder of its own for each test and row: QSettings keeps what it has read
    // of a file while the file's size and time stay the same.
    std::unique_ptr<QTemporaryDir> folder_;
};

void TestWindowRecent::initTestCase()
{
    QVERIFY(bed_.ready());
    // The names ui/App.cpp gives the application, so the same file name.
    QCoreApplication::setOrganizationName(QStringLiteral("Plovan"));
    QCoreApplication::setApplicationName(QStringLiteral("Plovan"));
}

void TestWindowRecent::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_->path());
    QCOMPARE(QSettings().fileName(), settingsFile());
    // The menus outlive every test; each starts from an empty list.
    action("FileRecentClear")->trigger();
    QVERIFY(recentMenu()->recent().isEmpty());
}

void TestWindowRecent::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowRecent::listChanges_data()
{
    // "+PATH" adds, "-PATH" removes, "clear" clears.
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("expected");
    const QString a = QStringLiteral("/p/a.png"), b = QStringLiteral("/p/b.png"), c = QStringLiteral("/q/c.jpg");
    auto add = [](const QString &path) { return QLatin1Char('+') + path; };
    QStringList nine, eightThenThird;
    for (int n = 1; n <= 9; ++n)
        nine << add(numbered(n));
    eightThenThird = nine.mid(0, 8) << add(numbered(3));

    QTest::newRow("one") << QStringList{add(a)} << QStringList{a};
    QTest::newRow("newest first") << QStringList{add(a), add(b), add(c)} << QStringList{c, b, a};
    QTest::newRow("loaded again, it moves to the front")
        << QStringList{add(a), add(b), add(c), add(a)} << QStringList{a, c, b};
    QTest::newRow("the newest again: unchanged") << QStringList{add(a), add(b), add(b)} << QStringList{b, a};
    QTest::newRow("the same file spelt another way")
        << QStringList{add(a), add(QStringLiteral("/p/./x/../a.png")), add(QStringLiteral("//p//a.png"))} << QStringList{a};
    QTest::newRow("a relative path, from the working folder")
        << QStringList{add(QStringLiteral("logo.png"))} << QStringList{QDir::current().filePath(QStringLiteral("logo.png"))};
    QTest::newRow("the ninth pushes the first out")
        << nine << QStringList{numbered(9), numbered(8), numbered(7), numbered(6), numbered(5), numbered(4), numbered(3), numbered(2)};
    QTest::newRow("eight, then one of them again: none drops out")
        << eightThenThird << QStringList{numbered(3), numbered(8), numbered(7), numbered(6), numbered(5), numbered(4), numbered(2), numbered(1)};
    QTest::newRow("removed") << QStringList{add(a), add(b), add(c), QLatin1Char('-') + b} << QStringList{c, a};
    QTest::newRow("removing one not there changes nothing") << QStringList{add(a), QLatin1Char('-') + b} << QStringList{a};
    QTest::newRow("cleared") << QStringList{add(a), add(b), QStringLiteral("clear")} << QStringList{};
    QTest::newRow("cleared, then a new one") << QStringList{add(a), QStringLiteral("clear"), add(b)} << QStringList{b};
}

void TestWindowRecent::listChanges()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, expected);
    RecentFiles recent;
    for (const QString &change : changes) {
        if (change == QLatin1String("clear"))
            recent.clear();
        else if (change.startsWith(QLatin1Char('+')))
            recent.add(change.mid(1));
        else
            recent.remove(change.mid(1));
        QVERIFY(recent.files().size() <= RecentFiles::kMostFiles);
    }
    QCOMPARE(recent.files(), expected);
    QCOMPARE(recent.isEmpty(), expected.isEmpty());
}

void TestWindowRecent::menuText_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::newRow("the first") << 0 << QStringLiteral("/home/me/logo.png") << QStringLiteral("&1 logo.png");
    QTest::newRow("the eighth") << 7 << QStringLiteral("/x/y/z/shop sign.JPEG") << QStringLiteral("&8 shop sign.JPEG");
    QTest::newRow("an ampersand in the name stays text")
        << 2 << QStringLiteral("/p/Smith & Sons.png") << QStringLiteral("&3 Smith && Sons.png");
    QTest::newRow("non-ASCII") << 1 << QStringLiteral("/p/Bäckerei Müller.jpg") << QStringLiteral("&2 Bäckerei Müller.jpg");
}

void TestWindowRecent::menuText()
{
    QFETCH(int, index);
    QFETCH(QString, path);
    QFETCH(QString, text);
    QCOMPARE(RecentFiles::menuText(index, path), text);
}

void TestWindowRecent::readFromTheFile_data()
{
    QTest::addColumn<QByteArray>("lines"); // under [Recent]
    QTest::addColumn<QStringList>("expected");
    QByteArray ten;
    QStringList eight;
    for (int n = 1; n <= 10; ++n) {
        ten += (n > 1 ? ", " : "") + numbered(n).toUtf8();
        if (n <= 8)
            eight << numbered(n);
    }
    QTest::newRow("nothing remembered") << QByteArray() << QStringList{};
    QTest::newRow("one, as a list of one is written") << QByteArray("pictures=/p/a.png") << QStringList{"/p/a.png"};
    QTest::newRow("two") << QByteArray("pictures=/p/a.png, /q/b.jpg") << QStringList{"/p/a.png", "/q/b.jpg"};
    QTest::newRow("a comma inside quotes is the name's")
        << QByteArray("pictures=/p/a.png, \"/p/b, c.png\"") << QStringList{"/p/a.png", "/p/b, c.png"};
    QTest::newRow("ten: the first eight") << "pictures=" + ten << eight;
    QTest::newRow("a file twice: its first place")
        << QByteArray("pictures=/p/a.png, /p/b.png, /p/a.png") << QStringList{"/p/a.png", "/p/b.png"};
    QTest::newRow("a relative path is dropped") << QByteArray("pictures=a.png, /p/b.png") << QStringList{"/p/b.png"};
    QTest::newRow("a path with .. is dropped") << QByteArray("pictures=/p/../etc/b.png, /p/c.png") << QStringList{"/p/c.png"};
    QTest::newRow("an empty entry is dropped") << QByteArray("pictures=/p/a.png, , /p/b.png") << QStringList{"/p/a.png", "/p/b.png"};
    QTest::newRow("empty") << QByteArray("pictures=") << QStringList{};
    QTest::newRow("a number") << QByteArray("pictures=12") << QStringList{};
    QTest::newRow("@Invalid(), an empty list") << QByteArray("pictures=@Invalid()") << QStringList{};
    QTest::newRow("@ByteArray") << QByteArray("pictures=@ByteArray(/p/a.png)") << QStringList{};
    QTest::newRow("@Variant of the int 576") << QByteArray("pictures=@Variant(\\0\\0\\0\\x2\\0\\0\\x2@)") << QStringList{};
    QTest::newRow("@Size") << QByteArray("pictures=@Size(576 384)") << QStringList{};
    QTest::newRow("binary junk") << QByteArray("pictures=\x01\x02\xfe\xff", 13) << QStringList{};
    QTest::newRow("under another key") << QByteArray("files=/p/a.png") << QStringList{};
}

void TestWindowRecent::readFromTheFile()
{
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, expected);
    QVERIFY(QDir(folder_->path()).mkpath(QStringLiteral("Plovan")));
    QFile file(settingsFile());
    const QByteArray text = "[Recent]\n" + lines + "\n";
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    QCOMPARE(RecentFiles::remembered().files(), expected);
    // What the next run's menu starts with.
    RecentMenu menu;
    QCOMPARE(menu.recent().files(), expected);
}

void TestWindowRecent::rememberedIsReadBack()
{
    RecentFiles recent;
    for (const char *path : {"/p/one.png", "/p/Smith & Sons, Ltd.png", "/p/\"quoted\".jpg", "/p/Bäckerei.png", "/p/a=b;c.png"})
        recent.add(QString::fromUtf8(path));
    recent.remember();
    QCOMPARE(RecentFiles::remembered(), recent);
    QCOMPARE(recent.files().size(), 5);
}

void TestWindowRecent::menuShowsTheList()
{
    QMenu *menu = recentMenu()->menu();
    QCOMPARE(menu->objectName(), QStringLiteral("FileRecentMenu"));
    QCOMPARE(menu->menuAction()->objectName(), QStringLiteral("FileOpenRecent"));
    QCOMPARE(bed_.menus().fileMenu()->actions().indexOf(menu->menuAction()), 3);
    QCOMPARE(menu->title(), QStringLiteral("Open &Recent"));
    // Empty, it is dimmed.
    QCOMPARE(entryTexts(menu), QStringList({"-", "&Clear List"}));
    QVERIFY(!menu->menuAction()->isEnabled());
    QVERIFY(!action("FileRecentClear")->isEnabled());

    recentMenu()->add(QStringLiteral("/p/a.png"));
    recentMenu()->add(QStringLiteral("/q/b&c.jpg"));
    QCOMPARE(entryTexts(menu), QStringList({"&1 b&&c.jpg", "&2 a.png", "-", "&Clear List"}));
    QVERIFY(menu->menuAction()->isEnabled());
    QVERIFY(action("FileRecentClear")->isEnabled());
    QCOMPARE(action("FileRecent1")->toolTip(), QStringLiteral("/q/b&c.jpg"));
    QCOMPARE(action("FileRecent2")->toolTip(), QStringLiteral("/p/a.png"));
    QVERIFY(!action("FileRecent3"));
    // Remembered at once: the next run starts with it.
    QCOMPARE(RecentFiles::remembered(), recentMenu()->recent());

    for (int n = 1; n <= 9; ++n)
        recentMenu()->add(numbered(n));
    QCOMPARE(menu->actions().size(), 8 + 2);
    QCOMPARE(action("FileRecent8")->text(), QStringLiteral("&8 2.png"));
}

void TestWindowRecent::clearEmptiesTheListForTheNextRun()
{
    recentMenu()->add(QStringLiteral("/p/a.png"));
    QCOMPARE(RecentMenu().recent().files(), QStringList{"/p/a.png"});
    action("FileRecentClear")->trigger();
    QCOMPARE(entryTexts(recentMenu()->menu()), QStringList({"-", "&Clear List"}));
    QVERIFY(!recentMenu()->menu()->menuAction()->isEnabled());
    QVERIFY(RecentMenu().recent().isEmpty());
}

enum class LoadBy { LoadImage, Drop, LogoText, FailedLoad };

void TestWindowRecent::loadingPutsThePictureFirst_data()
{
    QTest::addColumn<LoadBy>("by");
    QTest::addColumn<bool>("added");
    QTest::newRow("Load Image") << LoadBy::LoadImage << true;
    QTest::newRow("a drop") << LoadBy::Drop << true;
    QTest::newRow("not a logo data text file") << LoadBy::LogoText << false;
    QTest::newRow("not a load that failed") << LoadBy::FailedLoad << false;
}

void TestWindowRecent::loadingPutsThePictureFirst()
{
    QFETCH(LoadBy, by);
    QFETCH(bool, added);
    const QString earlier = bed_.picture(QStringLiteral("earlier.png"), greyImage(5, 6, 0));
    ShownWindow window(bed_.menus());
    window.load(earlier);
    QString path;
    switch (by) {
    case LoadBy::LoadImage:
        path = bed_.picture(QStringLiteral("loaded.png"), greyImage(7, 8, 0));
        window.load(path);
        break;
    case LoadBy::Drop: {
        path = bed_.picture(QStringLiteral("dropped.png"), greyImage(7, 8, 0));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::sendPostedEvents();
        break;
    }
    case LoadBy::LogoText: {
        path = bed_.path(QStringLiteral("logo.txt"));
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write(QStringLiteral("OBM¶BMD¶00¶CBM¶").toUtf8()) > 0);
        text.close();
        window->setLogoTextChooser([&](Window1::LogoTextDialog) { return std::optional<QString>(path); });
        action("FileOpenLogoText")->trigger();
        break;
    }
    case LoadBy::FailedLoad:
        path = bed_.path(QStringLiteral("nothing here.png"));
        window.load(path);
        // The message box is modal: it has come and gone by now.
        QCOMPARE(bed_.takeMessages().size(), 1);
        break;
    }
    QCOMPARE(window.text("dimensions_label"), by == LoadBy::FailedLoad ? QStringLiteral("5x6")
                                              : by == LoadBy::LogoText ? QStringLiteral("1x8")
                                                                       : QStringLiteral("7x8"));
    QCOMPARE(recentMenu()->recent().files(), added ? QStringList({path, earlier}) : QStringList({earlier}));
}

enum class Choose { Trigger, Keys };

void TestWindowRecent::choosingLoads_data()
{
    QTest::addColumn<Choose>("choose");
    QTest::newRow("the entry triggered") << Choose::Trigger;
    QTest::newRow("Alt+F, R, 2 from the keyboard") << Choose::Keys;
}

void TestWindowRecent::choosingLoads()
{
    QFETCH(Choose, choose);
    const QString first = bed_.picture(QStringLiteral("first.png"), greyImage(9, 4, 0));
    const QString second = bed_.picture(QStringLiteral("second.png"), greyImage(3, 11, 255));
    ShownWindow window(bed_.menus());
    window.load(first);
    window.load(second);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("3x11"));
    int dialogs = 0;
    window->setFileChooser([&](const FileTypeSet &) {
        ++dialogs;
        return std::optional<QString>();
    });

    if (choose == Choose::Trigger) {
        action("FileRecent2")->trigger();
    } else {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (const QKeyCombination key : {QKeyCombination(Qt::AltModifier, Qt::Key_F), QKeyCombination(Qt::Key_R),
                                          QKeyCombination(Qt::Key_2)}) {
            QWidget *popup = QApplication::activePopupWidget();
            QTest::keyClick(popup ? popup : QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    // Loaded as Load Image loads, without a dialog, and first in the list now.
    QCOMPARE(dialogs, 0);
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("9x4"));
    QCOMPARE(window->state().pix->Width(), 9);
    QCOMPARE(recentMenu()->recent().files(), QStringList({first, second}));
    QCOMPARE(action("FileRecent1")->text(), QStringLiteral("&1 first.png"));
}

void TestWindowRecent::aFileGoneAwayLeavesTheList()
{
    const QString gone = bed_.picture(QStringLiteral("gone.png"), greyImage(9, 4, 0));
    const QString kept = bed_.picture(QStringLiteral("kept.png"), greyImage(3, 11, 0));
    const QString folder = bed_.picture(QStringLiteral("folder.png"), greyImage(2, 2, 0));
    const QString broken = bed_.picture(QStringLiteral("broken.png"), greyImage(2, 2, 0));
    ShownWindow window(bed_.menus());
    window.load(gone);
    window.load(folder);
    window.load(kept);
    QVERIFY(QFile::remove(gone));
    QVERIFY(QFile::remove(folder) && QDir().mkdir(folder));

    // A file still there that no longer loads stays: it may be being written.
    window.load(broken);
    QFile damage(broken);
    QVERIFY(damage.open(QIODevice::WriteOnly | QIODevice::Truncate) && damage.write("not a picture") > 0);
    damage.close();
    action("FileRecent1")->trigger();
    QCOMPARE(bed_.takeMessages(), QStringList{QStringLiteral("Cannot load '%1': not a PNG or JPEG picture").arg(broken)});
    QCOMPARE(recentMenu()->recent().files(), QStringList({broken, kept, folder, gone}));
    recentMenu()->remove(broken);

    action("FileRecent3")->trigger();
    QCOMPARE(bed_.takeMessages(), QStringList{QStringLiteral("Cannot load '%1': there is no such file").arg(gone)});
    QCOMPARE(recentMenu()->recent().files(), QStringList({kept, folder}));
    action("FileRecent2")->trigger();
    QCOMPARE(bed_.takeMessages(),
                 QStringList{QStringLiteral("Cannot load '%1': it is a folder, not a picture file").arg(folder)});
    QCOMPARE(recentMenu()->recent().files(), QStringList({kept}));
    // Nothing else changed: the picture shown is still the last one loaded (broken.png, as it
    // was), and the next run starts without the two.
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("2x2"));
    QCOMPARE(RecentFiles::remembered().files(), QStringList({kept}));
}

QTEST_MAIN(TestWindowRecent)
#include "tst_window_recent.moc"
