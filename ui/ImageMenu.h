#pragma once

#include "ui/ImageChoices.h"

#include <QList>
#include <QObject>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QMenu;

namespace plovan {

// The Image menu: how the picture is made ready for a receipt printer.
//   Printer Width ▸ Original Size | 384 dots (58 mm paper) | 576 dots (80 mm paper) |
//                   832 dots (112 mm paper) | Other Width…      (one of them)
//   Centre on Paper                                              (on or off)
//   Halftone ▸ None | Floyd–Steinberg | Atkinson | Ordered | ... (one of them, every
//              halftone of conversion/HalftoneNames in its order)
//              ---
//              Serpentine                                        (on or off)
//   Printer Dots ▸ Square (no model) | 1.0 | 1.1 | 1.2 | 1.3 | 1.4 | Other…
//                                                                (one of them)
//   ---
//   Automatic Threshold
//   Calibration Strip
//   (the menu bar's items, added through menu(): --- Print Preview)
//   ---                                   (added by addPictureItems(), after those)
//   Rotate Right           Ctrl+R
//   Rotate Left            Ctrl+L
//   Mirror                                                       (on or off)
//   Trim White Margins                                           (on or off)
//   Adjust Tone…
// The menu only shows choices and asks for them: a choice made sends what the user wants,
// and the window answers with show() once it has taken it or refused it, so the checks
// always say what the window uses. Every entry has an object name ("ImageMenu",
// "ImageWidth576", "ImageCentre", "ImageHalftoneAtkinson", "ImageHalftoneBlueNoise", ...,
// "ImageSerpentine", "ImagePrinterDots", "ImageDotsSquare", "ImageDots120", "ImageDotsOther",
// "ImageCalibrationStrip", "ImageRotateRight", ...).
class ImageMenu : public QObject {
    Q_OBJECT
public:
    explicit ImageMenu(QObject *parent = nullptr);
    ~ImageMenu() override;

    QMenu *menu() const { return menu_.get(); }
    // Appends the choices about the picture itself after a separator, below whatever has
    // been added to menu() by then. Once.
    void addPictureItems();

    // Checks the entries of `choices`. "Centre on Paper" is enabled only with a printer
    // width (it keeps its check without one, for the next width chosen), "Serpentine" only
    // with an error diffusion (likewise).
    void show(const ImageChoices &choices);
    const ImageChoices &shown() const { return shown_; }
    // Whether there is a picture to turn, mirror and tone: without one those are disabled.
    void setPictureLoaded(bool loaded);

    // The printer widths offered by name, in dots: the print heads of 58, 80 and 112 mm
    // paper at 203 dots per inch.
    static constexpr int kPaperWidths[] = {384, 576, 832};
    // The dot gains offered by name, in hundredths: the steps of the calibration strip.
    static constexpr int kNamedDotGains[] = {100, 110, 120, 130, 140};

Q_SIGNALS:
    // A width, centring, halftone, serpentine, turn, mirror or trimming chosen: the shown
    // choices with that one changed.
    void choicesWanted(const plovan::ImageChoices &wanted);
    // "Other Width…": the width has still to be asked for.
    void otherWidthWanted();
    // "Other…" of Printer Dots: the dot gain has still to be asked for.
    void otherDotGainWanted();
    // "Calibration Strip": the strip is to be the picture.
    void calibrationStripWanted();
    void automaticThresholdWanted();
    // "Adjust Tone…": the tone has still to be asked for.
    void adjustToneWanted();

private:
    QAction *addChoice(QMenu *menu, QActionGroup *group, const char *name, const QString &text);
    QAction *addCheck(QMenu *menu, const char *name, const QString &text);
    void want(const std::function<void(ImageChoices &)> &change);

    // A widget cannot have this object as its parent, so it owns the menus here.
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QMenu> widthMenu_;
    std::unique_ptr<QMenu> halftoneMenu_;
    std::unique_ptr<QMenu> dotsMenu_;
    QAction *original_ = nullptr;
    QAction *paperWidths_[std::size(kPaperWidths)] = {};
    QAction *otherWidth_ = nullptr;
    QAction *centre_ = nullptr;
    QList<QAction *> halftones_; // in the order of kHalftoneNames
    QAction *serpentine_ = nullptr;
    QAction *squareDots_ = nullptr;
    QAction *namedDotGains_[std::size(kNamedDotGains)] = {};
    QAction *otherDotGain_ = nullptr;
    QAction *rotateRight_ = nullptr;
    QAction *rotateLeft_ = nullptr;
    QAction *mirror_ = nullptr;
    QAction *trim_ = nullptr;
    QAction *adjustTone_ = nullptr;
    ImageChoices shown_;
};

} // namespace plovan
