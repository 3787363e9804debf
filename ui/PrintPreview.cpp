#include "ui/PrintPreview.h"

#include "conversion/LogoSummary.h"
#include "messages/LogoSummaryWords.h"
#include "ui/AccessibleWidgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>
#include <utility>

namespace plovan {

// The picture, painted to fill the widget. Shrunk (a screen has fewer pixels to the inch
// than a printer has dots), it is smoothed, so that a fine pattern shows as the grey it will
// look like on paper instead of the moiré of dropped dots.
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

    auto *choices = new QHBoxLayout;
    choices->addWidget(dpiLabel);
    choices->addWidget(dpiChoice_);
    choices->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(desk_, 1);
    layout->addWidget(summary_);
    layout->addLayout(choices);

    layOut();
    resize(640, 420);
}

void PrintPreview::setPicture(PictureRef picture, int paperDots)
{
    // Take hold of the new picture before letting go of the old one, which may be the same.
    PictureRef previous = std::exchange(picture_, std::move(picture));
    paperDots_ = paperDots;
    pictureView_->setPicture(picture_);
    previous.reset();
    layOut();
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
    pictureView_->setGeometry(0, 0, screenPixels(picture_->Width(), dpi, screenDpiX),
                              screenPixels(picture_->Height(), dpi, screenDpiY));
    // The printer feeds whole bands of eight rows: the paper runs on to the end of the last.
    paper_->resize(screenPixels(std::max(paperDots_, picture_->Width()), dpi, screenDpiX),
                   screenPixels(logo.height, dpi, screenDpiY));
    summary_->setText(logoSummaryLine(logo, dpi));
    if (pictureView_->accessibleDescription() != summary_->text())
        pictureView_->setAccessibleDescription(summary_->text());
}

} // namespace plovan

#include "PrintPreview.moc"
