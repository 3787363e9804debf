#include "messages/ReadFailureWords.h"

#include "messages/LoadReasonWords.h"
#include "messages/MemoryWords.h"

#include <QCoreApplication>

namespace plovan {
namespace {

struct Words {
    Q_DECLARE_TR_FUNCTIONS(LogoTextReadError)
};

using Reason = LogoTextReadError::Reason;

QString tooLargeWords()
{
    return Words::tr("the file is larger than any logo data text");
}

} // namespace

QString readFailureWords(const LogoTextReadError &error)
{
    switch (error.reason) {
    case Reason::NoSuchFile:
        return reasonWords(picturefile::noSuchFile());
    case Reason::IsFolder:
        return Words::tr("it is a folder, not a text file");
    case Reason::NotRegularFile:
        return reasonWords(picturefile::notRegularFile());
    case Reason::CannotRead:
        return reasonWords(picturefile::cannotRead(error.systemReason));
    case Reason::TooLarge:
        return tooLargeWords();
    case Reason::NotEnoughMemory:
        if (error.width == 0 && error.height == 0)
            return Words::tr("not enough memory to read it");
        return reasonWords(picturefile::notEnoughMemory(error.width, error.height));
    }
    return {};
}

QString openFailureWords(const QString &name, const LogoTextReadError &error)
{
    QString reason;
    switch (error.reason) {
    case Reason::NoSuchFile:
        reason = Words::tr("No such file or directory");
        break;
    case Reason::IsFolder:
        reason = Words::tr("file to open is a directory");
        break;
    case Reason::NotRegularFile:
        reason = reasonWords(picturefile::notRegularFile());
        break;
    case Reason::CannotRead:
        reason = error.systemReason;
        break;
    case Reason::TooLarge:
        reason = tooLargeWords();
        break;
    case Reason::NotEnoughMemory:
        return notEnoughMemoryWords();
    }
    return Words::tr("Cannot open '%1': %2").arg(name, reason);
}

} // namespace plovan
