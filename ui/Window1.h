#pragma once

#include "conversion/ConversionView.h"
#include "conversion/ConversionState.h"
#include "import/LoadView.h"
#include "ui/ImageChoices.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace plovan {

struct PrepareError;

class Canvas;
class ImageMenu;
class ToneDialog;
class LogoTextEdit;
class MainMenuBar;
class PrintPreview;
class RecentMenu;

// The program's only window. It holds the conversion state, lays out its controls at fixed
// places in an 841 x 383 content area (Window1Layout.cpp; resizing moves and stretches
// nothing), and turns each control event into one call of loading, redraw or the logo data
// text. Its dialogs, each replaceable by a test's stand-in, are in Window1Dialogs.cpp, the
// print preview in Window1Preview.cpp, the logo data text files in Window1LogoText.cpp and
// the Image menu's choices, with the tone dialog, in Window1PrintChoices.cpp. Every control
// carries its name as object name: "Canvas1", "PushButton1", ... "dimensions_label5".
// The text area holds the keyboard focus from the start; the buttons, the check box and the
// slider take it from Tab only, never from a click. Closing the window destroys it and
// releases both pictures.
class Window1 : public QMainWindow, public ConversionView, public LoadView {
    Q_OBJECT
public:
    // Stands in for the open-file dialog: the chosen file, or nothing when cancelled.
    using FileChooser = std::function<std::optional<QString>(const FileTypeSet &types)>;
    // Stands in for the dialogs that pick a logo data text file to open or to save.
    enum class LogoTextDialog { Open, Save };
    using LogoTextChooser = std::function<std::optional<QString>(LogoTextDialog dialog)>;
    // Stands in for the question whether to save a text that is not logo data text: true
    // to save it all the same.
    using SaveAnywayQuestion = std::function<bool(const QString &question)>;

    static constexpr QSize kContentSize{841, 383};

    explicit Window1(const MainMenuBar &menus, QWidget *parent = nullptr);
    ~Window1() override;

    const ConversionState &state() const { return state_; }
    // Replaces the open-file dialog; an empty function brings the dialog back.
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // Replace the logo data text file dialogs and the question; empty functions bring the
    // dialog and the message box back.
    void setLogoTextChooser(LogoTextChooser chooser) { logoTextChooser_ = std::move(chooser); }
    void setSaveAnywayQuestion(SaveAnywayQuestion question) { saveAnyway_ = std::move(question); }
    // Stands in for the dialog of "Other Width…": the width in dots, or nothing when cancelled.
    using WidthChooser = std::function<std::optional<int>(int proposed)>;
    // Replaces that dialog; an empty function brings the dialog back.
    void setWidthChooser(WidthChooser chooser) { widthChooser_ = std::move(chooser); }
    // Stands in for the dialog of Printer Dots' "Other…": R in hundredths, or nothing when
    // cancelled.
    using DotGainChooser = std::function<std::optional<int>(int proposed)>;
    void setDotGainChooser(DotGainChooser chooser) { dotGainChooser_ = std::move(chooser); }
    // How much memory a printer width or centring may find free for the picture it
    // prepares; nothing (the default) asks the system.
    void setAvailableMemory(std::optional<qint64> bytes) { availableMemory_ = bytes; }
    // The Image menu's choices the window works with.
    const ImageChoices &imageChoices() const { return choices_; }
    // The print preview, while it is open.
    PrintPreview *printPreview() const;

    // One handler per control event.
    void PushButton1_Action(); // "Load Image....": choose a file and load it
    void PushButton2_Action(); // "Refresh": redraw
    void Slider1_ValueChanged(); // store the threshold, show it, redraw
    void CheckBox1_Action(); // store the reverse flag, redraw
    void PushButton3_Action(); // "Create": the logo data text

    // One handler per menu item of the window's own (File: Load Image is PushButton1's).
    void FileOpenLogoText_Action(); // read a logo data text file back into the window
    void FileSaveLogoText_Action(); // write the text area's text to a file
    void FileOpenRecent_Action(const QString &path); // load a picture of Open Recent again
    void ImagePrintPreview_Action(); // show the working picture at its printed size
    void HelpAbout_Action(); // the program's name, version and purpose in a message box
    // The Image menu's choices (Window1PrintChoices.cpp).
    void ImageMenu_ChoicesWanted(const ImageChoices &wanted); // prepare pix again if needed, redraw
    void ImageWidthOther_Action(); // ask for a width, then as above
    void ImageDotsOther_Action(); // ask for a dot gain, then as above
    void ImageCalibrationStrip_Action(); // the calibration strip as the picture, as a load
    void ImageAutomaticThreshold_Action(); // move the slider to the automatic threshold
    void ImageAdjustTone_Action(); // the tone dialog: the canvases follow it, Cancel puts back
    // The tone dialog, while it is open.
    ToneDialog *toneDialog() const;

    // ConversionView
    void setProgressText(const QString &text) override;
    void setProcessedBackdrop(const PictureRef &picture) override;
    void setImageDataText(const QString &text) override;
    void appendImageDataText(QStringView text) override;

    // LoadView (setProcessedBackdrop above serves both)
    std::optional<QString> chooseFile(const FileTypeSet &types) override;
    void setSourceBackdrop(const PictureRef &picture) override;
    void setDimensionsText(const QString &text) override;
    void showLoadError(const LoadError &error) override;
    // The sentence showLoadError shows: "Cannot load 'logo.png': not a PNG or JPEG picture".
    static QString loadErrorText(const LoadError &error);
    // What About Plovan says: the name, the version and what the program does.
    static QString aboutText();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    QLabel *addLabel(const char *name, const QRect &geometry, const QString &text, bool smallText);
    void loadDroppedFile(const QString &path);
    // Loads a picture file chosen, dropped or picked from Open Recent, and puts it first there.
    std::optional<LoadError> loadPicture(const QString &path);
    void connectImageMenu(ImageMenu *menu);
    // Runs a handler's work so that no exception leaves the event handler: a failure (in
    // practice, memory for a huge picture's text) is shown in a message box instead.
    void guarded(const std::function<void()> &work);
    std::optional<QString> chooseLogoTextFile(LogoTextDialog dialog);
    bool askSaveAnyway(const QString &question);
    std::optional<int> askPrinterWidth(int proposed);
    std::optional<int> askDotGain(int proposed);
    // Runs a load (true: loaded) with the picture's own choices back at none, as every
    // picture starts; when nothing is loaded they are as they were.
    bool loadAfresh(const std::function<bool()> &load);
    // The message for the Image menu choice `wanted`, made from the choices `before`, that
    // the picture cannot be prepared with.
    QString choiceFailure(const ImageChoices &before, const ImageChoices &wanted, const PrepareError &error) const;
    void ToneDialog_ToneWanted(const Tone &tone);
    void ToneDialog_Rejected();
    // The settings the conversion takes of `choices`: while the calibration strip is the
    // picture, the plain threshold, as its dots are already the halftone's (the strip is
    // made anew when the halftone changes).
    PrintSettings printSettingsOf(const ImageChoices &choices, bool reverse) const;
    // Makes the calibration strip for the choices and loads it as the picture, converted;
    // false, with a message, when it cannot be (a printer width too narrow for it, a load
    // refused). Throws std::bad_alloc.
    bool loadCalibrationStrip();
    // The paper the preview lays the picture on, in dots.
    int paperDots() const;

    ConversionState state_;

    QWidget *content_ = nullptr;
    Canvas *canvas1_ = nullptr;
    QPushButton *pushButton1_ = nullptr;
    QLabel *dimensionsLabel_ = nullptr;
    Canvas *canvas2_ = nullptr;
    QPushButton *pushButton2_ = nullptr;
    QLabel *progressLabel_ = nullptr;
    QSlider *slider1_ = nullptr;
    QLabel *threshLabel_ = nullptr;
    QCheckBox *checkBox1_ = nullptr;
    QPushButton *pushButton3_ = nullptr;
    LogoTextEdit *textArea1_ = nullptr;

    // While Create runs, the text area's text is gathered here and shown once at the end,
    // rather than laid out again after every band.
    bool gatheringText_ = false;
    std::optional<QString> gatheredText_;

    // When progress_label was last painted while an operation ran.
    QElapsedTimer progressPainted_;

    FileChooser chooser_;
    LogoTextChooser logoTextChooser_;
    SaveAnywayQuestion saveAnyway_;
    QPointer<PrintPreview> preview_;
    // The application's Quit, which the preview takes too.
    QAction *quit_ = nullptr;

    // The Image menu's choices: state_.print is made of them. The menu belongs to the
    // application and shows them; the window tells it when they change.
    ImageChoices choices_;
    ImageMenu *imageMenu_ = nullptr;
    RecentMenu *recentMenu_ = nullptr;
    WidthChooser widthChooser_;
    DotGainChooser dotGainChooser_;
    std::optional<qint64> availableMemory_;
    // The tone dialog, and what its Cancel puts back: everything as it was when it opened.
    QPointer<ToneDialog> toneDialog_;
    struct BeforeTone {
        PictureRef pix;
        PictureRef destPix;
        PrintSettings print;
        ImageChoices choices;
        QString dimensions;
        QString progress;
    };
    std::optional<BeforeTone> beforeTone_;
    // Whether the picture is the calibration strip, made by the window.
    bool stripShown_ = false;
    // The file name of the picture shown, for messages about it.
    QString pictureName_;
};

} // namespace plovan
