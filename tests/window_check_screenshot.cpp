// Draws the window as a user sees it after the whole job - a picture loaded, converted at
// threshold 128 and turned into logo data text - and saves it as a PNG: the picture in the
// README, and part of the real-window check.
// Usage: window_check_screenshot PICTURE OUTPUT.png

#include "ui/App.h"
#include "ui/LogoTextEdit.h"
#include "ui/MainMenuBar.h"
#include "ui/Window1.h"

#include <QAbstractButton>
#include <QSlider>
#include <QTest>
#include <cstdio>

using namespace plovan;

int main(int argc, char *argv[])
{
    App app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: window_check_screenshot PICTURE OUTPUT.png\n");
        return 2;
    }
    const QString picture = arguments.at(1), output = arguments.at(2);

    MainMenuBar menus;
    Window1 window(menus);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    window.setFileChooser([&picture](const FileTypeSet &) { return std::optional<QString>(picture); });
    window.findChild<QAbstractButton *>(QStringLiteral("PushButton1"))->click();
    if (!window.state().pix) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(picture));
        return 1;
    }
    window.findChild<QSlider *>(QStringLiteral("Slider1"))->setValue(128);
    window.findChild<QAbstractButton *>(QStringLiteral("PushButton3"))->click();
    auto *area = window.findChild<LogoTextEdit *>(QStringLiteral("TextArea1"));
    if (!area->content().startsWith(QStringLiteral("OBM¶"))) {
        std::fprintf(stderr, "Create left no logo data text\n");
        return 1;
    }
    area->setFocus();
    QCoreApplication::processEvents();

    const QImage shot = window.grab().toImage();
    if (shot.size() != window.size() || !shot.save(output)) {
        std::fprintf(stderr, "cannot save %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
