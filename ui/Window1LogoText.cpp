// The window's side of logo data text files: File > Open Logo Data Text reads a text back
// into the window as its picture, File > Save Logo Data Text As writes the text area out
// exactly. A text that cannot be opened leaves the window as it was.
#include "ui/Window1.h"

#include "conversion/LogoTextReader.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "import/LogoTextFile.h"
#include "messages/LogoTextFaultWords.h"
#include "messages/ReadFailureWords.h"
#include "ui/LogoTextEdit.h"
#include "ui/LogoTextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
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
        if (!loadAfresh([&] {
                return !load(state_, PictureSource::picture(std::move(opened.reading.picture), name), this,
                             availableMemory_);
            }))
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

} // namespace plovan
