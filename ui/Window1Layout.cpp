// The window's fixed layout: the content area of 841 x 383 and every control at its place,
// in tab order, with its name, caption, font and focus policy, and what a screen reader says
// of it (a label's accessible name is the text it shows; the canvases describe themselves). Nothing here moves or
// stretches when the window is resized.
#include "ui/Window1.h"

#include "Version.h"
#include "ui/Canvas.h"
#include "ui/LogoTextEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

namespace plovan {
namespace {

// The content area below the menu bar. Its controls sit at fixed places, so it has no layout;
// its size hint is what gives the window its initial content size.
class ContentArea : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return Window1::kContentSize; }
};

// The buttons, the check box and the slider take the focus from Tab only: a click runs their
// handler and leaves the focus where it was, in the text area unless the user tabbed away,
// so that Select All and Copy act on the logo data text straight after "Create".
constexpr Qt::FocusPolicy kClickedControlFocus = Qt::TabFocus;

// The captions and the threshold are laid out for a font 10 units high. Set in points, Qt at
// 96 logical dots per inch would make that 13.3 units and the captions would overflow their
// labels; set in device-independent pixels it stays 10 units at any scaling, as the fixed
// geometry does.
constexpr int kSmallTextUnits = 10;

void useSmallText(QWidget *widget)
{
    QFont font = widget->font();
    font.setPixelSize(kSmallTextUnits);
    widget->setFont(font);
}

QPushButton *plainButton(QWidget *parent, const char *name, const QRect &geometry, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(kClickedControlFocus);
    return button;
}

} // namespace

QLabel *Window1::addLabel(const char *name, const QRect &geometry, const QString &text, bool smallText)
{
    auto *label = new QLabel(text, content_);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (smallText)
        useSmallText(label);
    return label;
}

void Window1::createControls()
{
    content_ = new ContentArea(this);
    content_->setObjectName(QStringLiteral("content"));
    content_->setMinimumSize(64, 64);
    content_->setMaximumSize(32000, 32000);
    setCentralWidget(content_);

    // In tab order. Each control gets its settings before its handler is connected, so the
    // slider's initial value raises no value change and nothing is redrawn at start.
    canvas1_ = new Canvas(content_);
    canvas1_->setObjectName(QStringLiteral("Canvas1"));
    canvas1_->setGeometry(173, 20, 192, 320);
    canvas1_->setAccessibleName(tr("Imported Image"));

    pushButton1_ = plainButton(content_, "PushButton1", {20, 20, 123, 20}, tr("Load Image...."));
    // Without the dots, which a screen reader would read out one by one.
    pushButton1_->setAccessibleName(tr("Load Image"));
    pushButton1_->setAccessibleDescription(tr("Chooses a JPEG or PNG picture and loads it"));
    connect(pushButton1_, &QPushButton::clicked, this, &Window1::PushButton1_Action);

    dimensionsLabel_ = addLabel("dimensions_label", {173, 419, 396, 20}, QStringLiteral("-"), false);
    dimensionsLabel_->setAccessibleDescription(tr("Size of the picture in dots"));

    canvas2_ = new Canvas(content_);
    canvas2_->setObjectName(QStringLiteral("Canvas2"));
    canvas2_->setGeometry(377, 20, 192, 320);
    canvas2_->setAccessibleName(tr("Processed Image"));

    pushButton2_ = plainButton(content_, "PushButton2", {20, 52, 123, 20}, tr("Refresh"));
    pushButton2_->setAccessibleDescription(tr("Converts the picture again at the threshold"));
    connect(pushButton2_, &QPushButton::clicked, this, &Window1::PushButton2_Action);

    progressLabel_ = addLabel("progress_label", {173, 439, 396, 20}, QStringLiteral("-"), false);
    progressLabel_->setAccessibleDescription(tr("Rows done so far"));

    slider1_ = new QSlider(Qt::Horizontal, content_);
    slider1_->setObjectName(QStringLiteral("Slider1"));
    slider1_->setGeometry(20, 159, 123, 23);
    slider1_->setAccessibleName(tr("Threshold"));
    slider1_->setAccessibleDescription(tr("Dots darker than this print black"));
    slider1_->setRange(0, 255);
    slider1_->setValue(state_.threshold);
    slider1_->setSingleStep(1);
    slider1_->setPageStep(20);
    slider1_->setTickPosition(QSlider::NoTicks);
    // One drag is one value change, reported when the thumb is let go: one redraw, not one
    // for every position the thumb passes.
    slider1_->setTracking(false);
    slider1_->setFocusPolicy(kClickedControlFocus);
    connect(slider1_, &QSlider::valueChanged, this, &Window1::Slider1_ValueChanged);

    threshLabel_ = addLabel("thresh_label", {109, 173, 34, 20}, QString::number(state_.threshold), true);
    threshLabel_->setAlignment(Qt::AlignCenter);
    threshLabel_->setAccessibleDescription(tr("Threshold value"));

    checkBox1_ = new QCheckBox(tr("Reverse Image"), content_);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setGeometry(20, 127, 135, 20);
    checkBox1_->setChecked(state_.reverse);
    checkBox1_->setAccessibleDescription(tr("Swaps black and white"));
    checkBox1_->setFocusPolicy(kClickedControlFocus);
    connect(checkBox1_, &QCheckBox::clicked, this, &Window1::CheckBox1_Action);

    pushButton3_ = plainButton(content_, "PushButton3", {20, 84, 123, 20}, tr("Create"));
    pushButton3_->setAccessibleDescription(tr("Makes the logo data text of the processed picture"));
    connect(pushButton3_, &QPushButton::clicked, this, &Window1::PushButton3_Action);

    textArea1_ = new LogoTextEdit(content_);
    textArea1_->setObjectName(QStringLiteral("TextArea1"));
    textArea1_->setGeometry(581, 19, 240, 321);
    textArea1_->setAccessibleName(tr("Image Data"));
    textArea1_->setAccessibleDescription(tr("The logo data text for the printer"));
    textArea1_->verticalScrollBar()->setAccessibleName(tr("Scroll Image Data"));
    QPalette palette = textArea1_->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    // The selection shows only while the text area has the focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    textArea1_->setPalette(palette);
    // Dropped later, from the event loop, so that a slow decode or an error box does not
    // hold up the application the file came from.
    connect(textArea1_, &LogoTextEdit::pictureFileDropped, this, &Window1::loadDroppedFile, Qt::QueuedConnection);

    addLabel("dimensions_label1", {20, 173, 100, 20}, tr("Threshold"), true);
    addLabel("dimensions_label2", {173, 0, 100, 20}, tr("Imported Image"), true);
    addLabel("dimensions_label3", {377, 0, 100, 20}, tr("Processed Image"), true);
    addLabel("dimensions_label4", {581, 0, 136, 20}, tr("Image Data"), true);
    addLabel("dimensions_label5", {20, 352, 801, 20},
             tr("Plovan %1 — logos for receipt printers")
                 .arg(QLatin1String(kVersionLabel)),
             true);
}

} // namespace plovan
