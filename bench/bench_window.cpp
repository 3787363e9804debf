// Times the window's side of the job (offscreen unless QT_QPA_PLATFORM says otherwise): from a click on "Create" until the text
// area has painted the logo data text, the redraw behind a click on "Refresh", a keystroke
// in the text area once it holds the whole text, and Select All + Copy of that text; then
// the redraw behind "Refresh" with each halftone of the Image menu (the goal: Floyd–Steinberg
// on 4096 x 4096 under 150 ms, one line of its own per picture). Pictures
// of 576 x 240 (a typical receipt logo) and 4096 x 4096 (4.2 million characters of text).
//   bench_window [picture files...]   adds the given pictures to the two generated ones

#include "ui/LogoTextEdit.h"
#include "ui/MainMenuBar.h"
#include "ui/Window1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace plovan;

namespace {

// A logo-like picture: rings and a gradient, so every band has both colours.
QImage makeLogoImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2, dy = y - height / 2;
            const int ring = ((dx * dx + dy * dy) / 97) % 3;
            const int grey = ring == 0 ? 20 : (255 * x) / std::max(1, width - 1);
            row[x] = qRgb(grey, grey, grey);
        }
    }
    return image;
}

// Milliseconds one run of `work` takes, the best of `runs`.
double bestMs(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

void benchPicture(const MainMenuBar &menus, const QString &path)
{
    Window1 window(menus);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not shown");
    auto *area = window.findChild<LogoTextEdit *>(QStringLiteral("TextArea1"));
    auto button = [&window](const char *name) { return window.findChild<QAbstractButton *>(QLatin1String(name)); };
    window.setFileChooser([&path](const FileTypeSet &) { return std::optional<QString>(path); });

    const double loadMs = bestMs(1, [&] { button("PushButton1")->click(); });
    if (!window.state().pix)
        qFatal("cannot load %s", qPrintable(path));
    const int width = window.state().pix->Width(), height = window.state().pix->Height();
    const double redrawMs = bestMs(3, [&] { button("PushButton2")->click(); });

    // Create, then whatever the event loop has left to do, then paint: the handler fills
    // the text area, the paint lays out what shows.
    const double createMs = bestMs(3, [&] {
        button("PushButton3")->click();
        QCoreApplication::processEvents();
        area->viewport()->repaint();
    });
    const qsizetype characters = area->content().size();

    // A keystroke in the middle of the text, laid out and painted.
    area->setFocus();
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(area->document()->characterCount() / 2);
    area->setTextCursor(cursor);
    area->ensureCursorVisible();
    const double keyMs = bestMs(20, [&] {
        QTest::keyClick(area, Qt::Key_A);
        area->viewport()->repaint();
    });

    const double copyMs = bestMs(3, [&] {
        area->selectAll();
        area->copy();
    });
    if (QGuiApplication::clipboard()->text().size() != area->content().size())
        qFatal("the copied text differs from the text area's");

    std::printf("%-28s %5d x %-5d %9lld chars  load %8.1f ms  redraw %7.1f ms  Create->shown %7.1f ms  "
                "keystroke %6.2f ms  Select All+Copy %7.1f ms\n",
                qPrintable(QDir(path).dirName()), width, height, static_cast<long long>(characters), loadMs, redrawMs,
                createMs, keyMs, copyMs);
    std::fflush(stdout);

    // Each halftone chosen as from the menu (which redraws once), then "Refresh" timed.
    const struct {
        const char *entry;
        const char *name;
    } halftones[] = {{"ImageHalftoneFloydSteinberg", "Floyd-Steinberg"},
                     {"ImageHalftoneAtkinson", "Atkinson"},
                     {"ImageHalftoneOrdered", "ordered"}};
    std::printf("%-28s %5d x %-5d redraw with a halftone:", qPrintable(QDir(path).dirName()), width, height);
    for (const auto &halftone : halftones) {
        menus.findChild<QAction *>(QLatin1String(halftone.entry))->trigger();
        std::printf("  %s %7.1f ms", halftone.name, bestMs(3, [&] { button("PushButton2")->click(); }));
    }
    std::printf("\n");
    std::fflush(stdout);
    menus.findChild<QAction *>(QStringLiteral("ImageHalftoneNone"))->trigger();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform cannot pass window size limits on; that is all it would say.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            previous(type, context, message);
    });
    QApplication app(argc, argv);
    // The window remembers its Image menu's choices: here, in a folder of this run's own,
    // never in the user's settings.
    QTemporaryDir settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    MainMenuBar menus;
    QTemporaryDir dir;
    QStringList pictures;
    for (const QSize size : {QSize(576, 240), QSize(4096, 4096)}) {
        const QString path = dir.filePath(QStringLiteral("generated-%1x%2.png").arg(size.width()).arg(size.height()));
        if (!makeLogoImage(size.width(), size.height()).save(path))
            qFatal("cannot write %s", qPrintable(path));
        pictures << path;
    }
    pictures << app.arguments().mid(1);

    std::printf("Window1 on the %s platform, best of several runs (load: one run)\n",
                qPrintable(QGuiApplication::platformName()));
    for (const QString &path : std::as_const(pictures))
        benchPicture(menus, path);
    return 0;
}
