#pragma once

#include <QKeySequence>
#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;

namespace plovan {

class ImageMenu;
class TextCommands;

// The application's menus: File (Load Image, Open and Save Logo Data Text, Quit), Edit (Undo,
// Cut, Copy, Paste, Delete, Select All) with the platform's standard shortcuts, and Image
// (Printer Width, Centre on Paper, Halftone, Automatic Threshold: ImageMenu; Print
// Preview; then ImageMenu's Rotate Right, Rotate Left, Mirror, Trim White Margins and
// Adjust Tone). One instance lives from start-up to exit; each window shows the menus in
// its own menu bar, and they stay this object's when the window goes. Every entry and
// separator has the object name it is known by ("FileQuit", "EditSeparator1", ...), and so
// do the menus ("FileMenu", "EditMenu", "ImageMenu").
// The Edit items act on the focused text control by themselves; the File items before Quit
// and the Image items are the window's to connect (see the accessors below), so that they
// reach whichever window is open.
class MainMenuBar : public QObject {
    Q_OBJECT
public:
    explicit MainMenuBar(QObject *parent = nullptr);
    ~MainMenuBar() override;

    // Adds the File, Edit and Image menus to a window's menu bar, and F10 there to open the
    // first of them.
    void attachTo(QMenuBar *bar) const;

    QMenu *fileMenu() const { return fileMenu_.get(); }
    QMenu *editMenu() const { return editMenu_.get(); }
    // The picture's menu, after Edit: choices about the picture as it will print.
    QMenu *imageMenu() const;
    // Its choices of width, centring, halftone and of the picture itself, and the automatic
    // threshold.
    ImageMenu *imageMenuChoices() const { return imageMenuChoices_; }

    // "&Load Image…" (the same as the "Load Image...." button), "&Open Logo Data Text…",
    // "&Save Logo Data Text As…" and "Print &Preview".
    QAction *loadImageAction() const { return loadImage_; }
    QAction *openLogoTextAction() const { return openLogoText_; }
    QAction *saveLogoTextAction() const { return saveLogoText_; }
    QAction *printPreviewAction() const { return printPreview_; }

private:
    QAction *addItem(QMenu *menu, const char *name, const QString &text, QKeySequence::StandardKey key);
    QAction *addSeparator(QMenu *menu, const char *name);

    // Menus are widgets: they cannot have this object as their parent, so it owns them here.
    std::unique_ptr<QMenu> fileMenu_;
    std::unique_ptr<QMenu> editMenu_;
    TextCommands *commands_ = nullptr;
    ImageMenu *imageMenuChoices_ = nullptr;
    QAction *loadImage_ = nullptr;
    QAction *openLogoText_ = nullptr;
    QAction *saveLogoText_ = nullptr;
    QAction *printPreview_ = nullptr;
};

} // namespace plovan
