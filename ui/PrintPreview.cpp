#include "ui/PrintPreview.h"

#include "conversion/LogoSummary.h"
#include "conversion/PrintSimulation.h"
#include "messages/LogoSummaryWords.h"
#include "ui/AccessibleWidgets.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>
#include <functional>
#include <new>
#include <utility>

namespace plovan {

// The picture, painted to fill the widget. Shrunk (a screen has fewer pixels to the inch
// than a printer has dots), it is smoothed, so that a fine pattern shows as the grey it will
// look like on paper instead of the moiré of dropped dots. Enlarged (a zoom), it is not:
// each dot is a block of whole pixels, its edges sharp, as the grid of dots is.
class PreviewPicture : public QWidget {
    Q_OBJECT // its class name gives it the Graphic role (ui/AccessibleWidgets)
public:
    explicit PreviewPicture(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        installAccessibleWidgets();
    }

    void setPicture(const PictureRef &picture)
    {
        picture_ = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!picture_ || width() == 0 || height() == 0)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, width() < picture_->Width());
        painter.drawImage(rect(), picture_->image());
    }

private:
    PictureRef picture_;
};

namespace {

// Logical pixels on this screen for `dots` printed at `dpi`: dots x 25.4 / dpi millimetres,
// at the screen's physical pixels per inch.
int screenPixels(int dots, int dpi, qreal screenDpi)
{
    return int(std::lround(dots * screenDpi / dpi));
}

} // namespace

PrintPreview::PrintPreview(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(tr("Print Preview"));
    setAccessibleDescription(tr("The picture as large as it will print"));

    paper_ = new QWidget;
    paper_->setObjectName(QStringLiteral("PreviewPaper"));
    paper_->setAutoFillBackground(true);
    QPalette white = paper_->palette();
    white.setColor(QPalette::Window, Qt::white);
    paper_->setPalette(white);
    pictureView_ = new PreviewPicture(paper_);
    pictureView_->setObjectName(QStringLiteral("PreviewPicture"));
    pictureView_->setAccessibleName(tr("Picture on paper"));

    desk_ = new QScrollArea;
    desk_->setObjectName(QStringLiteral("PreviewDesk"));
    desk_->setBackgroundRole(QPalette::Dark);
    desk_->setAlignment(Qt::AlignCenter);
    desk_->setWidgetResizable(false);
    desk_->setWidget(paper_);

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("PreviewSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    dpiChoice_ = new QComboBox;
    dpiChoice_->setObjectName(QStringLiteral("PreviewDpi"));
    // A screen reader would name it by its current choice ("203 dpi") and read that twice.
    dpiChoice_->setAccessibleName(tr("Printer resolution"));
    dpiChoice_->view()->setAccessibleName(tr("Printer resolution"));
    for (int dpi : kDpiChoices)
        dpiChoice_->addItem(tr("%1 dpi").arg(dpi), dpi);
    dpiChoice_->setCurrentIndex(dpiChoice_->findData(kDefaultDpi));
    auto *dpiLabel = new QLabel(tr("Printer &resolution:"));
    dpiLabel->setBuddy(dpiChoice_);
    connect(dpiChoice_, &QComboBox::currentIndexChanged, this, &PrintPreview::layOut);

    zoomChoice_ = new QComboBox;
    zoomChoice_->setObjectName(QStringLiteral("PreviewZoom"));
    zoomChoice_->setAccessibleName(tr("Zoom"));
    zoomChoice_->view()->setAccessibleName(tr("Zoom"));
    zoomChoice_->addItem(tr("Fit"), kZoomFit);
    zoomChoice_->addItem(tr("Printed Size"), kZoomPrintedSize);
    for (const int pixels : {2, 4, 8})
        zoomChoice_->addItem(tr("%1 pixels a dot").arg(pixels), pixels);
    zoomChoice_->setCurrentIndex(zoomChoice_->findData(kZoomPrintedSize));
    auto *zoomLabel = new QLabel(tr("&Zoom:"));
    zoomLabel->setBuddy(zoomChoice_);
    connect(zoomChoice_, &QComboBox::currentIndexChanged, this, &PrintPreview::layOut);

    asPrinted_ = new QCheckBox(tr("As &Printed"));
    asPrinted_->setObjectName(QStringLiteral("PreviewAsPrinted"));
    asPrinted_->setAccessibleDescription(tr("The dots as the printer's round dots print them"));
    connect(asPrinted_, &QCheckBox::toggled, this, &PrintPreview::showPicture);

    // Closed from the keyboard as a document window is. Its own window's, so that the main
    // window's Escape (none) and Close keys stay its own.
    auto *close = new QAction(this);
    close->setObjectName(QStringLiteral("PreviewClose"));
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close))
        if (!closeKeys.contains(key))
            closeKeys << key;
    close->setShortcuts(closeKeys);
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    auto *choices = new QHBoxLayout;
    choices->addWidget(dpiLabel);
    choices->addWidget(dpiChoice_);
    choices->addSpacing(12);
    choices->addWidget(zoomLabel);
    choices->addWidget(zoomChoice_);
    choices->addSpacing(12);
    choices->addWidget(asPrinted_);
    choices->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(desk_, 1);
    layout->addWidget(summary_);
    layout->addLayout(choices);

    layOut();
    resize(640, 420);
}

void PrintPreview::setPicture(PictureRef picture, int paperDots, int dotGainHundredths)
{
    // Take hold of the new picture before letting go of the old one, which may be the same.
    PictureRef previous = std::exchange(picture_, std::move(picture));
    paperDots_ = paperDots;
    dotGain_ = dotGainHundredths;
    simulated_.reset();
    showPicture();
    previous.reset();
    layOut();
}

const PictureRef &PrintPreview::shown() const
{
    return simulated_ ? simulated_ : picture_;
}

void PrintPreview::showPicture()
{
    simulated_.reset();
    // A picture too large to simulate shows its dots; the check waits for a smaller one.
    const bool simulable = picture_ && picture_->Width() <= kMaxSimulatedDots && picture_->Height() <= kMaxSimulatedDots;
    // So does one whose simulation (64 pixels a dot) finds no memory: the preview is to look
    // at, and never the reason a redraw fails.
    if (asPrinted_->isChecked() && simulable) {
        try {
            if (std::optional<PictureRef> print = simulatePrint(*picture_, dotGain_))
                simulated_ = std::move(*print);
        } catch (const std::bad_alloc &) {
            simulated_.reset();
        }
    }
    pictureView_->setPicture(shown());
}

bool PrintPreview::asPrinted() const
{
    return asPrinted_->isChecked();
}

void PrintPreview::setAsPrinted(bool asPrinted)
{
    asPrinted_->setChecked(asPrinted);
}

int PrintPreview::zoom() const
{
    return zoomChoice_->currentData().toInt();
}

void PrintPreview::setZoom(int zoom)
{
    const int index = zoomChoice_->findData(zoom);
    if (index >= 0)
        zoomChoice_->setCurrentIndex(index);
}

int PrintPreview::dpi() const
{
    return dpiChoice_->currentData().toInt();
}

void PrintPreview::setDpi(int dpi)
{
    const int index = dpiChoice_->findData(dpi);
    if (index >= 0)
        dpiChoice_->setCurrentIndex(index);
}

void PrintPreview::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Moved to a screen of another resolution, the picture keeps its printed size.
    if (QWindow *window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &PrintPreview::layOut, Qt::UniqueConnection);
    layOut();
}

void PrintPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (zoom() == kZoomFit)
        layOut();
}

void PrintPreview::layOut()
{
    if (!picture_) {
        pictureView_->resize(0, 0);
        paper_->resize(0, 0);
        summary_->setText(tr("No picture loaded"));
        pictureView_->setAccessibleDescription(summary_->text());
        return;
    }
    const int dpi = this->dpi();
    const LogoSummary logo = logoSummary(picture_->Width(), picture_->Height());
    const QScreen *shownOn = screen();
    const qreal screenDpiX = shownOn->physicalDotsPerInchX();
    const qreal screenDpiY = shownOn->physicalDotsPerInchY();
    const int paperDots = std::max(paperDots_, picture_->Width());
    // Logical pixels for so many dots across and down, at the zoom chosen.
    std::function<int(int)> across, down;
    const int zoom = this->zoom();
    if (zoom == kZoomPrintedSize) {
        across = [&](int dots) { return screenPixels(dots, dpi, screenDpiX); };
        down = [&](int dots) { return screenPixels(dots, dpi, screenDpiY); };
    } else {
        // Fitted, the whole paper within the desk without scroll bars: whole pixels, rounded
        // down, so that it never needs them.
        const QSize room = desk_->maximumViewportSize();
        const qreal perDot = zoom == kZoomFit
            ? std::max(0.0, std::min(qreal(room.width()) / paperDots, qreal(room.height()) / logo.height))
            : zoom / devicePixelRatioF();
        across = down = [perDot](int dots) { return int(std::floor(dots * perDot + 1e-9)); };
    }
    pictureView_->setGeometry(0, 0, across(picture_->Width()), down(picture_->Height()));
    // The printer feeds whole bands of eight rows: the paper runs on to the end of the last.
    paper_->resize(across(paperDots), down(logo.height));
    summary_->setText(logoSummaryLine(logo, dpi));
    if (pictureView_->accessibleDescription() != summary_->text())
        pictureView_->setAccessibleDescription(summary_->text());
}

} // namespace plovan

#include "PrintPreview.moc"
