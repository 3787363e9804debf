#include "ui/App.h"
#include "ui/MainMenuBar.h"
#include "ui/Window1.h"

#include <QPointer>

int main(int argc, char *argv[])
{
    // Qt 6 supports high-resolution displays from the start; there is nothing to switch on.
    plovan::App app(argc, argv);
    plovan::MainMenuBar menus;
    QPointer<plovan::Window1> window = new plovan::Window1(menus);
    window->show();
    const int status = app.exec();
    // After Quit the window may still be there: it goes before the menus it shows.
    delete window.data();
    return status;
}
