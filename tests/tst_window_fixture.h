#pragma once

#include "ui/MainMenuBar.h"
#include "ui/Window1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start();
    }
    // The texts of the boxes shown since the last call.
    QStringList take() { return std::exchange(texts_, {}); }

private:
    QTimer timer_;
    QStringList texts_;
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
