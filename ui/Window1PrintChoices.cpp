// The window's side of the Image menu: a printer width or centring prepares the picture
// again from the one decoded, a halftone converts it anew, the automatic threshold moves
// the slider. Whatever fails leaves the window and the menu as they were.
#include "ui/Window1.h"

#include "conversion/AutoThreshold.h"
#include "conversion/PreparePicture.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "ui/ImageMenu.h"

#include <QInputDialog>
#include <algorithm>
#include <utility>
#include <QMessageBox>
#include <QSlider>

namespace plovan {
namespace {

// What the width dialog proposes when no printer width has been chosen yet: the widest
// common print head.
constexpr int kProposedWidth = 576;

} // namespace

void Window1::connectImageMenu(ImageMenu *menu)
{
    imageMenu_ = menu;
    choices_ = ImageChoices::remembered();
    state_.print = choices_.printSettings();
    menu->show(choices_);
    connect(menu, &ImageMenu::choicesWanted, this, &Window1::ImageMenu_ChoicesWanted);
    connect(menu, &ImageMenu::otherWidthWanted, this, &Window1::ImageWidthOther_Action);
    connect(menu, &ImageMenu::automaticThresholdWanted, this, &Window1::ImageAutomaticThreshold_Action);
}

void Window1::ImageMenu_ChoicesWanted(const ImageChoices &wanted)
{
    guarded([this, wanted] {
        // Everything is made before anything of the window changes. The choices change with
        // the settings, so that a view failing halfway through the commit leaves the menu
        // saying what the window uses.
        const ImageChoices before = std::exchange(choices_, wanted);
        if (const std::optional<PrepareError> error =
                changePrintSettings(state_, *this, wanted.printSettings(), availableMemory_)) {
            choices_ = before;
            imageMenu_->show(choices_);
            QMessageBox::warning(this, windowTitle(), printChoiceFailure(wanted, *error));
            return;
        }
        imageMenu_->show(choices_);
        choices_.remember();
        redraw(state_, *this);
    });
    // Also after a failure in the middle: the checks say what the window uses.
    imageMenu_->show(choices_);
}

void Window1::ImageWidthOther_Action()
{
    int proposed = choices_.printerWidth;
    if (proposed == 0)
        proposed = state_.pix ? std::min(state_.pix->Width(), kProposedWidth) : kProposedWidth;
    std::optional<int> width;
    if (widthChooser_) {
        width = widthChooser_(proposed);
    } else {
        bool ok = false;
        const int chosen = QInputDialog::getInt(this, tr("Printer Width"), tr("Width of the print head in dots:"),
                                                proposed, 1, Picture::kMaxSide, 1, &ok);
        if (ok)
            width = chosen;
    }
    if (!width || !Picture::sideInRange(*width)) {
        imageMenu_->show(choices_); // cancelled: the width checked before stays checked
        return;
    }
    ImageChoices wanted = choices_;
    wanted.printerWidth = *width;
    ImageMenu_ChoicesWanted(wanted);
}

void Window1::ImageAutomaticThreshold_Action()
{
    if (!state_.hasPictures())
        return;
    // The slider reports the new value like any other change: threshold, thresh_label,
    // redraw. The same value again changes nothing, so nothing is redrawn.
    guarded([this] { slider1_->setValue(automaticThreshold(*state_.pix, state_.reverse)); });
}

QString Window1::printChoiceFailure(const ImageChoices &wanted, const PrepareError &error) const
{
    const QString name = pictureName_.isEmpty() ? tr("the picture") : QStringLiteral("'%1'").arg(pictureName_);
    const QString choice = wanted.printerWidth == 0 ? tr("its original size")
        : wanted.centre                            ? tr("paper %1 dots wide").arg(wanted.printerWidth)
                                                   : tr("a width of %1 dots").arg(wanted.printerWidth);
    QString reason;
    switch (error.reason) {
    case PrepareError::Reason::NotEnoughMemory:
        reason = tr("there is not enough memory for a picture of %1x%2 dots.").arg(error.width).arg(error.height);
        break;
    case PrepareError::Reason::WiderThanPaper:
        reason = tr("it is %1 dots wide, wider than the paper's %2 dots.").arg(error.width).arg(error.paperWidth);
        break;
    case PrepareError::Reason::OutOfRange:
        reason = tr("a picture of %1x%2 dots is outside the range 1-32767.").arg(error.width).arg(error.height);
        break;
    }
    return tr("Cannot prepare %1 for %2: %3").arg(name, choice, reason);
}

} // namespace plovan
