#include "messages/SimulationWords.h"

#include <QCoreApplication>

namespace plovan {

QString simulationTooLargeWords(int dots, int most)
{
    return QCoreApplication::translate("SimulationWords",
                                       "a picture %1 dots wide or high is too large to simulate (at most %2 dots)")
        .arg(dots)
        .arg(most);
}

} // namespace plovan
