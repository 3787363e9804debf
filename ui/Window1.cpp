#include "ui/Window1.h"

#include "Version.h"
#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "messages/LoadReasonWords.h"
#include "messages/MemoryWords.h"
#include "messages/RangeWords.h"
#include "platform/Exceptions.h"
#include "ui/Canvas.h"
#include "ui/LogoTextEdit.h"
#include "ui/MainMenuBar.h"
#include "ui/PictureFileNames.h"
#include "ui/PrintPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <new>

namespace plovan {
namespace {

// The content area below the menu bar. Its controls sit at fixed places, so it has no layout;
// its size hint is what gives the window its initial content size.
class ContentArea : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return Window1::kContentSize; }
};

// How often progress_label may be painted while an operation runs: often enough to see it
// count, seldom enough to cost nothing next to the work.
constexpr qint64 kProgressPaintMs = 50;

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

Window1::Window1(const MainMenuBar &menus, QWidget *parent) : QMainWindow(parent)
{
    // The menu bar first, then the window's own settings, then the controls.
    menus.attachTo(menuBar());
    connectImageMenu(menus.imageMenuChoices());

    setObjectName(QStringLiteral("Window1"));
    setWindowTitle(QStringLiteral("Plovan"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);

    content_ = new ContentArea(this);
    content_->setObjectName(QStringLiteral("content"));
    content_->setMinimumSize(64, 64);
    content_->setMaximumSize(32000, 32000);
    setCentralWidget(content_);

    createControls();
    // The menu items of the window's own reach this window while it is open.
    connect(menus.loadImageAction(), &QAction::triggered, this, &Window1::PushButton1_Action);
    connect(menus.openLogoTextAction(), &QAction::triggered, this, &Window1::FileOpenLogoText_Action);
    connect(menus.saveLogoTextAction(), &QAction::triggered, this, &Window1::FileSaveLogoText_Action);
    connect(menus.printPreviewAction(), &QAction::triggered, this, &Window1::ImagePrintPreview_Action);
    // The text area is the first control that takes the focus from a click: it holds the
    // focus from the start.
    textArea1_->setFocus(Qt::OtherFocusReason);
    resize(sizeHint());
}

Window1::~Window1() = default;

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
    // In tab order. Each control gets its settings before its handler is connected, so the
    // slider's initial value raises no value change and nothing is redrawn at start.
    canvas1_ = new Canvas(content_);
    canvas1_->setObjectName(QStringLiteral("Canvas1"));
    canvas1_->setGeometry(173, 20, 192, 320);
    canvas1_->setAccessibleName(tr("Imported Image"));

    pushButton1_ = plainButton(content_, "PushButton1", {20, 20, 123, 20}, tr("Load Image...."));
    connect(pushButton1_, &QPushButton::clicked, this, &Window1::PushButton1_Action);

    dimensionsLabel_ = addLabel("dimensions_label", {173, 419, 396, 20}, QStringLiteral("-"), false);

    canvas2_ = new Canvas(content_);
    canvas2_->setObjectName(QStringLiteral("Canvas2"));
    canvas2_->setGeometry(377, 20, 192, 320);
    canvas2_->setAccessibleName(tr("Processed Image"));

    pushButton2_ = plainButton(content_, "PushButton2", {20, 52, 123, 20}, tr("Refresh"));
    connect(pushButton2_, &QPushButton::clicked, this, &Window1::PushButton2_Action);

    progressLabel_ = addLabel("progress_label", {173, 439, 396, 20}, QStringLiteral("-"), false);

    slider1_ = new QSlider(Qt::Horizontal, content_);
    slider1_->setObjectName(QStringLiteral("Slider1"));
    slider1_->setGeometry(20, 159, 123, 23);
    slider1_->setAccessibleName(tr("Threshold"));
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

    checkBox1_ = new QCheckBox(tr("Reverse Image"), content_);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setGeometry(20, 127, 135, 20);
    checkBox1_->setChecked(state_.reverse);
    checkBox1_->setFocusPolicy(kClickedControlFocus);
    connect(checkBox1_, &QCheckBox::clicked, this, &Window1::CheckBox1_Action);

    pushButton3_ = plainButton(content_, "PushButton3", {20, 84, 123, 20}, tr("Create"));
    connect(pushButton3_, &QPushButton::clicked, this, &Window1::PushButton3_Action);

    textArea1_ = new LogoTextEdit(content_);
    textArea1_->setObjectName(QStringLiteral("TextArea1"));
    textArea1_->setGeometry(581, 19, 240, 321);
    textArea1_->setAccessibleName(tr("Image Data"));
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

void Window1::guarded(const std::function<void()> &work)
{
    QString failure;
    try {
        work();
        return;
    } catch (const std::bad_alloc &) {
        failure = notEnoughMemoryWords();
    } catch (const OutOfBoundsException &) {
        failure = sideRangeWords();
    } catch (const std::exception &error) {
        failure = tr("This could not be done: %1").arg(QString::fromUtf8(error.what()));
    }
    QMessageBox::warning(this, windowTitle(), failure);
}

void Window1::PushButton1_Action()
{
    guarded([this] {
        // A named pipe or a device is refused before it is opened, which could wait for ever.
        if (const std::optional<QString> path = chooseAndLoad(state_, *this, FileKinds::RegularOnly))
            pictureName_ = QFileInfo(*path).fileName();
    });
}

void Window1::PushButton2_Action()
{
    guarded([this] { redraw(state_, *this); });
}

void Window1::Slider1_ValueChanged()
{
    guarded([this] {
        state_.threshold = slider1_->value();
        threshLabel_->setText(QString::number(state_.threshold));
        redraw(state_, *this);
    });
}

void Window1::CheckBox1_Action()
{
    guarded([this] {
        state_.reverse = checkBox1_->isChecked();
        redraw(state_, *this);
    });
}

void Window1::PushButton3_Action()
{
    guarded([this] {
        // Whatever happens, the next text goes to the text area directly again.
        struct Gathering {
            Window1 &window;
            ~Gathering()
            {
                window.gatheringText_ = false;
                window.gatheredText_.reset();
            }
        } gathering{*this};
        gatheringText_ = true;
        createLogoText(state_, *this);
        if (gatheredText_)
            textArea1_->setContent(*gatheredText_);
    });
}

void Window1::loadDroppedFile(const QString &path)
{
    guarded([this, &path] { loadPicture(path); });
}

void Window1::loadPicture(const QString &path)
{
    // Prepared for the printer as the Image menu says (state_.print). A named pipe or a
    // device is refused before it is opened, which could wait for ever.
    if (loadFile(state_, *this, path, FileKinds::RegularOnly))
        pictureName_ = QFileInfo(path).fileName();
}

void Window1::setProgressText(const QString &text)
{
    progressLabel_->setText(text);
    // Painted at once, without handling any input, so the count is seen while the work runs
    // and no other handler can start inside this one.
    if (!progressPainted_.isValid() || progressPainted_.elapsed() >= kProgressPaintMs) {
        progressLabel_->repaint();
        progressPainted_.start();
    }
}

void Window1::setProcessedBackdrop(const PictureRef &picture)
{
    canvas2_->setBackdrop(picture);
    // The preview follows the working picture: after a load and after every redraw.
    if (preview_)
        preview_->setPicture(picture, paperDots());
}

void Window1::setImageDataText(const QString &text)
{
    if (gatheringText_)
        gatheredText_ = text;
    else
        textArea1_->setContent(text);
}

void Window1::appendImageDataText(QStringView text)
{
    if (!gatheringText_) {
        textArea1_->appendContent(text);
        return;
    }
    if (!gatheredText_)
        gatheredText_ = textArea1_->content();
    gatheredText_->append(text);
}

std::optional<QString> Window1::chooseFile(const FileTypeSet &types)
{
    if (chooser_)
        return chooser_(types);
    const QString path = QFileDialog::getOpenFileName(this, tr("Load Image"), QString(), pictureNameFilter(types));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void Window1::setSourceBackdrop(const PictureRef &picture)
{
    canvas1_->setBackdrop(picture);
}

void Window1::setDimensionsText(const QString &text)
{
    dimensionsLabel_->setText(text);
}

void Window1::showLoadError(const LoadError &error)
{
    QMessageBox::warning(this, windowTitle(), loadErrorText(error));
}

QString Window1::loadErrorText(const LoadError &error)
{
    return tr("Cannot load '%1': %2").arg(error.file, reasonWords(error.reason));
}

void Window1::closeEvent(QCloseEvent *event)
{
    state_.pix.reset();
    state_.destPix.reset();
    state_.original.reset();
    canvas1_->setBackdrop(nullptr);
    canvas2_->setBackdrop(nullptr);
    if (preview_) {
        preview_->setPicture(nullptr, 0);
        preview_->close();
    }
    QMainWindow::closeEvent(event);
}

void Window1::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedPictureFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Window1::dragMoveEvent(QDragMoveEvent *event)
{
    if (droppedPictureFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Window1::dropEvent(QDropEvent *event)
{
    const std::optional<QString> path = droppedPictureFile(event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QMetaObject::invokeMethod(this, [this, file = *path] { loadDroppedFile(file); }, Qt::QueuedConnection);
}

} // namespace plovan
