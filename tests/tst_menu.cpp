#include "tst_window_fixture.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "Version.h"
#include "ui/LogoTextEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMap>
#include <QMenuBar>
#include <QTimer>
#include <functional>

using namespace plovan;

namespace {

const QString kLogo = QStringLiteral("OBM¶BMD¶FF00¶BMD¶C040¶CBM¶");

const QStringList kEditCommands = {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"};

QStringList enabledEditCommands(const MainMenuBar &menus)
{
    QStringList enabled;
    for (const QString &name : kEditCommands)
        if (menus.findChild<QAction *>(name)->isEnabled())
            enabled << name;
    return enabled;
}

// Selects the document positions [from, to) of the text area.
void select(LogoTextEdit *area, int from, int to)
{
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    area->setTextCursor(cursor);
}

} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void menus();
    void entries_data();
    void entries();
    void noKeyTakesTwoEntries();
    void enabling_data();
    void enabling();
    void commands_data();
    void commands();
    void selectAllAndCopyAfterCreate();
    void copyShortcutGivesTheSameText();
    void editMenuFromTheKeyboard_data();
    void editMenuFromTheKeyboard();
    void selectAllAndCopyFromTheKeyboardAfterCreate();
    void quit_data();
    void quit();
    void helpMenuFromTheKeyboard_data();
    void helpMenuFromTheKeyboard();

private:
    // The window under test with the focus in its text area, holding `text`.
    LogoTextEdit *focusedTextArea(ShownWindow &window, const QString &text);

    MainMenuBar *menus_ = nullptr;
    QTemporaryDir dir_;
    QTemporaryDir settingsDir_;
    MessageBoxWatch messages_;
};

void TestMenu::initTestCase()
{
    QVERIFY(dir_.isValid() && settingsDir_.isValid());
    privateSettings(settingsDir_.path());
    quietOffscreenSizeLimits();
    menus_ = new MainMenuBar;
}

void TestMenu::cleanupTestCase()
{
    delete menus_;
}

void TestMenu::cleanup()
{
    QGuiApplication::clipboard()->clear();
    const QStringList unexpected = messages_.take();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

LogoTextEdit *TestMenu::focusedTextArea(ShownWindow &window, const QString &text)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    auto *area = window.control<LogoTextEdit>("TextArea1");
    area->setContent(text);
    area->setFocus(Qt::MouseFocusReason);
    return QApplication::focusWidget() == area ? area : nullptr;
}

void TestMenu::menus()
{
    ShownWindow window(*menus_);
    QStringList titles, names;
    for (QAction *action : window->menuBar()->actions()) {
        titles << action->text();
        names << action->menu()->objectName();
        QVERIFY(action->isVisible() && action->isEnabled());
    }
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Image", "&Help"}));
    QCOMPARE(names, QStringList({"FileMenu", "EditMenu", "ImageMenu", "HelpMenu"}));
    QCOMPARE(menus_->fileMenu()->actions().size(), 6);
    QCOMPARE(menus_->editMenu()->actions().size(), 8);
    QCOMPARE(menus_->imageMenu()->actions().size(), 15);
    QCOMPARE(menus_->helpMenu()->actions().size(), 2);

    // A second window (as after the first is gone) shows the same menus.
    ShownWindow second(*menus_);
    QCOMPARE(second->menuBar()->actions().size(), 4);
    QCOMPARE(second->menuBar()->actions().at(1)->menu(), menus_->editMenu());
}

void TestMenu::entries_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text"); // "-": a separator
    QTest::addColumn<QList<QKeySequence>>("shortcuts");
    // A QKeySequence::StandardKey, UnknownKey for none.
    auto row = [](const char *name, const char *menu, int index, const char *text, QKeySequence::StandardKey key) {
        QList<QKeySequence> shortcuts = QKeySequence::keyBindings(key);
        if (key == QKeySequence::Quit && shortcuts.isEmpty()) // a platform without a standard Quit key
            shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
        QTest::newRow(name) << QString::fromLatin1(menu) << index << QString::fromUtf8(text) << shortcuts;
    };
    // A key of the menu's own, the same on every platform.
    auto ownKey = [](const char *name, const char *menu, int index, const char *text, const QKeySequence &key) {
        QTest::newRow(name) << QString::fromLatin1(menu) << index << QString::fromUtf8(text) << QList<QKeySequence>{key};
    };
    row("FileLoadImage", "FileMenu", 0, "&Load Image…", QKeySequence::Open);
    row("FileOpenLogoText", "FileMenu", 1, "&Open Logo Data Text…", QKeySequence::UnknownKey);
    row("FileSaveLogoText", "FileMenu", 2, "&Save Logo Data Text As…", QKeySequence::Save);
    row("FileOpenRecent", "FileMenu", 3, "Open &Recent", QKeySequence::UnknownKey);
    row("FileSeparator1", "FileMenu", 4, "-", QKeySequence::UnknownKey);
    row("FileQuit", "FileMenu", 5, "&Quit", QKeySequence::Quit);
    row("EditUndo", "EditMenu", 0, "&Undo", QKeySequence::Undo);
    row("EditSeparator1", "EditMenu", 1, "-", QKeySequence::UnknownKey);
    row("EditCut", "EditMenu", 2, "Cu&t", QKeySequence::Cut);
    row("EditCopy", "EditMenu", 3, "&Copy", QKeySequence::Copy);
    row("EditPaste", "EditMenu", 4, "&Paste", QKeySequence::Paste);
    row("EditClear", "EditMenu", 5, "&Delete", QKeySequence::UnknownKey);
    row("EditSeparator2", "EditMenu", 6, "-", QKeySequence::UnknownKey);
    row("EditSelectAll", "EditMenu", 7, "Select &All", QKeySequence::SelectAll);
    row("ImagePrinterWidth", "ImageMenu", 0, "Printer &Width", QKeySequence::UnknownKey);
    row("ImageCentre", "ImageMenu", 1, "&Centre on Paper", QKeySequence::UnknownKey);
    row("ImageHalftone", "ImageMenu", 2, "&Halftone", QKeySequence::UnknownKey);
    row("ImagePrinterDots", "ImageMenu", 3, "Printer &Dots", QKeySequence::UnknownKey);
    row("ImageSeparator1", "ImageMenu", 4, "-", QKeySequence::UnknownKey);
    row("ImageAutomaticThreshold", "ImageMenu", 5, "&Automatic Threshold", QKeySequence::UnknownKey);
    row("ImageCalibrationStrip", "ImageMenu", 6, "Calibration &Strip", QKeySequence::UnknownKey);
    row("ImageSeparator2", "ImageMenu", 7, "-", QKeySequence::UnknownKey);
    row("ImagePrintPreview", "ImageMenu", 8, "Print &Preview", QKeySequence::UnknownKey);
    row("ImageSeparator3", "ImageMenu", 9, "-", QKeySequence::UnknownKey);
    ownKey("ImageRotateRight", "ImageMenu", 10, "Rotate &Right", QKeySequence(Qt::CTRL | Qt::Key_R));
    ownKey("ImageRotateLeft", "ImageMenu", 11, "Rotate &Left", QKeySequence(Qt::CTRL | Qt::Key_L));
    row("ImageMirror", "ImageMenu", 12, "&Mirror", QKeySequence::UnknownKey);
    row("ImageTrim", "ImageMenu", 13, "&Trim White Margins", QKeySequence::UnknownKey);
    row("ImageAdjustTone", "ImageMenu", 14, "Adjust T&one…", QKeySequence::UnknownKey);
    row("HelpAbout", "HelpMenu", 0, "&About Plovan", QKeySequence::UnknownKey);
    row("HelpAboutQt", "HelpMenu", 1, "About &Qt", QKeySequence::UnknownKey);
}

void TestMenu::entries()
{
    QFETCH(QString, menu);
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QList<QKeySequence>, shortcuts);
    QMenu *owner = menu == QLatin1String("FileMenu") ? menus_->fileMenu()
        : menu == QLatin1String("EditMenu")          ? menus_->editMenu()
        : menu == QLatin1String("HelpMenu")          ? menus_->helpMenu()
                                                     : menus_->imageMenu();
    QAction *action = owner->actions().value(index);
    QVERIFY(action);
    QCOMPARE(action->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(action->isSeparator(), text == QLatin1String("-"));
    if (!action->isSeparator())
        QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcuts(), shortcuts);
    QVERIFY(action->isVisible());
}

// No two entries of one menu (nor two menus of the bar) share the letter that takes them
// after Alt, and no two entries anywhere share a key, nor with F10, the menu bar's.
void TestMenu::noKeyTakesTwoEntries()
{
    ShownWindow window(*menus_);
    QMap<QKeySequence, QString> keys{{QKeySequence(Qt::Key_F10), QStringLiteral("the menu bar")}};
    const std::function<void(const QString &, const QList<QAction *> &)> walk = [&](const QString &where,
                                                                                const QList<QAction *> &actions) {
        QMap<QChar, QString> letters;
        for (QAction *action : actions) {
            if (action->isSeparator())
                continue;
            const QString text = action->text();
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            if (mark >= 0 && mark + 1 < text.size()) {
                const QChar letter = text.at(mark + 1).toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(QStringLiteral("%1: %2 and %3 both take %4")
                                                                   .arg(where, letters.value(letter), text, letter)));
                letters.insert(letter, text);
            }
            for (const QKeySequence &key : action->shortcuts()) {
                QVERIFY2(!keys.contains(key), qPrintable(QStringLiteral("%1 and %2 both take %3")
                                                             .arg(keys.value(key), text, key.toString())));
                keys.insert(key, text);
            }
            if (action->menu())
                walk(text, action->menu()->actions());
        }
    };
    walk(QStringLiteral("the menu bar"), window->menuBar()->actions());
    QVERIFY(keys.contains(QKeySequence(Qt::CTRL | Qt::Key_R)));
}

void TestMenu::enabling_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("clipboardText");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("empty, empty clipboard: nothing") << QString() << false << QString() << false << false << QStringList();
    QTest::newRow("empty, text on the clipboard: Paste")
        << QString() << false << QString() << false << true << QStringList{"EditPaste"};
    QTest::newRow("text, no selection: Select All")
        << kLogo << false << QString() << false << false << QStringList{"EditSelectAll"};
    QTest::newRow("a selection: Cut, Copy, Delete")
        << kLogo << true << QString() << false << false << QStringList{"EditCut", "EditCopy", "EditClear", "EditSelectAll"};
    QTest::newRow("after typing: Undo")
        << QString() << false << QStringLiteral("x") << false << true
        << QStringList{"EditUndo", "EditPaste", "EditSelectAll"};
    QTest::newRow("read-only with a selection: Copy only")
        << kLogo << true << QString() << true << true << QStringList{"EditCopy", "EditSelectAll"};
}

void TestMenu::enabling()
{
    QFETCH(QString, text);
    QFETCH(bool, selectAll);
    QFETCH(QString, typed);
    QFETCH(bool, readOnly);
    QFETCH(bool, clipboardText);
    QFETCH(QStringList, enabled);
    ShownWindow window(*menus_);
    LogoTextEdit *area = focusedTextArea(window, text);
    QVERIFY(area);
    QTest::keyClicks(area, typed);
    if (selectAll)
        area->selectAll();
    area->setReadOnly(readOnly);
    if (clipboardText)
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    else
        QGuiApplication::clipboard()->clear();
    // Read-only has no signal of its own: opening the menu brings the entries up to date.
    Q_EMIT menus_->editMenu()->aboutToShow();

    QCOMPARE(enabledEditCommands(*menus_), enabled);

    // With the focus on a button there is no text to act on.
    window.control("PushButton1")->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(enabledEditCommands(*menus_), QStringList());
}

void TestMenu::commands_data()
{
    QTest::addColumn<int>("from"); // document positions of the selection
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("clipboard");
    // The document holds kLogo one line per mark: "OBM¶" is positions 0-3, its break 4, "BMD¶" 5-8.
    QTest::newRow("Select All, Copy: the exact text")
        << 0 << 0 << QStringList{"EditSelectAll", "EditCopy"} << kLogo << kLogo;
    QTest::newRow("Cut a line: the text and the clipboard lose no mark")
        << 5 << 10 << QStringList{"EditCut"} << QStringLiteral("OBM¶FF00¶BMD¶C040¶CBM¶") << QStringLiteral("BMD¶");
    QTest::newRow("Delete leaves the clipboard alone")
        << 5 << 10 << QStringList{"EditClear"} << QStringLiteral("OBM¶FF00¶BMD¶C040¶CBM¶") << QStringLiteral("kept");
    QTest::newRow("Paste replaces the selection")
        << 0 << 3 << QStringList{"EditPaste"} << QStringLiteral("kept¶BMD¶FF00¶BMD¶C040¶CBM¶") << QStringLiteral("kept");
    QTest::newRow("Undo takes a cut back")
        << 5 << 10 << QStringList{"EditCut", "EditUndo"} << kLogo << QStringLiteral("BMD¶");
    QTest::newRow("Cut, then Paste at the same place: unchanged")
        << 5 << 10 << QStringList{"EditCut", "EditPaste"} << kLogo << QStringLiteral("BMD¶");
}

void TestMenu::commands()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, commands);
    QFETCH(QString, content);
    QFETCH(QString, clipboard);
    ShownWindow window(*menus_);
    LogoTextEdit *area = focusedTextArea(window, kLogo);
    QVERIFY(area);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    select(area, from, to);

    for (const QString &command : commands) {
        QAction *action = menus_->findChild<QAction *>(command);
        QVERIFY2(action->isEnabled(), qPrintable(command));
        action->trigger();
    }

    QCOMPARE(area->content(), content);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void TestMenu::selectAllAndCopyAfterCreate()
{
    ShownWindow window(*menus_);
    QImage image(45, 21, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x * 7 + y * 3) % 5 < 2 ? qRgb(0, 0, 0) : qRgb(250, 250, 250));
    window.load(writePicture(dir_, QStringLiteral("logo.png"), image));
    window.click("PushButton2");
    window.click("PushButton3");
    HeadlessView headless;
    createLogoText(window->state(), headless);
    LogoTextEdit *area = focusedTextArea(window, window.control<LogoTextEdit>("TextArea1")->content());
    QVERIFY(area);

    menus_->findChild<QAction *>(QStringLiteral("EditSelectAll"))->trigger();
    menus_->findChild<QAction *>(QStringLiteral("EditCopy"))->trigger();

    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied, headless.text());
    QCOMPARE(copied.size(), logotext::length(45, 21));
    QVERIFY(!copied.contains(QLatin1Char('\n')) && !copied.contains(QLatin1Char('\r')));
}

void TestMenu::copyShortcutGivesTheSameText()
{
    ShownWindow window(*menus_);
    LogoTextEdit *area = focusedTextArea(window, kLogo);
    QVERIFY(area);
    QTest::keySequence(area, QKeySequence::SelectAll);
    QTest::keySequence(area, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), kLogo);
}

// How the user opens the Edit menu without the mouse.
enum class OpenEdit { AltE, AltThenRightDown, F10ThenRightDown };

void TestMenu::editMenuFromTheKeyboard_data()
{
    QTest::addColumn<OpenEdit>("open");
    QTest::newRow("Alt+E") << OpenEdit::AltE;
    QTest::newRow("Alt alone, then Right to Edit and Down into it") << OpenEdit::AltThenRightDown;
    QTest::newRow("F10, then Right to Edit and Down into it") << OpenEdit::F10ThenRightDown;
}

// Opened from the keyboard, the menu bar takes the focus for its own navigation; the Edit
// items still belong to the text area that had the focus before.
void TestMenu::editMenuFromTheKeyboard()
{
    QFETCH(OpenEdit, open);
    ShownWindow window(*menus_);
    LogoTextEdit *area = focusedTextArea(window, kLogo);
    QVERIFY(area);
    // Keys go where a key pressed now would: into an open menu, else the focused control.
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget *popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), key, modifiers);
    };
    auto openEdit = [&] {
        if (open == OpenEdit::AltE) {
            press(Qt::Key_E, Qt::AltModifier);
        } else {
            if (open == OpenEdit::F10ThenRightDown)
                press(Qt::Key_F10);
            else
                press(Qt::Key_Alt, Qt::AltModifier);
            press(Qt::Key_Right);
            press(Qt::Key_Down);
        }
    };

    openEdit();
    QTRY_COMPARE(QApplication::activePopupWidget(), menus_->editMenu());
    QCOMPARE(enabledEditCommands(*menus_), QStringList({"EditSelectAll"}));
    press(Qt::Key_A);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(area->textCursor().selectedText().size(), area->document()->characterCount() - 1);

    openEdit();
    QTRY_COMPARE(QApplication::activePopupWidget(), menus_->editMenu());
    QCOMPARE(enabledEditCommands(*menus_), QStringList({"EditCut", "EditCopy", "EditClear", "EditSelectAll"}));
    press(Qt::Key_C);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    QCOMPARE(QGuiApplication::clipboard()->text(), kLogo);
    // Closed, the menu gives the focus back to the text area.
    QTRY_COMPARE(QApplication::focusWidget(), area);
}

// The typical run to its end without a click into the text area: load, Refresh, Create by
// mouse, then Alt+E, A and Alt+E, C.
void TestMenu::selectAllAndCopyFromTheKeyboardAfterCreate()
{
    ShownWindow window(*menus_);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window.load(writePicture(dir_, QStringLiteral("logo.png"), greyImage(20, 11, 30)));
    window.click("PushButton2");
    window.click("PushButton3");
    const QString text = window.control<LogoTextEdit>("TextArea1")->content();
    QVERIFY(text.startsWith(QStringLiteral("OBM¶")));

    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), menus_->editMenu());
    QTest::keyClick(menus_->editMenu(), Qt::Key_A);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), menus_->editMenu());
    QTest::keyClick(menus_->editMenu(), Qt::Key_C);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

void TestMenu::quit_data()
{
    QTest::addColumn<bool>("byShortcut");
    QTest::newRow("Quit from the File menu") << false;
    QTest::newRow("the Quit shortcut, before any load") << true;
}

void TestMenu::quit()
{
    QFETCH(bool, byShortcut);
    ShownWindow window(*menus_);
    QVERIFY(focusedTextArea(window, kLogo));
    QAction *quitAction = menus_->findChild<QAction *>(QStringLiteral("FileQuit"));
    QTimer::singleShot(0, window.get(), [&] {
        if (byShortcut)
            QTest::keySequence(window.get(), quitAction->shortcut());
        else
            quitAction->trigger();
    });
    // Should Quit fail to quit, the loop still ends, with a status that fails the test.
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    // The event loop ends with the toolkit's status; the window was closed on the way out.
    QCOMPARE(QApplication::exec(), 0);
    QTRY_VERIFY(!window.alive());
}

void TestMenu::helpMenuFromTheKeyboard_data()
{
    QTest::addColumn<int>("key"); // the item's underlined letter
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole"); // the box's whole text, else a part of it
    QTest::newRow("About Plovan: name, version, purpose")
        << int(Qt::Key_A) << QStringLiteral("About Plovan")
        << QStringLiteral("Plovan\nVersion %1\n\nTurns a JPEG or PNG logo into logo data text for a receipt printer.")
               .arg(QLatin1String(kVersion))
        << true;
    // Qt's own box names the Qt version the program runs with.
    QTest::newRow("About Qt") << int(Qt::Key_Q) << QStringLiteral("About Qt")
                              << QStringLiteral("Qt version %1").arg(QLatin1String(qVersion())) << false;
}

// Alt+H opens the Help menu, and the item's letter shows its message box.
void TestMenu::helpMenuFromTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, whole);
    ShownWindow window(*menus_);
    QVERIFY(focusedTextArea(window, kLogo));

    QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), menus_->helpMenu());
    QTest::keyClick(menus_->helpMenu(), Qt::Key(key));
    QTRY_VERIFY(!QApplication::activePopupWidget());
    // The box is modal: it has come and gone by now.
    const QStringList shown = messages_.take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(messages_.lastTitle(), title);
    if (whole)
        QCOMPARE(shown.constFirst(), text);
    else
        QVERIFY2(shown.constFirst().contains(text), qPrintable(shown.constFirst()));
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
