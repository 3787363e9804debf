#include "ui/App.h"

#include "Version.h"

namespace plovan {

App::App(int &argc, char **argv) : QApplication(argc, argv)
{
    // The names QSettings files the Image menu's choices under (~/.config/Plovan/Plovan.conf).
    setOrganizationName(QStringLiteral("Plovan"));
    setApplicationName(QStringLiteral("Plovan"));
    setApplicationVersion(QLatin1String(kVersion));
    // Lets a Wayland compositor match the window with the installed desktop entry and icon.
    setDesktopFileName(QStringLiteral("org.plovan.Plovan"));
    // Before any window or menu is made: their texts are translated as they are made.
    translations_.install(languageFromEnvironment());
}

} // namespace plovan
