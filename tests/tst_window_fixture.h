#pragma once

#include "platform/Picture.h"
#include "ui/MainMenuBar.h"
#include "ui/Window1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

// Drops the offscreen platform's one complaint about window size limits, which it cannot pass
// on to a window system; every other message goes to Qt Test as before.
inline void quietOffscreenSizeLimits()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.contains(QLatin1String("does not support propagateSizeHints")))
            previous(type, context, message);
    });
}

// Keeps what the window remembers between runs (QSettings) in `folder`: never in the
// user's settings, nor where another test program running beside this one keeps its own.
inline void privateSettings(const QString &folder)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

// Answers every message box the window shows: records its text and closes it, so that a
// load that fails where it should not fails the test instead of waiting for a click forever.
// Tests take the texts they expect; cleanup() finds any others.
class MessageBoxWatch {
public:
    MessageBoxWatch()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts_ << box->text();
                lastTitle_ = box->windowTitle();
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start();
    }
    // The texts of the boxes shown since the last call.
    QStringList take() { return std::exchange(texts_, {}); }
    // The title of the last box shown.
    QString lastTitle() const { return lastTitle_; }

private:
    QTimer timer_;
    QStringList texts_;
    QString lastTitle_;
};

// A shown Window1 for one test. The window deletes itself when it is closed (as the real
// one does); otherwise it goes when the fixture does.
class ShownWindow {
public:
    explicit ShownWindow(const plovan::MainMenuBar &menus) : window_(new plovan::Window1(menus))
    {
        window_->show();
    }
    ~ShownWindow() { delete window_.data(); }
    ShownWindow(const ShownWindow &) = delete;
    ShownWindow &operator=(const ShownWindow &) = delete;

    plovan::Window1 *operator->() const { return window_.data(); }
    plovan::Window1 *get() const { return window_.data(); }
    bool alive() const { return !window_.isNull(); }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        return window_->findChild<T *>(QLatin1String(name));
    }
    QString text(const char *name) const { return control(name)->property("text").toString(); }
    void click(const char *name) const { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }

    // "Load Image...." with the dialog answered by `path`.
    void load(const QString &path) const
    {
        window_->setFileChooser([path](const plovan::FileTypeSet &) { return std::optional<QString>(path); });
        click("PushButton1");
    }

private:
    QPointer<plovan::Window1> window_;
};

// Takes an entry of the Image menu from the keyboard as a user does: Alt+I, Down to each
// entry of `path` (object names from the Image menu down), Right into a submenu, Return on
// the last. True once the menus have closed; false, with a warning, when the menu did not go
// so (an entry the arrow keys do not reach, as a disabled one, among them).
inline bool takeImageMenuEntry(QWidget *window, const QStringList &path)
{
    QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
    for (qsizetype i = 0; i < path.size(); ++i) {
        QMenu *popup = nullptr;
        const bool open = QTest::qWaitFor([&] {
            popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return popup && popup->isVisible();
        });
        QAction *target = nullptr;
        for (QAction *action : open ? popup->actions() : QList<QAction *>())
            if (action->objectName() == path[i])
                target = action;
        if (!target) {
            qWarning("no menu open with the entry %s", qPrintable(path[i]));
            return false;
        }
        for (int step = 0; step < 24 && popup->activeAction() != target; ++step)
            QTest::keyClick(popup, Qt::Key_Down);
        if (popup->activeAction() != target) {
            qWarning("the arrow keys do not reach %s", qPrintable(path[i]));
            // Closed as a user closes them, one Escape each.
            while (QWidget *open = QApplication::activePopupWidget())
                QTest::keyClick(open, Qt::Key_Escape);
            // The last leaves the menu bar holding the keyboard, as after Alt alone.
            if (auto *bar = qobject_cast<QMenuBar *>(QApplication::focusWidget()))
                QTest::keyClick(bar, Qt::Key_Escape);
            return false;
        }
        QTest::keyClick(popup, i + 1 < path.size() ? Qt::Key_Right : Qt::Key_Return);
    }
    if (!QTest::qWaitFor([] { return !QApplication::activePopupWidget(); })) {
        qWarning("after %s a menu is still open", qPrintable(path.join(QLatin1Char('/'))));
        return false;
    }
    return true;
}

// After a menu choice, and any dialog or message it brought: the text area is the window's
// focus control, and has the focus once the window is active again. After a message box a
// window manager makes the window active again; the offscreen platform has none, so this
// does what one does. False, with a warning saying what came `after`, otherwise.
inline bool focusBackInTextArea(const ShownWindow &window, const QString &after)
{
    QWidget *area = window.control("TextArea1");
    if (window->focusWidget() != area) {
        qWarning("after %s the window's focus is in %s", qPrintable(after),
                 window->focusWidget() ? qPrintable(window->focusWidget()->objectName()) : "nothing");
        return false;
    }
    if (!window->isActiveWindow()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
    }
    if (QApplication::focusWidget() != area) {
        qWarning("after %s the focus is not in the text area", qPrintable(after));
        return false;
    }
    return true;
}

// Writes a picture file into the directory and returns its path. The name's extension picks
// the format; under a name that is no picture's ("notes.txt") it is a PNG in disguise.
inline QString writePicture(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = QDir(dir.path()).filePath(name);
    if (!image.save(path) && !image.save(path, "PNG"))
        qFatal("cannot write the test picture %s", qPrintable(path));
    return path;
}

// An opaque picture of one grey level.
inline QImage greyImage(int width, int height, int grey)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(grey, grey, grey));
    return image;
}

// Whether every pixel of the picture is the one colour (opaque black, or opaque white).
inline bool allPixels(const plovan::Picture &picture, plovan::Colour colour)
{
    const plovan::ConstRGBSurface surface = picture.rgbSurface();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (surface.Pixel(x, y) != colour)
                return false;
    return true;
}

// The centre of a slider's thumb, where a drag starts.
inline QPoint sliderHandle(QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

// The window's controls in tab order.
inline const QStringList kControlNames = {
    "Canvas1", "PushButton1", "dimensions_label", "Canvas2", "PushButton2", "progress_label",
    "Slider1", "thresh_label", "CheckBox1", "PushButton3", "TextArea1", "dimensions_label1",
    "dimensions_label2", "dimensions_label3", "dimensions_label4", "dimensions_label5",
};

// The named controls in the order the Tab key visits the window's widgets.
inline QStringList focusChainNames(QWidget *window, const QStringList &names)
{
    QStringList order;
    QWidget *widget = window;
    do {
        widget = widget->nextInFocusChain();
        if (names.contains(widget->objectName()))
            order << widget->objectName();
    } while (widget != window);
    return order;
}

// What a window test case holds from start to end: the one menu bar its windows share (as
// in the program), a folder for picture files and the watch on message boxes. One per test
// program, made after the application object (a member of the test object is).
class WindowTestBed {
public:
    WindowTestBed()
    {
        privateSettings(settingsDir_.path());
        menus_ = std::make_unique<plovan::MainMenuBar>();
        quietOffscreenSizeLimits();
    }

    bool ready() const { return dir_.isValid() && settingsDir_.isValid(); }
    const plovan::MainMenuBar &menus() const { return *menus_; }
    // A picture file of that name in the folder.
    QString picture(const QString &name, const QImage &image) const { return writePicture(dir_, name, image); }
    // A path in the folder.
    QString path(const QString &name) const { return QDir(dir_.path()).filePath(name); }
    // The texts of the message boxes shown since the last call.
    QStringList takeMessages() { return messages_.take(); }

private:
    QTemporaryDir settingsDir_;
    QTemporaryDir dir_;
    MessageBoxWatch messages_;
    std::unique_ptr<plovan::MainMenuBar> menus_;
};
