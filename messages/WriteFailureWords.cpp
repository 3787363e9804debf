#include "messages/WriteFailureWords.h"

#include <QCoreApplication>

namespace plovan {

QString writeFailureWords(const WriteFailure &failure)
{
    switch (failure.kind) {
    case WriteFailure::Kind::IsInput:
        return QCoreApplication::translate("WriteFailure", "it is the input file");
    case WriteFailure::Kind::System:
        break;
    }
    return failure.systemReason;
}

} // namespace plovan
