#pragma once

#include "platform/Picture.h"

#include <QImage>
#include <QWidget>

namespace plovan {

// Shows one picture, its backdrop. A picture that fits is painted at 1:1 from the top-left
// straight out of the picture's own pixels; a larger one is scaled down to fit, keeping its
// aspect ratio, once per backdrop change rather than at every paint. A screen reader hears
// it as a picture of its accessible name, with the picture's size in dots ("192x64 dots")
// as the description.
class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget *parent = nullptr);

    // Holds the picture (one more reference) and shows it anew, even when it is the same
    // picture as before: redraw rewrites the working picture in place and hands it over
    // again. Nothing (an empty reference) clears the canvas.
    void setBackdrop(PictureRef picture);
    const PictureRef &backdrop() const { return backdrop_; }

    // Where the backdrop lands inside the canvas, in the canvas's coordinates.
    QRect backdropRect() const;

Q_SIGNALS:
    void backdropChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool needsScaling() const;
    void renderScaled();
    void describe();

    PictureRef backdrop_;
    // Only ever a scaled-down rendering, never a copy of the picture itself: a shared
    // QImage would make the next in-place redraw detach a copy of the whole picture.
    QImage scaled_;
    QSize scaledSize_;
    qreal scaledRatio_ = 0;
};

} // namespace plovan
