#include "ui/Window1.h"

#include "conversion/LogoText.h"
#include "conversion/Redraw.h"
#include "import/LoadSequence.h"
#include "messages/LoadReasonWords.h"
#include "messages/MemoryWords.h"
#include "messages/PrepareFailureWords.h"
#include "messages/RangeWords.h"
#include "platform/Exceptions.h"
#include "ui/Canvas.h"
#include "ui/ImageMenu.h"
#include "ui/LogoTextEdit.h"
#include "ui/MainMenuBar.h"
#include "ui/PictureFileNames.h"
#include "ui/PrintPreview.h"
#include "ui/RecentMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <new>

namespace plovan {
namespace {

// How often progress_label may be painted while an operation runs: often enough to see it
// count, seldom enough to cost nothing next to the work.
constexpr qint64 kProgressPaintMs = 50;

} // namespace

Window1::Window1(const MainMenuBar &menus, QWidget *parent) : QMainWindow(parent)
{
    // The menu bar first, then the window's own settings, then the controls.
    menus.attachTo(menuBar());
    connectImageMenu(menus.imageMenuChoices());

    setObjectName(QStringLiteral("Window1"));
    setWindowTitle(QStringLiteral("Plovan"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);

    createControls();
    // The menu items of the window's own reach this window while it is open.
    connect(menus.loadImageAction(), &QAction::triggered, this, &Window1::PushButton1_Action);
    connect(menus.openLogoTextAction(), &QAction::triggered, this, &Window1::FileOpenLogoText_Action);
    connect(menus.saveLogoTextAction(), &QAction::triggered, this, &Window1::FileSaveLogoText_Action);
    connect(menus.printPreviewAction(), &QAction::triggered, this, &Window1::ImagePrintPreview_Action);
    connect(menus.aboutAction(), &QAction::triggered, this, &Window1::HelpAbout_Action);
    recentMenu_ = menus.recentMenu();
    quit_ = menus.quitAction();
    connect(recentMenu_, &RecentMenu::fileChosen, this, &Window1::FileOpenRecent_Action);
    // The text area is the first control that takes the focus from a click: it holds the
    // focus from the start.
    textArea1_->setFocus(Qt::OtherFocusReason);
    resize(sizeHint());
}

Window1::~Window1() = default;

void Window1::guarded(const std::function<void()> &work)
{
    QString failure;
    try {
        work();
        return;
    } catch (const std::bad_alloc &) {
        failure = notEnoughMemoryWords();
    } catch (const OutOfBoundsException &) {
        failure = sideRangeWords();
    } catch (const std::exception &error) {
        failure = tr("This could not be done: %1").arg(QString::fromUtf8(error.what()));
    }
    QMessageBox::warning(this, windowTitle(), failure);
}

void Window1::PushButton1_Action()
{
    guarded([this] {
        if (const std::optional<QString> path = chooseFile(filetypes::pictures()))
            loadPicture(*path);
    });
}

void Window1::PushButton2_Action()
{
    guarded([this] { redraw(state_, *this); });
}

void Window1::Slider1_ValueChanged()
{
    guarded([this] {
        state_.threshold = slider1_->value();
        threshLabel_->setText(QString::number(state_.threshold));
        redraw(state_, *this);
    });
}

void Window1::CheckBox1_Action()
{
    guarded([this] {
        // The margins trimmed are those of the paper as printed: with trimming on, reversing
        // the picture prepares it again with the other margins. Without, nothing is prepared.
        const bool reverse = checkBox1_->isChecked();
        if (const std::optional<PrepareError> error =
                changePrintSettings(state_, *this, printSettingsOf(choices_, reverse), availableMemory_)) {
            checkBox1_->setChecked(state_.reverse);
            QMessageBox::warning(this, windowTitle(), pictureChoiceFailure(pictureName_, PictureChange::Trim, *error));
            return;
        }
        state_.reverse = reverse;
        redraw(state_, *this);
    });
}

void Window1::PushButton3_Action()
{
    guarded([this] {
        // Whatever happens, the next text goes to the text area directly again.
        struct Gathering {
            Window1 &window;
            ~Gathering()
            {
                window.gatheringText_ = false;
                window.gatheredText_.reset();
            }
        } gathering{*this};
        gatheringText_ = true;
        createLogoText(state_, *this);
        if (gatheredText_)
            textArea1_->setContent(*gatheredText_);
    });
}

void Window1::loadDroppedFile(const QString &path)
{
    guarded([this, &path] { loadPicture(path); });
}

void Window1::FileOpenRecent_Action(const QString &path)
{
    guarded([this, &path] {
        const std::optional<LoadError> error = loadPicture(path);
        // The message has named the file and said why; a file that has gone away, or is
        // now a folder or a pipe, leaves the list.
        using Kind = LoadReason::Kind;
        if (error && (error->reason.kind == Kind::NoSuchFile || error->reason.kind == Kind::Folder
                      || error->reason.kind == Kind::NotRegularFile))
            recentMenu_->remove(path);
    });
}

std::optional<LoadError> Window1::loadPicture(const QString &path)
{
    // Prepared for the printer as the Image menu says (state_.print). A named pipe or a
    // device is refused before it is opened, which could wait for ever.
    std::optional<LoadError> error;
    loadAfresh([this, &path, &error] {
        error = load(state_, PictureSource::file(path, FileKinds::RegularOnly), this);
        if (error)
            return false;
        pictureName_ = QFileInfo(path).fileName();
        return true;
    });
    if (!error)
        recentMenu_->add(path);
    return error;
}

bool Window1::loadAfresh(const std::function<bool()> &load)
{
    // Also when the load throws: a view that fails while it shows the new pictures leaves
    // them the state's, and then the choices are theirs. The old picture is told by its
    // address only, as holding it would keep it in memory through the load.
    struct Afresh {
        Window1 &window;
        const Picture *before;
        ImageChoices choices;
        PrintSettings print;
        bool strip;
        ~Afresh()
        {
            if (window.state_.pix.get() == before) {
                window.choices_ = choices;
                window.state_.print = print;
                window.stripShown_ = strip;
            }
            window.imageMenu_->show(window.choices_);
            window.imageMenu_->setPictureLoaded(window.state_.hasPictures());
        }
    } afresh{*this, state_.pix.get(), choices_, state_.print, stripShown_};
    choices_ = choices_.forNewPicture();
    stripShown_ = false;
    state_.print = choices_.printSettings(state_.reverse);
    return load();
}

void Window1::setProgressText(const QString &text)
{
    progressLabel_->setText(text);
    // Painted at once, without handling any input, so the count is seen while the work runs
    // and no other handler can start inside this one.
    if (!progressPainted_.isValid() || progressPainted_.elapsed() >= kProgressPaintMs) {
        progressLabel_->repaint();
        progressPainted_.start();
    }
}

void Window1::setProcessedBackdrop(const PictureRef &picture)
{
    canvas2_->setBackdrop(picture);
    // The preview follows the working picture: after a load and after every redraw.
    if (preview_)
        preview_->setPicture(picture, paperDots(), state_.print.dotGainHundredths);
}

void Window1::setImageDataText(const QString &text)
{
    if (gatheringText_)
        gatheredText_ = text;
    else
        textArea1_->setContent(text);
}

void Window1::appendImageDataText(QStringView text)
{
    if (!gatheringText_) {
        textArea1_->appendContent(text);
        return;
    }
    if (!gatheredText_)
        gatheredText_ = textArea1_->content();
    gatheredText_->append(text);
}

void Window1::setSourceBackdrop(const PictureRef &picture)
{
    canvas1_->setBackdrop(picture);
}

void Window1::setDimensionsText(const QString &text)
{
    dimensionsLabel_->setText(text);
}

void Window1::showLoadError(const LoadError &error)
{
    QMessageBox::warning(this, windowTitle(), loadErrorText(error));
}

QString Window1::loadErrorText(const LoadError &error)
{
    return tr("Cannot load '%1': %2").arg(error.file, reasonWords(error.reason));
}

void Window1::closeEvent(QCloseEvent *event)
{
    state_.pix.reset();
    state_.destPix.reset();
    state_.original.reset();
    beforeTone_.reset(); // what an open tone dialog's Cancel would have put back
    canvas1_->setBackdrop(nullptr);
    canvas2_->setBackdrop(nullptr);
    if (preview_) {
        preview_->setPicture(nullptr, 0);
        preview_->close();
    }
    QMainWindow::closeEvent(event);
}

void Window1::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedPictureFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Window1::dragMoveEvent(QDragMoveEvent *event)
{
    if (droppedPictureFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Window1::dropEvent(QDropEvent *event)
{
    const std::optional<QString> path = droppedPictureFile(event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QMetaObject::invokeMethod(this, [this, file = *path] { loadDroppedFile(file); }, Qt::QueuedConnection);
}

} // namespace plovan
