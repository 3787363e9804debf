// The window's side of logo data text files and the print preview: File > Open Logo Data
// Text reads a text back into the window as its picture, File > Save Logo Data Text As
// writes the text area out exactly, Image > Print Preview shows the working picture at its
// printed size. A text that cannot be opened leaves the window as it was.
#include "ui/Window1.h"

#include "conversion/LogoTextReader.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "import/LogoTextFile.h"
#include "messages/LogoTextFaultWords.h"
#include "messages/ReadFailureWords.h"
#include "ui/LogoTextEdit.h"
#include "ui/LogoTextFiles.h"
#include "ui/PrintPreview.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <variant>

namespace plovan {

void Window1::FileOpenLogoText_Action()
{
    guarded([this] {
        const std::optional<QString> path = chooseLogoTextFile(LogoTextDialog::Open);
        if (!path)
            return;
        const QString name = QDir::toNativeSeparators(*path);
        // A named pipe is refused before it is opened: open() would wait for a writer.
        std::variant<ReadLogoText, LogoTextReadError> read =
            readLogoTextFile(*path, FileKinds::RegularOnly, LogoTextPicture::Make);
        if (const auto *error = std::get_if<LogoTextReadError>(&read)) {
            QMessageBox::warning(this, windowTitle(), openFailureWords(name, *error));
            return;
        }
        ReadLogoText &opened = std::get<ReadLogoText>(read);
        if (!opened.reading.check.valid) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("'%1' is not logo data text: %2")
                                     .arg(name, logoTextFaultPlaceAndWords(opened.reading.check.fault)));
            return;
        }
        // Valid text is UTF-8 through and through; the bytes are not needed past it.
        const QString text = QString::fromUtf8(std::exchange(opened.bytes, {}));
        // The picture the text encodes becomes the loaded picture, exactly as a decoded file
        // would, prepared with the Image menu's choices: everything is made before anything
        // of the window changes.
        if (load(state_, PictureSource::picture(std::move(opened.reading.picture), name), this, availableMemory_))
            return;
        pictureName_ = QFileInfo(*path).fileName();
        textArea1_->setContent(text);
        redraw(state_, *this);
    });
}

void Window1::FileSaveLogoText_Action()
{
    guarded([this] {
        const QString text = textArea1_->content();
        const LogoTextCheck check = checkLogoText(text);
        if (!check.valid
            && !askSaveAnyway(tr("The text is not logo data text: %1.\n\nSave it anyway?")
                                  .arg(logoTextFaultPlaceAndWords(check.fault))))
            return;
        const std::optional<QString> path = chooseLogoTextFile(LogoTextDialog::Save);
        if (!path)
            return;
        if (const std::optional<LogoTextFileError> error = writeLogoTextFile(*path, text))
            QMessageBox::warning(this, windowTitle(),
                                 tr("Cannot save '%1': %2").arg(QDir::toNativeSeparators(*path), error->reason));
    });
}

void Window1::ImagePrintPreview_Action()
{
    guarded([this] {
        if (!preview_) {
            preview_ = new PrintPreview(this);
            preview_->setAttribute(Qt::WA_DeleteOnClose);
            // The preview is to look at: the keyboard stays with this window, in the text
            // area, where Select All, Copy and Save go on working.
            preview_->setAttribute(Qt::WA_ShowWithoutActivating);
        }
        preview_->setPicture(state_.destPix, paperDots());
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

std::optional<QString> Window1::chooseLogoTextFile(LogoTextDialog dialog)
{
    if (logoTextChooser_)
        return logoTextChooser_(dialog);
    const QString filter = tr("Logo data text (*.txt);;All files (*)");
    const QString path = dialog == LogoTextDialog::Open
        ? QFileDialog::getOpenFileName(this, tr("Open Logo Data Text"), QString(), filter)
        : QFileDialog::getSaveFileName(this, tr("Save Logo Data Text As"), QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool Window1::askSaveAnyway(const QString &question)
{
    if (saveAnyway_)
        return saveAnyway_(question);
    QMessageBox box(QMessageBox::Warning, windowTitle(), question, QMessageBox::NoButton, this);
    QPushButton *save = box.addButton(tr("&Save Anyway"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    // Return keeps the file system as it was: saving a broken text takes a deliberate choice.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == save;
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
