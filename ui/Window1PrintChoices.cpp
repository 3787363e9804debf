// The window's side of the Image menu: a printer width, centring, a turn, the mirror,
// trimming or a tone prepares the picture again from the one decoded, a halftone,
// serpentine rows or the printer's dots convert it anew, the automatic threshold moves the
// slider, Adjust Tone opens its dialog, Calibration Strip loads the strip. Whatever fails
// leaves the window and the menu as they were.
#include "ui/Window1.h"

#include "conversion/AutoThreshold.h"
#include "conversion/CalibrationStrip.h"
#include "conversion/DotModel.h"
#include "conversion/PrepareForPrinter.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "messages/PrepareFailureWords.h"
#include "ui/ImageMenu.h"
#include "ui/ToneDialog.h"

#include <algorithm>
#include <utility>
#include <QLabel>
#include <QMessageBox>
#include <QSlider>

namespace plovan {
namespace {

// What the width dialog proposes when no printer width has been chosen yet: the widest
// common print head.
constexpr int kProposedWidth = 576;
// What the dot gain dialog proposes without a dot gain: R = 1.2.
constexpr int kProposedDotGain = 120;

// The calibration strip's width: the printer's, or as plovan-cli makes it without a width
// for Original Size.
int stripWidth(const ImageChoices &choices)
{
    return choices.printerWidth > 0 ? choices.printerWidth : kDefaultCalibrationStripWidth;
}

} // namespace

void Window1::connectImageMenu(ImageMenu *menu)
{
    imageMenu_ = menu;
    choices_ = ImageChoices::remembered();
    state_.print = choices_.printSettings();
    menu->show(choices_);
    menu->setPictureLoaded(false);
    connect(menu, &ImageMenu::choicesWanted, this, &Window1::ImageMenu_ChoicesWanted);
    connect(menu, &ImageMenu::otherWidthWanted, this, &Window1::ImageWidthOther_Action);
    connect(menu, &ImageMenu::otherDotGainWanted, this, &Window1::ImageDotsOther_Action);
    connect(menu, &ImageMenu::calibrationStripWanted, this, &Window1::ImageCalibrationStrip_Action);
    connect(menu, &ImageMenu::automaticThresholdWanted, this, &Window1::ImageAutomaticThreshold_Action);
    connect(menu, &ImageMenu::adjustToneWanted, this, &Window1::ImageAdjustTone_Action);
}

void Window1::ImageMenu_ChoicesWanted(const ImageChoices &wanted)
{
    guarded([this, wanted] {
        // Everything is made before anything of the window changes. The choices change with
        // the settings, so that a view failing halfway through the commit leaves the menu
        // saying what the window uses.
        const ImageChoices before = std::exchange(choices_, wanted);
        if (stripShown_
            && (wanted.halftone != before.halftone || wanted.serpentine != before.serpentine
                || (wanted.printerWidth != before.printerWidth && stripWidth(wanted) >= kMinCalibrationStripWidth))) {
            // The strip's patches are the halftone's, and it is as wide as the printer: it is
            // made anew for the new one. (A width too narrow for it shrinks it, as a picture.)
            if (loadCalibrationStrip())
                choices_.remember();
            else
                choices_ = before;
            return;
        }
        if (const std::optional<PrepareError> error =
                changePrintSettings(state_, *this, printSettingsOf(wanted, state_.reverse), availableMemory_)) {
            choices_ = before;
            imageMenu_->show(choices_);
            if (toneDialog_)
                toneDialog_->showTone(choices_.tone);
            QWidget *over = toneDialog_ ? static_cast<QWidget *>(toneDialog_.data()) : this;
            QMessageBox::warning(over, windowTitle(), choiceFailure(before, wanted, *error));
            return;
        }
        imageMenu_->show(choices_);
        choices_.remember();
        redraw(state_, *this);
    });
    // Also after a failure in the middle: the checks say what the window uses.
    imageMenu_->show(choices_);
    if (toneDialog_)
        toneDialog_->showTone(choices_.tone);
}

QString Window1::choiceFailure(const ImageChoices &before, const ImageChoices &wanted, const PrepareError &error) const
{
    if (wanted.orientation.quarterTurns != before.orientation.quarterTurns)
        return pictureChoiceFailure(pictureName_, PictureChange::Turn, error);
    if (wanted.orientation.mirror != before.orientation.mirror)
        return pictureChoiceFailure(pictureName_, PictureChange::Mirror, error);
    if (wanted.tone != before.tone)
        return pictureChoiceFailure(pictureName_, PictureChange::Tone, error);
    if (wanted.trim != before.trim)
        return pictureChoiceFailure(pictureName_, wanted.trim ? PictureChange::Trim : PictureChange::Untrim, error);
    return printChoiceFailure(pictureName_, wanted.printerWidth, wanted.centre, error);
}

void Window1::ImageWidthOther_Action()
{
    int proposed = choices_.printerWidth;
    if (proposed == 0)
        proposed = state_.pix ? std::min(state_.pix->Width(), kProposedWidth) : kProposedWidth;
    const std::optional<int> width = askPrinterWidth(proposed);
    if (!width || !Picture::sideInRange(*width)) {
        imageMenu_->show(choices_); // cancelled: the width checked before stays checked
        return;
    }
    ImageChoices wanted = choices_;
    wanted.printerWidth = *width;
    ImageMenu_ChoicesWanted(wanted);
}

void Window1::ImageDotsOther_Action()
{
    // The dot gain in use, or the middle of what thermal heads have when there is none.
    const int proposed = choices_.dotGainHundredths != 0 ? choices_.dotGainHundredths : kProposedDotGain;
    const std::optional<int> gain = askDotGain(proposed);
    if (!gain || *gain < kMinDotGain || *gain > kMaxDotGain) {
        imageMenu_->show(choices_); // cancelled: the entry checked before stays checked
        return;
    }
    ImageChoices wanted = choices_;
    wanted.dotGainHundredths = *gain;
    ImageMenu_ChoicesWanted(wanted);
}

void Window1::ImageCalibrationStrip_Action()
{
    guarded([this] { loadCalibrationStrip(); });
}

bool Window1::loadCalibrationStrip()
{
    const int width = stripWidth(choices_);
    if (width < kMinCalibrationStripWidth) {
        QMessageBox::warning(this, windowTitle(),
                             tr("The calibration strip needs a printer width of at least %1 dots.")
                                 .arg(kMinCalibrationStripWidth));
        return false;
    }
    // Made before anything of the window changes, then loaded as a decoded picture is, and
    // converted at once, as a logo data text opened is: Create gives its text.
    const bool serpentine = choices_.serpentine && isErrorDiffusion(choices_.halftone);
    PictureRef strip = calibrationStrip(width, choices_.halftone, serpentine);
    const QString name = tr("Calibration Strip");
    if (!loadAfresh([&] {
            stripShown_ = true;
            state_.print = printSettingsOf(choices_, state_.reverse);
            return !load(state_, PictureSource::picture(std::move(strip), name), this, availableMemory_);
        }))
        return false;
    pictureName_ = name;
    redraw(state_, *this);
    return true;
}

PrintSettings Window1::printSettingsOf(const ImageChoices &choices, bool reverse) const
{
    PrintSettings print = choices.printSettings(reverse);
    if (stripShown_) {
        print.halftone = Halftone::None;
        print.serpentine = false;
    }
    return print;
}

void Window1::ImageAutomaticThreshold_Action()
{
    if (!state_.hasPictures())
        return;
    // The slider reports the new value like any other change: threshold, thresh_label,
    // redraw. The same value again changes nothing, so nothing is redrawn.
    guarded([this] { slider1_->setValue(automaticThreshold(*state_.pix, state_.reverse)); });
}

void Window1::ImageAdjustTone_Action()
{
    if (toneDialog_ || !state_.hasPictures())
        return;
    guarded([this] {
        // The pictures are kept as they are: a tone prepares new ones and converts those, so
        // these stay untouched for Cancel to put back, bit for bit.
        beforeTone_ = BeforeTone{state_.pix, state_.destPix, state_.print, choices_,
                                 dimensionsLabel_->text(), progressLabel_->text()};
        auto *dialog = new ToneDialog(choices_.tone, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &ToneDialog::toneWanted, this, &Window1::ToneDialog_ToneWanted);
        connect(dialog, &QDialog::rejected, this, &Window1::ToneDialog_Rejected);
        connect(dialog, &QDialog::accepted, this, [this] { beforeTone_.reset(); });
        toneDialog_ = dialog;
        // Modal to this window, which it changes, without waiting here for it to close.
        dialog->open();
    });
}

ToneDialog *Window1::toneDialog() const
{
    return toneDialog_.data();
}

void Window1::ToneDialog_ToneWanted(const Tone &tone)
{
    ImageChoices wanted = choices_;
    wanted.tone = tone;
    ImageMenu_ChoicesWanted(wanted);
}

void Window1::ToneDialog_Rejected()
{
    if (!beforeTone_)
        return;
    BeforeTone before = std::move(*beforeTone_);
    beforeTone_.reset();
    guarded([this, &before] {
        choices_ = before.choices;
        state_.print = before.print;
        commitLoad(state_, *this, LoadedPictures{std::move(before.pix), std::move(before.destPix), state_.original});
        dimensionsLabel_->setText(before.dimensions);
        progressLabel_->setText(before.progress);
    });
    imageMenu_->show(choices_);
}

} // namespace plovan
