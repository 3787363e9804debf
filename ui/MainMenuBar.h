#pragma once

#include <QKeySequence>
#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;

namespace plovan {

class ImageMenu;
class RecentMenu;
class TextCommands;

// The application's menus: File (Load Image, Open and Save Logo Data Text, Open Recent,
// Quit), Edit (Undo, Cut, Copy, Paste, Delete, Select All) with the platform's standard
// shortcuts, Image (Printer Width, Centre on Paper, Halftone, Printer Dots, Automatic
// Threshold, Calibration Strip: ImageMenu; Print Preview; then ImageMenu's Rotate Right, Rotate Left, Mirror, Trim White
// Margins and Adjust Tone) and Help (About Plovan, About Qt). One instance lives from
// start-up to exit; each window shows the menus in its own menu bar, and they stay this
// object's when the window goes. Every entry and
// separator has the object name it is known by ("FileQuit", "EditSeparator1", ...), and so
// do the menus ("FileMenu", "EditMenu", "ImageMenu", "HelpMenu").
// The Edit items and About Qt act by themselves; the File items before Quit, the Image
// items and About Plovan are the window's to connect (see the accessors below), so that they
// reach whichever window is open.
class MainMenuBar : public QObject {
    Q_OBJECT
public:
    explicit MainMenuBar(QObject *parent = nullptr);
    ~MainMenuBar() override;

    // Adds the File, Edit, Image and Help menus to a window's menu bar, and F10 there to open the
    // first of them.
    void attachTo(QMenuBar *bar) const;

    QMenu *fileMenu() const { return fileMenu_.get(); }
    QMenu *editMenu() const { return editMenu_.get(); }
    // The last menu: what the program is.
    QMenu *helpMenu() const { return helpMenu_.get(); }
    // The picture's menu, after Edit: choices about the picture as it will print.
    QMenu *imageMenu() const;
    // Its choices of width, centring, halftone and of the picture itself, and the automatic
    // threshold.
    ImageMenu *imageMenuChoices() const { return imageMenuChoices_; }

    // File ▸ Open Recent: the pictures loaded last.
    RecentMenu *recentMenu() const { return recentMenu_; }

    // "&Load Image…" (the same as the "Load Image...." button), "&Open Logo Data Text…",
    // "&Save Logo Data Text As…" and "Print &Preview".
    QAction *loadImageAction() const { return loadImage_; }
    QAction *openLogoTextAction() const { return openLogoText_; }
    QAction *saveLogoTextAction() const { return saveLogoText_; }
    QAction *printPreviewAction() const { return printPreview_; }
    // "&Quit": ends the program. A window of the program's own without the menu bar (the
    // print preview) takes it too, so that its key quits from there as well.
    QAction *quitAction() const { return quit_; }
    // "&About Plovan": the window shows the program's name, version and purpose.
    QAction *aboutAction() const { return about_; }

private:
    QAction *addItem(QMenu *menu, const char *name, const QString &text, QKeySequence::StandardKey key);
    QAction *addSeparator(QMenu *menu, const char *name);
    static void nameForScreenReaders(QMenu *menu);

    // Menus are widgets: they cannot have this object as their parent, so it owns them here.
    std::unique_ptr<QMenu> fileMenu_;
    std::unique_ptr<QMenu> editMenu_;
    std::unique_ptr<QMenu> helpMenu_;
    TextCommands *commands_ = nullptr;
    ImageMenu *imageMenuChoices_ = nullptr;
    RecentMenu *recentMenu_ = nullptr;
    QAction *loadImage_ = nullptr;
    QAction *openLogoText_ = nullptr;
    QAction *saveLogoText_ = nullptr;
    QAction *printPreview_ = nullptr;
    QAction *about_ = nullptr;
    QAction *quit_ = nullptr;
};

} // namespace plovan
