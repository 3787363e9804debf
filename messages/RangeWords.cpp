#include "messages/RangeWords.h"

#include "platform/Picture.h"

#include <QCoreApplication>

namespace plovan {

QString sideRangeWords()
{
    return QCoreApplication::translate("RangeWords", Picture::kSideRule);
}

} // namespace plovan
