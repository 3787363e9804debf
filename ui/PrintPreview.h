#pragma once

#include "platform/Picture.h"

#include <QWidget>
#include <array>

class QAction;
class QCheckBox;
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
// "As Printed" shows the dots as the printer's round dots print them (simulatePrint, with
// the dot gain it is given) instead of as square cells. The zoom shows the paper at its
// printed size (the default), fitted to the preview, or at 2, 4 or 8 screen pixels a dot,
// each dot then a block of pixels of its own. Escape and the platform's Close key (Ctrl+W)
// close it.
//
// Children by object name: "PreviewPaper" (the strip), "PreviewPicture" (the picture on
// it), "PreviewSummary" (the summary line), "PreviewDpi" (the resolution), "PreviewZoom"
// (the zoom), "PreviewAsPrinted" (the check), "PreviewClose" (the action of its keys).
class PrintPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> kDpiChoices{180, 203, 300};
    // The zoom's choices: the paper fitted to the preview, its printed size, or so many
    // screen pixels a dot.
    static constexpr int kZoomFit = -1;
    static constexpr int kZoomPrintedSize = 0;
    static constexpr std::array<int, 5> kZoomChoices{kZoomFit, kZoomPrintedSize, 2, 4, 8};

    explicit PrintPreview(QWidget *parent = nullptr);

    // Holds the picture and shows it anew, also when it is the same picture rewritten in
    // place. paperDots: the paper's width in dots; the picture's own width when wider.
    // Nothing (an empty reference) shows an empty preview. dotGainHundredths: how the
    // printer's dots print, for As Printed (PrintSettings::dotGainHundredths).
    void setPicture(PictureRef picture, int paperDots, int dotGainHundredths = 0);
    const PictureRef &picture() const { return picture_; }
    // What the picture on the paper shows: the picture, or with As Printed its simulation.
    const PictureRef &shown() const;

    bool asPrinted() const;
    void setAsPrinted(bool asPrinted);
    int zoom() const;
    // One of kZoomChoices.
    void setZoom(int zoom);

    int dpi() const;
    // One of kDpiChoices.
    void setDpi(int dpi);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layOut();
    // Makes the simulation when As Printed wants one, and hands the picture view what it shows.
    void showPicture();

    PictureRef picture_;
    PictureRef simulated_; // of picture_, while As Printed is on and it can be made
    int paperDots_ = 0;
    int dotGain_ = 0;

    QScrollArea *desk_ = nullptr;
    QWidget *paper_ = nullptr;
    PreviewPicture *pictureView_ = nullptr;
    QLabel *summary_ = nullptr;
    QComboBox *dpiChoice_ = nullptr;
    QComboBox *zoomChoice_ = nullptr;
    QCheckBox *asPrinted_ = nullptr;
};

} // namespace plovan
