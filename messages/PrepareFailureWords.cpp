#include "messages/PrepareFailureWords.h"

#include <QCoreApplication>

namespace plovan {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(PrepareError)
};
} // namespace

QString printChoiceFailure(const QString &pictureName, int printerWidth, bool centre, const PrepareError &error)
{
    const QString name = pictureName.isEmpty() ? Words::tr("the picture") : QStringLiteral("'%1'").arg(pictureName);
    const QString choice = printerWidth == 0 ? Words::tr("its original size")
        : centre                             ? Words::tr("paper %1 dots wide").arg(printerWidth)
                                             : Words::tr("a width of %1 dots").arg(printerWidth);
    QString reason;
    switch (error.reason) {
    case PrepareError::Reason::NotEnoughMemory:
        reason = Words::tr("there is not enough memory for a picture of %1x%2 dots.").arg(error.width).arg(error.height);
        break;
    case PrepareError::Reason::WiderThanPaper:
        reason = Words::tr("it is %1 dots wide, wider than the paper's %2 dots.").arg(error.width).arg(error.paperWidth);
        break;
    case PrepareError::Reason::OutOfRange:
        reason = Words::tr("a picture of %1x%2 dots is outside the range 1-32767.").arg(error.width).arg(error.height);
        break;
    }
    return Words::tr("Cannot prepare %1 for %2: %3").arg(name, choice, reason);
}

} // namespace plovan
