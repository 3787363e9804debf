#pragma once

#include "platform/Picture.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QScrollArea;

namespace plovan {

class PreviewPicture;

// "Print Preview": the working picture as large on the screen as it will be on paper, one
// dot 25.4 / dpi millimetres wide, measured with the screen's physical resolution. It lies
// on a white paper strip as wide as the printer's paper (never narrower than the picture)
// and as long as the picture's whole bands, with the size summary below and the printer's
// resolution to choose. It shows what it is given; the main window hands it the working
// picture again whenever that changes.
//
// Children by object name: "PreviewPaper" (the strip), "PreviewPicture" (the picture on
// it), "PreviewSummary" (the summary line), "PreviewDpi" (the resolution).
class PrintPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> kDpiChoices{180, 203, 300};

    explicit PrintPreview(QWidget *parent = nullptr);

    // Holds the picture and shows it anew, also when it is the same picture rewritten in
    // place. paperDots: the paper's width in dots; the picture's own width when wider.
    // Nothing (an empty reference) shows an empty preview.
    void setPicture(PictureRef picture, int paperDots);
    const PictureRef &picture() const { return picture_; }

    int dpi() const;
    // One of kDpiChoices.
    void setDpi(int dpi);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void layOut();

    PictureRef picture_;
    int paperDots_ = 0;

    QScrollArea *desk_ = nullptr;
    QWidget *paper_ = nullptr;
    PreviewPicture *pictureView_ = nullptr;
    QLabel *summary_ = nullptr;
    QComboBox *dpiChoice_ = nullptr;
};

} // namespace plovan
