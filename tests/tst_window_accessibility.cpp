// What a screen reader is told of the window, its menus and its dialogs: every control with
// a role and a name (and a description where the name alone says too little), the canvases
// with the picture's size, the slider's value, and the text area's text as the logo data
// text itself, without the line breaks it shows for the eye.

#include "tst_window_fixture.h"

#include "ui/LogoTextEdit.h"
#include "ui/PrintPreview.h"
#include "ui/ToneDialog.h"

#include <QAccessible>
#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <tuple>

using namespace plovan;

namespace {

// Roles that only hold others; everything else is something a screen reader announces.
bool isContainer(QAccessible::Role role)
{
    return role == QAccessible::Client || role == QAccessible::Pane || role == QAccessible::Grouping
        || role == QAccessible::Separator || role == QAccessible::Whitespace;
}

QString describe(QAccessibleInterface *interface)
{
    const QObject *object = interface->object();
    return QStringLiteral("%1 \"%2\" (role %3)")
        .arg(object ? QString::fromLatin1(object->metaObject()->className()) + QLatin1Char('/') + object->objectName()
                    : QStringLiteral("?"),
             interface->text(QAccessible::Name))
        .arg(int(interface->role()));
}

// Every interface under `interface` (itself included) that a user can come upon: hidden
// widgets are left out, but not the menus, which are hidden until opened.
void collect(QAccessibleInterface *interface, QList<QAccessibleInterface *> &found)
{
    if (!interface || !interface->isValid())
        return;
    if (auto *widget = qobject_cast<QWidget *>(interface->object()))
        if (!qobject_cast<QMenu *>(widget) && !widget->isVisible())
            return;
    found << interface;
    for (int i = 0; i < interface->childCount(); ++i)
        collect(interface->child(i), found);
}

// The controls under `root` without a role or a name, one line each.
QStringList unnamed(QObject *root)
{
    QList<QAccessibleInterface *> found;
    collect(QAccessible::queryAccessibleInterface(root), found);
    QStringList faults;
    for (QAccessibleInterface *interface : std::as_const(found)) {
        const QAccessible::Role role = interface->role();
        if (role == QAccessible::NoRole)
            faults << QStringLiteral("no role: ") + describe(interface);
        else if (!isContainer(role) && interface->text(QAccessible::Name).trimmed().isEmpty())
            faults << QStringLiteral("no name: ") + describe(interface);
    }
    if (found.size() < 2)
        faults << QStringLiteral("nothing found under ") + root->objectName();
    return faults;
}

// The menu of that object name among these actions' menus and their submenus.
QMenu *menuNamed(const QList<QAction *> &actions, QLatin1String name)
{
    for (QAction *action : actions) {
        if (QMenu *menu = action->menu()) {
            if (menu->objectName() == name)
                return menu;
            if (QMenu *inside = menuNamed(menu->actions(), name))
                return inside;
        }
    }
    return nullptr;
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

class TestWindowAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void controls_data();
    void controls();
    void everyControlOfTheWindowIsNamed();
    void everyMenuIsNamed_data();
    void everyMenuIsNamed();
    void otherWidthDialogIsNamed();
    void printPreviewIsNamed();
    void toneDialogIsNamed();
    void canvasesDescribeThePicture_data();
    void canvasesDescribeThePicture();
    void sliderValueFollowsTheThreshold();
    void textAreaReadsAsItsContent_data();
    void textAreaReadsAsItsContent();
    void textAreaSelectionAndCursorInContentOffsets();

private:
    WindowTestBed bed_;
};

void TestWindowAccessibility::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowAccessibility::controls_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    auto row = [](const char *object, QAccessible::Role role, const QString &name, const QString &description) {
        QTest::newRow(object) << int(role) << name << description;
    };
    // In tab order; a label's name is the text it shows.
    row("Canvas1", QAccessible::Graphic, "Imported Image", "No picture");
    row("PushButton1", QAccessible::Button, "Load Image", "Chooses a JPEG or PNG picture and loads it");
    row("dimensions_label", QAccessible::StaticText, "-", "Size of the picture in dots");
    row("Canvas2", QAccessible::Graphic, "Processed Image", "No picture");
    row("PushButton2", QAccessible::Button, "Refresh", "Converts the picture again at the threshold");
    row("progress_label", QAccessible::StaticText, "-", "Rows done so far");
    row("Slider1", QAccessible::Slider, "Threshold", "Dots darker than this print black");
    row("thresh_label", QAccessible::StaticText, "100", "Threshold value");
    row("CheckBox1", QAccessible::CheckBox, "Reverse Image", "Swaps black and white");
    row("PushButton3", QAccessible::Button, "Create", "Makes the logo data text of the processed picture");
    row("TextArea1", QAccessible::EditableText, "Image Data", "The logo data text for the printer");
    row("dimensions_label1", QAccessible::StaticText, "Threshold", "");
    row("dimensions_label2", QAccessible::StaticText, "Imported Image", "");
    row("dimensions_label3", QAccessible::StaticText, "Processed Image", "");
    row("dimensions_label4", QAccessible::StaticText, "Image Data", "");
    row("dimensions_label5", QAccessible::StaticText, "Plovan v1.0 — logos for receipt printers", "");
}

void TestWindowAccessibility::controls()
{
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    ShownWindow window(bed_.menus());
    QAccessibleInterface *interface = accessible(window.control(QTest::currentDataTag()));
    QVERIFY(interface);
    QCOMPARE(int(interface->role()), role);
    QCOMPARE(interface->text(QAccessible::Name), name);
    QCOMPARE(interface->text(QAccessible::Description), description);
    QCOMPARE(interface->parent()->object(), window->centralWidget());
}

void TestWindowAccessibility::everyControlOfTheWindowIsNamed()
{
    ShownWindow window(bed_.menus());
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(accessible(window.get())->text(QAccessible::Name), QStringLiteral("Plovan"));
    // Every control of the table is in the tree the screen reader walks.
    QList<QAccessibleInterface *> found;
    collect(accessible(window.get()), found);
    QStringList objects;
    for (QAccessibleInterface *interface : std::as_const(found))
        if (interface->object())
            objects << interface->object()->objectName();
    for (const QString &control : kControlNames)
        QVERIFY2(objects.contains(control), qPrintable(control));
    for (const char *menu : {"FileMenu", "EditMenu", "ImageMenu", "HelpMenu", "FileRecentMenu"})
        QVERIFY2(objects.contains(QLatin1String(menu)), menu);

    const QStringList faults = unnamed(window.get());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestWindowAccessibility::everyMenuIsNamed_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("FileMenu") << QStringLiteral("File");
    QTest::newRow("FileRecentMenu") << QStringLiteral("Open Recent");
    QTest::newRow("EditMenu") << QStringLiteral("Edit");
    QTest::newRow("ImageMenu") << QStringLiteral("Image");
    QTest::newRow("ImageWidthMenu") << QStringLiteral("Printer Width");
    QTest::newRow("ImageHalftoneMenu") << QStringLiteral("Halftone");
    QTest::newRow("HelpMenu") << QStringLiteral("Help");
}

// Each menu by its title without the underlined letter's marker, each item by its text.
void TestWindowAccessibility::everyMenuIsNamed()
{
    QFETCH(QString, name);
    ShownWindow window(bed_.menus());
    // With pictures in Open Recent, their entries too.
    window.load(bed_.picture(QStringLiteral("Smith & Sons.png"), greyImage(4, 4, 0)));
    QMenu *menu = menuNamed(window->menuBar()->actions(), QLatin1String(QTest::currentDataTag()));
    QVERIFY(menu);
    QAccessibleInterface *interface = accessible(menu);
    QCOMPARE(int(interface->role()), int(QAccessible::PopupMenu));
    QCOMPARE(interface->text(QAccessible::Name), name);
    int items = 0;
    for (int i = 0; i < interface->childCount(); ++i) {
        QAccessibleInterface *item = interface->child(i);
        if (item->role() == QAccessible::Separator)
            continue;
        ++items;
        QCOMPARE(int(item->role()), int(QAccessible::MenuItem));
        QVERIFY2(!item->text(QAccessible::Name).isEmpty(), qPrintable(describe(item)));
        QVERIFY2(!item->text(QAccessible::Name).contains(QLatin1Char('&')) || item->text(QAccessible::Name).contains(QLatin1String(" & ")),
                 qPrintable(describe(item)));
    }
    QVERIFY(items > 0);
}

void TestWindowAccessibility::otherWidthDialogIsNamed()
{
    ShownWindow window(bed_.menus());
    QStringList faults;
    QString title, spinName;
    bool seen = false;
    // The dialog is modal: it is looked at from inside its own event loop, then cancelled.
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        title = accessible(dialog)->text(QAccessible::Name);
        faults = unnamed(dialog);
        if (auto *spin = dialog->findChild<QSpinBox *>())
            spinName = accessible(spin)->text(QAccessible::Name);
        dialog->reject();
    });
    look.start(10);
    bed_.menus().findChild<QAction *>(QStringLiteral("ImageWidthOther"))->trigger();
    QVERIFY(seen);
    QCOMPARE(title, QStringLiteral("Printer Width"));
    QCOMPARE(spinName, QStringLiteral("Width of the print head in dots:"));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestWindowAccessibility::printPreviewIsNamed()
{
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("preview.png"), greyImage(40, 16, 0)));
    bed_.menus().printPreviewAction()->trigger();
    PrintPreview *preview = window->printPreview();
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QCOMPARE(accessible(preview)->text(QAccessible::Name), QStringLiteral("Print Preview"));
    QAccessibleInterface *picture = accessible(preview->findChild<QWidget *>(QStringLiteral("PreviewPicture")));
    QCOMPARE(int(picture->role()), int(QAccessible::Graphic));
    QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Picture on paper"));
    // The description is the summary line below the picture.
    QCOMPARE(picture->text(QAccessible::Description), preview->findChild<QLabel *>(QStringLiteral("PreviewSummary"))->text());
    QVERIFY(picture->text(QAccessible::Description).startsWith(QStringLiteral("40x16 dots")));
    // The resolution's choice is named by its label (on Linux Qt names a combo box by its
    // choice and links the label; elsewhere the name is the label's words).
    QAccessibleInterface *dpi = accessible(preview->findChild<QWidget *>(QStringLiteral("PreviewDpi")));
    QCOMPARE(int(dpi->role()), int(QAccessible::ComboBox));
    QStringList labels;
    for (const auto &[label, relation] : dpi->relations(QAccessible::Label))
        labels << label->text(QAccessible::Name);
    QCOMPARE(labels, QStringList{"Printer resolution:"});
#ifdef Q_OS_UNIX
    QCOMPARE(dpi->text(QAccessible::Name), QStringLiteral("203 dpi"));
#else
    QCOMPARE(dpi->text(QAccessible::Name), QStringLiteral("Printer resolution"));
#endif
    const QStringList faults = unnamed(preview);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    preview->close();
}

void TestWindowAccessibility::toneDialogIsNamed()
{
    ShownWindow window(bed_.menus());
    ToneDialog dialog(Tone{}, window.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(accessible(&dialog)->text(QAccessible::Name), QStringLiteral("Adjust Tone"));
    for (const auto &[object, role, name] : {std::tuple{"ToneBrightnessSlider", QAccessible::Slider, "Brightness"},
                                              std::tuple{"ToneBrightness", QAccessible::SpinBox, "Brightness"},
                                              std::tuple{"ToneContrastSlider", QAccessible::Slider, "Contrast"},
                                              std::tuple{"ToneContrast", QAccessible::SpinBox, "Contrast"},
                                              std::tuple{"ToneGammaSlider", QAccessible::Slider, "Gamma"},
                                              std::tuple{"ToneGamma", QAccessible::SpinBox, "Gamma"},
                                              std::tuple{"ToneReset", QAccessible::Button, "Reset"}}) {
        QAccessibleInterface *interface = accessible(dialog.findChild<QWidget *>(QLatin1String(object)));
        QVERIFY2(interface, object);
        QCOMPARE(int(interface->role()), int(role));
        QCOMPARE(interface->text(QAccessible::Name), QLatin1String(name));
    }
    const QStringList faults = unnamed(&dialog);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestWindowAccessibility::canvasesDescribeThePicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("description");
    QTest::newRow("a picture that fits") << QSize(31, 17) << QStringLiteral("31x17 dots");
    QTest::newRow("one shown scaled down: its own size") << QSize(500, 40) << QStringLiteral("500x40 dots");
}

void TestWindowAccessibility::canvasesDescribeThePicture()
{
    QFETCH(QSize, size);
    QFETCH(QString, description);
    ShownWindow window(bed_.menus());
    window.load(bed_.picture(QStringLiteral("canvas.png"), greyImage(size.width(), size.height(), 90)));
    for (const char *canvas : {"Canvas1", "Canvas2"})
        QCOMPARE(accessible(window.control(canvas))->text(QAccessible::Description), description);
    window->close();
}

void TestWindowAccessibility::sliderValueFollowsTheThreshold()
{
    ShownWindow window(bed_.menus());
    auto *slider = window.control<QSlider>("Slider1");
    QAccessibleValueInterface *value = accessible(slider)->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 100);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 255);
    slider->setFocus(Qt::TabFocusReason);
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(window->state().threshold, 121);
    QCOMPARE(value->currentValue().toInt(), 121);
    // A screen reader may set it too, and the window follows.
    value->setCurrentValue(7);
    QCOMPARE(window->state().threshold, 7);
    QCOMPARE(window.text("thresh_label"), QStringLiteral("7"));
}

void TestWindowAccessibility::textAreaReadsAsItsContent_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("line"); // the line at the offset
    QTest::addColumn<int>("position"); // the document position of the offset
    // The document holds a display break after every mark: "OBM¶" is positions 0-3, its
    // break 4, "BMD¶" 5-8, ...; the content has no breaks.
    QTest::newRow("logo data text") << QStringLiteral("OBM¶BMD¶FF00¶CBM¶") << 9 << QStringLiteral("FF00¶") << 11;
    QTest::newRow("its start") << QStringLiteral("OBM¶BMD¶FF00¶CBM¶") << 0 << QStringLiteral("OBM¶") << 0;
    QTest::newRow("its end: the end of the last line") << QStringLiteral("OBM¶BMD¶FF00¶CBM¶") << 17 << QStringLiteral("CBM¶") << 20;
    QTest::newRow("a typed break is a character of its own") << QStringLiteral("ab\ncd") << 4 << QStringLiteral("cd") << 4;
    QTest::newRow("a typed break after a mark") << QStringLiteral("OBM¶\nBMD¶") << 6 << QStringLiteral("BMD¶") << 7;
    QTest::newRow("empty") << QString() << 0 << QString() << 0;
}

void TestWindowAccessibility::textAreaReadsAsItsContent()
{
    QFETCH(QString, content);
    QFETCH(int, offset);
    QFETCH(QString, line);
    QFETCH(int, position);
    ShownWindow window(bed_.menus());
    auto *area = window.control<LogoTextEdit>("TextArea1");
    area->setContent(content);
    QCOMPARE(area->content(), content);
    QAccessibleInterface *interface = accessible(area);
    QAccessibleTextInterface *text = interface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), content.size());
    QCOMPARE(text->text(0, text->characterCount()), content);
    QCOMPARE(interface->text(QAccessible::Value), content);
    QCOMPARE(area->documentPosition(offset), position);
    QCOMPARE(area->contentOffset(position), offset);
    int start = -1, end = -1;
    QCOMPARE(text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end), line);
    QCOMPARE(content.mid(start, end - start), line);
    QVERIFY(interface->state().editable && interface->state().multiLine);
}

void TestWindowAccessibility::textAreaSelectionAndCursorInContentOffsets()
{
    ShownWindow window(bed_.menus());
    auto *area = window.control<LogoTextEdit>("TextArea1");
    area->setContent(u"OBM¶BMD¶FF00¶CBM¶");
    QAccessibleTextInterface *text = accessible(area)->textInterface();

    text->setCursorPosition(9);
    QCOMPARE(area->textCursor().position(), 11);
    QCOMPARE(text->cursorPosition(), 9);

    text->setSelection(0, 4, 13);
    QCOMPARE(text->selectionCount(), 1);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, 4);
    QCOMPARE(end, 13);
    const QTextCursor cursor = area->textCursor();
    QCOMPARE(area->contentBetween(cursor.selectionStart(), cursor.selectionEnd()), QStringLiteral("BMD¶FF00¶"));
    QCOMPARE(text->text(start, end), QStringLiteral("BMD¶FF00¶"));

    QCOMPARE(text->textBeforeOffset(9, QAccessible::LineBoundary, &start, &end), QStringLiteral("BMD¶"));
    QCOMPARE(text->textAfterOffset(9, QAccessible::LineBoundary, &start, &end), QStringLiteral("CBM¶"));
    QCOMPARE(start, 13);
    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
}

QTEST_MAIN(TestWindowAccessibility)
#include "tst_window_accessibility.moc"
