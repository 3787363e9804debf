#include "messages/PrepareFailureWords.h"

#include <QCoreApplication>

namespace plovan {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(PrepareError)
};

QString named(const QString &pictureName)
{
    return pictureName.isEmpty() ? Words::tr("the picture") : QStringLiteral("'%1'").arg(pictureName);
}

// Why, as the end of the sentence.
QString reasonWords(const PrepareError &error)
{
    switch (error.reason) {
    case PrepareError::Reason::NotEnoughMemory:
        return Words::tr("there is not enough memory for a picture of %1x%2 dots.").arg(error.width).arg(error.height);
    case PrepareError::Reason::WiderThanPaper:
        return Words::tr("it is %1 dots wide, wider than the paper's %2 dots.").arg(error.width).arg(error.paperWidth);
    case PrepareError::Reason::OutOfRange:
        break;
    }
    return Words::tr("a picture of %1x%2 dots is outside the range 1-32767.").arg(error.width).arg(error.height);
}

} // namespace

QString printChoiceFailure(const QString &pictureName, int printerWidth, bool centre, const PrepareError &error)
{
    const QString name = named(pictureName);
    const QString choice = printerWidth == 0 ? Words::tr("its original size")
        : centre                             ? Words::tr("paper %1 dots wide").arg(printerWidth)
                                             : Words::tr("a width of %1 dots").arg(printerWidth);
    return Words::tr("Cannot prepare %1 for %2: %3").arg(name, choice, reasonWords(error));
}

QString pictureChoiceFailure(const QString &pictureName, PictureChange change, const PrepareError &error)
{
    const QString name = named(pictureName);
    const QString reason = reasonWords(error);
    switch (change) {
    case PictureChange::Turn:
        return Words::tr("Cannot turn %1: %2").arg(name, reason);
    case PictureChange::Mirror:
        return Words::tr("Cannot mirror %1: %2").arg(name, reason);
    case PictureChange::Tone:
        return Words::tr("Cannot adjust the tone of %1: %2").arg(name, reason);
    case PictureChange::Trim:
        return Words::tr("Cannot trim the margins of %1: %2").arg(name, reason);
    case PictureChange::Untrim:
        break;
    }
    return Words::tr("Cannot put back the margins of %1: %2").arg(name, reason);
}

} // namespace plovan
