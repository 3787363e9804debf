#include "messages/MemoryWords.h"

#include <QCoreApplication>

namespace plovan {

QString notEnoughMemoryWords()
{
    return QCoreApplication::translate("MemoryWords", "There is not enough memory for this picture.");
}

} // namespace plovan
