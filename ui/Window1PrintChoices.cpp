// The window's side of the Image menu: a printer width or centring prepares the picture
// again from the one decoded, a halftone converts it anew, the automatic threshold moves
// the slider. Whatever fails leaves the window and the menu as they were.
#include "ui/Window1.h"

#include "conversion/AutoThreshold.h"
#include "conversion/PrepareForPrinter.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "messages/PrepareFailureWords.h"
#include "ui/ImageMenu.h"

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
            QMessageBox::warning(this, windowTitle(), printChoiceFailure(pictureName_, wanted.printerWidth, wanted.centre, *error));
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
    const std::optional<int> width = askPrinterWidth(proposed);
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

} // namespace plovan
