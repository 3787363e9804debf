#include "ui/Canvas.h"

#include "ui/AccessibleWidgets.h"

#include <QPainter>
#include <utility>

namespace plovan {

Canvas::Canvas(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Transparent: the window's own background shows around a small picture.
    setAutoFillBackground(false);
    installAccessibleWidgets();
    describe();
}

void Canvas::describe()
{
    // The size as the window's size label shows it, never in the locale's digits.
    const QString description = backdrop_
        ? tr("%1 dots").arg(QString::number(backdrop_->Width()) + QLatin1Char('x') + QString::number(backdrop_->Height()))
        : tr("No picture");
    // Told to a screen reader only when it changes, not at every redraw.
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void Canvas::setBackdrop(PictureRef picture)
{
    // Take hold of the new picture before letting go of the old one, which may be the same.
    PictureRef previous = std::exchange(backdrop_, std::move(picture));
    scaled_ = QImage();
    scaledSize_ = QSize();
    scaledRatio_ = 0;
    if (needsScaling())
        renderScaled();
    previous.reset();
    describe();
    update();
    Q_EMIT backdropChanged();
}

bool Canvas::needsScaling() const
{
    return backdrop_ && (backdrop_->Width() > width() || backdrop_->Height() > height());
}

QRect Canvas::backdropRect() const
{
    if (!backdrop_)
        return {};
    const QSize pictureSize(backdrop_->Width(), backdrop_->Height());
    if (!needsScaling())
        return QRect(QPoint(0, 0), pictureSize);
    // A very long, thin picture keeps at least one pixel across.
    return QRect(QPoint(0, 0), pictureSize.scaled(size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
}

void Canvas::renderScaled()
{
    // Scaled for the screen's pixels, so a high-resolution display gets a sharp picture.
    const qreal ratio = devicePixelRatioF();
    const QSize size = backdropRect().size();
    scaled_ = backdrop_->image().scaled((size * ratio).expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
    scaled_.setDevicePixelRatio(ratio);
    scaledSize_ = size;
    scaledRatio_ = ratio;
}

void Canvas::paintEvent(QPaintEvent *)
{
    if (!backdrop_)
        return;
    QPainter painter(this);
    if (!needsScaling()) {
        painter.drawImage(QPoint(0, 0), backdrop_->image());
        return;
    }
    // The canvas may have moved to a screen of another pixel ratio, or been resized.
    if (scaledRatio_ != devicePixelRatioF() || scaledSize_ != backdropRect().size())
        renderScaled();
    painter.drawImage(QPoint(0, 0), scaled_);
}

} // namespace plovan
