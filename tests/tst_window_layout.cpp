// The window as built: each control's kind, place, text, font and settings, the content
// area, and the order in which Tab visits the controls.

#include "tst_window_fixture.h"

#include "platform/Translations.h"
#include "ui/LogoTextEdit.h"
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>

using namespace plovan;

namespace {

const QString kCredit = QStringLiteral("Plovan v1.0 — logos for receipt printers");

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void controls_data();
    void controls();
    void everyControlIsInTheTable();
    void settings_data();
    void settings();
    void contentArea();
    void tabVisitsTheControlsInOrder();
    void captionsFit_data();
    void captionsFit();
    void captionsFitInEveryLanguage_data();
    void captionsFitInEveryLanguage();

private:
    WindowTestBed bed_;
};

void TestWindowLayout::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestWindowLayout::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels"); // font size in device-independent pixels; 0: the system font's own size
    QTest::addColumn<int>("tabRank");
    int rank = 0;
    auto row = [&rank](const char *name, const char *kind, QRect geometry, const QString &text, int pixels) {
        QTest::newRow(name) << QString::fromLatin1(kind) << geometry << text << pixels << rank++;
    };
    // In tab order.
    row("Canvas1", "plovan::Canvas", {173, 20, 192, 320}, {}, 0);
    row("PushButton1", "QPushButton", {20, 20, 123, 20}, "Load Image....", 0);
    row("dimensions_label", "QLabel", {173, 419, 396, 20}, "-", 0);
    row("Canvas2", "plovan::Canvas", {377, 20, 192, 320}, {}, 0);
    row("PushButton2", "QPushButton", {20, 52, 123, 20}, "Refresh", 0);
    row("progress_label", "QLabel", {173, 439, 396, 20}, "-", 0);
    row("Slider1", "QSlider", {20, 159, 123, 23}, {}, 0);
    row("thresh_label", "QLabel", {109, 173, 34, 20}, "100", 10);
    row("CheckBox1", "QCheckBox", {20, 127, 135, 20}, "Reverse Image", 0);
    row("PushButton3", "QPushButton", {20, 84, 123, 20}, "Create", 0);
    row("TextArea1", "plovan::LogoTextEdit", {581, 19, 240, 321}, {}, 0);
    row("dimensions_label1", "QLabel", {20, 173, 100, 20}, "Threshold", 10);
    row("dimensions_label2", "QLabel", {173, 0, 100, 20}, "Imported Image", 10);
    row("dimensions_label3", "QLabel", {377, 0, 100, 20}, "Processed Image", 10);
    row("dimensions_label4", "QLabel", {581, 0, 136, 20}, "Image Data", 10);
    row("dimensions_label5", "QLabel", {20, 352, 801, 20}, kCredit, 10);
}

void TestWindowLayout::controls()
{
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QFETCH(int, tabRank);
    ShownWindow window(bed_.menus());
    const QByteArray name = QTest::currentDataTag();
    QWidget *control = window.control(name);
    QVERIFY(control);
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());
    QCOMPARE(control->parentWidget(), window->centralWidget());
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->property("text").toString(), text);
    if (pixels)
        QCOMPARE(control->font().pixelSize(), pixels);
    else
        QCOMPARE(control->font().pointSize(), QApplication::font(control).pointSize());
    QVERIFY(!control->font().bold() && !control->font().italic() && !control->font().underline());
    QVERIFY(control->isEnabled());
    QVERIFY(control->isVisibleTo(window.get()));
    QCOMPARE(focusChainNames(window.get(), kControlNames).indexOf(QString::fromLatin1(name)), tabRank);

    // Anchored to the top-left: a larger window moves and stretches nothing.
    window->resize(1400, 900);
    QCOMPARE(control->geometry(), geometry);
}

void TestWindowLayout::everyControlIsInTheTable()
{
    ShownWindow window(bed_.menus());
    QStringList names;
    for (QObject *child : window->centralWidget()->children())
        if (child->isWidgetType())
            names << child->objectName();
    // Created in tab order, so the children come in the table's order too.
    QCOMPARE(names, kControlNames);
}

void TestWindowLayout::settings_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");
    auto row = [](const char *control, const char *property, const QVariant &expected) {
        QTest::addRow("%s %s", control, property) << QString::fromLatin1(control) << QString::fromLatin1(property) << expected;
    };
    row("Window1", "windowTitle", QStringLiteral("Plovan"));
    row("Window1", "acceptDrops", true);
    row("Slider1", "minimum", 0);
    row("Slider1", "maximum", 255);
    row("Slider1", "value", 100);
    row("Slider1", "singleStep", 1);
    row("Slider1", "pageStep", 20);
    row("Slider1", "tickPosition", int(QSlider::NoTicks));
    row("Slider1", "tracking", false);
    row("Slider1", "orientation", int(Qt::Horizontal));
    row("CheckBox1", "checked", false);
    for (const char *button : {"PushButton1", "PushButton2", "PushButton3"}) {
        row(button, "default", false);
        row(button, "autoDefault", false);
    }
    row("thresh_label", "alignment", int(Qt::AlignCenter));
    for (const char *label : {"dimensions_label", "progress_label", "dimensions_label1", "dimensions_label5"})
        row(label, "alignment", int(Qt::AlignLeft | Qt::AlignVCenter));
    row("dimensions_label", "wordWrap", false);
    row("TextArea1", "plainText", QString());
    row("TextArea1", "readOnly", false);
    row("TextArea1", "tabChangesFocus", true);
    row("TextArea1", "undoRedoEnabled", true);
    row("TextArea1", "lineWrapMode", int(QPlainTextEdit::WidgetWidth));
    row("TextArea1", "horizontalScrollBarPolicy", int(Qt::ScrollBarAlwaysOff));
    row("TextArea1", "verticalScrollBarPolicy", int(Qt::ScrollBarAlwaysOn));
    row("TextArea1", "frameShape", int(QFrame::StyledPanel));
    // A click leaves the focus where it was; only Tab takes it to these controls.
    for (const char *control : {"PushButton1", "PushButton2", "PushButton3", "CheckBox1", "Slider1"})
        row(control, "focusPolicy", int(Qt::TabFocus));
    row("TextArea1", "focusPolicy", int(Qt::StrongFocus));
    row("Canvas1", "focusPolicy", int(Qt::NoFocus));
    row("Canvas1", "autoFillBackground", false);
    row("Canvas2", "focusPolicy", int(Qt::NoFocus));
    row("Canvas2", "autoFillBackground", false);
}

void TestWindowLayout::settings()
{
    QFETCH(QString, control);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    ShownWindow window(bed_.menus());
    QObject *object = control == QLatin1String("Window1") ? window.get() : window.control(control.toLatin1());
    QVERIFY(object);
    const QVariant actual = object->property(property.toLatin1());
    QVERIFY2(actual.isValid(), "no such property");
    if (expected.typeId() == QMetaType::Int)
        QCOMPARE(actual.toInt(), expected.toInt());
    else
        QCOMPARE(actual, expected);
}

void TestWindowLayout::contentArea()
{
    ShownWindow window(bed_.menus());
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QWidget *content = window->centralWidget();
    QCOMPARE(content->size(), Window1::kContentSize);
    QCOMPARE(content->minimumSize(), QSize(64, 64));
    QCOMPARE(content->maximumSize(), QSize(32000, 32000));
    QVERIFY(window->minimumSize() != window->maximumSize());
    QVERIFY(!(window->windowState() & Qt::WindowFullScreen));
    QVERIFY(window->menuBar()->isVisibleTo(window.get()));

    // Made taller, the window shows both labels that start below the first content height.
    window->resize(window->width(), window->height() + 459 - 383);
    QTRY_COMPARE(content->height(), 459);
    QVERIFY(content->rect().contains(window.control("progress_label")->geometry()));
}

void TestWindowLayout::tabVisitsTheControlsInOrder()
{
    ShownWindow window(bed_.menus());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    window.control("PushButton1")->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), window.control("PushButton1"));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // Canvases and labels take no focus; Tab in the text area moves on rather than typing.
    QCOMPARE(visited, QStringList({"PushButton2", "Slider1", "CheckBox1", "PushButton3", "TextArea1", "PushButton1"}));
    QCOMPARE(window.control<LogoTextEdit>("TextArea1")->content(), QString());
}

void TestWindowLayout::captionsFit_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    auto row = [](const char *label, const QString &text) {
        QTest::addRow("%s \"%s\"", label, qPrintable(text)) << QString::fromLatin1(label) << text;
    };
    row("dimensions_label", QStringLiteral("-"));
    row("dimensions_label", QStringLiteral("32767x32767")); // the largest picture
    row("progress_label", QStringLiteral("32768")); // Create's count for the tallest picture
    row("thresh_label", QStringLiteral("100"));
    row("thresh_label", QStringLiteral("255"));
    row("dimensions_label1", QStringLiteral("Threshold"));
    row("dimensions_label2", QStringLiteral("Imported Image"));
    row("dimensions_label3", QStringLiteral("Processed Image"));
    row("dimensions_label4", QStringLiteral("Image Data"));
    row("dimensions_label5", kCredit);
}

// The captions were laid out for a font 10 units high; in points at 96 dots per inch they
// would be 13.3 and overflow. ctest runs this table at 100 % and again at 200 % scaling.
void TestWindowLayout::captionsFit()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    ShownWindow window(bed_.menus());
    auto *control = window.control<QLabel>(label.toLatin1());
    QVERIFY(control);
    control->setText(text);
    const int advance = QFontMetrics(control->font()).horizontalAdvance(text);
    QVERIFY2(advance <= control->contentsRect().width(),
             qPrintable(QStringLiteral("%1 wide in a label %2 wide").arg(advance).arg(control->contentsRect().width())));
}

void TestWindowLayout::captionsFitInEveryLanguage_data()
{
    QTest::addColumn<QString>("language"); // "": English
    QTest::addColumn<QString>("control");
    QStringList languages{QString()};
    for (const char *language : kTranslatedLanguages)
        languages << QLatin1String(language);
    for (const QString &language : std::as_const(languages))
        for (const char *control : {"PushButton1", "PushButton2", "PushButton3", "CheckBox1", "dimensions_label1",
                                    "dimensions_label2", "dimensions_label3", "dimensions_label4", "dimensions_label5"})
            QTest::addRow("%s %s", language.isEmpty() ? "en" : qPrintable(language), control)
                << language << QString::fromLatin1(control);
}

// Each caption as the window shows it in each language, in the place the layout gives it:
// a label's text within the label, a button's or the check box's whole size hint (text,
// margins, the box) within the control. ctest runs this at 100 % and at 200 % too.
void TestWindowLayout::captionsFitInEveryLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, control);
    Translations translations;
    QVERIFY(translations.install(language));
    // Menus and window made in the language, as at start-up.
    MainMenuBar menus;
    ShownWindow window(menus);
    QWidget *widget = window.control(control.toLatin1());
    QVERIFY(widget);
    const QString text = widget->property("text").toString();
    QVERIFY(!text.isEmpty());
    int needed = 0, room = 0;
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        needed = QFontMetrics(label->font()).horizontalAdvance(text);
        room = label->contentsRect().width();
    } else {
        needed = widget->sizeHint().width();
        room = widget->width();
    }
    QVERIFY2(needed <= room, qPrintable(QStringLiteral("\"%1\" needs %2, has %3").arg(text).arg(needed).arg(room)));
}

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"
