// Image > Print Preview: the working picture at its printed size, on paper as wide as the
// printer width chosen. It follows the working picture after every load and redraw
// (setProcessedBackdrop), with the printer's dots for its As Printed, and lets the keyboard
// stay with the window.
#include "ui/Window1.h"

#include "ui/PrintPreview.h"

#include <QAction>

namespace plovan {

void Window1::ImagePrintPreview_Action()
{
    guarded([this] {
        if (!preview_) {
            preview_ = new PrintPreview(this);
            preview_->setAttribute(Qt::WA_DeleteOnClose);
            // The preview is to look at: the keyboard stays with this window, in the text
            // area, where Select All, Copy and Save go on working.
            preview_->setAttribute(Qt::WA_ShowWithoutActivating);
            // Once the user has given it the keyboard, the program's Quit key quits from it as
            // from this window: the menu bar is the program's, not one window's.
            if (quit_)
                preview_->addAction(quit_);
        }
        preview_->setPicture(state_.destPix, paperDots(), state_.print.dotGainHundredths);
        preview_->show();
        preview_->raise();
        // Some window systems activate a new window all the same. Being this window's own,
        // the preview stays in front of it.
        activateWindow();
    });
}

PrintPreview *Window1::printPreview() const
{
    return preview_.data();
}

int Window1::paperDots() const
{
    // The printer width chosen in the Image menu, else the picture's own width; the preview
    // never makes the paper narrower than the picture.
    if (choices_.printerWidth > 0)
        return choices_.printerWidth;
    return state_.destPix ? state_.destPix->Width() : 0;
}

} // namespace plovan
