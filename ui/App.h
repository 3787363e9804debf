#pragma once

#include "platform/Translations.h"

#include <QApplication>

namespace plovan {

// The application object: one instance from start-up to exit. It names the program, speaks
// the user's language (platform/Translations) and otherwise leaves everything, exceptions
// escaping a handler included, to Qt's defaults.
class App : public QApplication {
    Q_OBJECT
public:
    App(int &argc, char **argv);

private:
    Translations translations_;
};

} // namespace plovan
