#include "support/LoadReasons.h"

#include <QTest>

namespace plovan {
namespace testsupport {

QString describe(const LoadReason &reason)
{
    using Kind = LoadReason::Kind;
    static const char *const names[] = {"None", "NoSuchFile", "Folder", "NotRegularFile", "CannotRead", "Empty", "NotPngOrJpeg",
                                        "NoDecoder", "EndsEarly", "DamagedHeader", "DamagedData", "TooManyScans", "OutOfRange",
                                        "NotEnoughMemory", "OverLimit", "WiderThanPaper", "Unexpected"};
    static_assert(std::size(names) == size_t(Kind::Unexpected) + 1);
    QString text = QLatin1String(names[int(reason.kind)]);
    if (!reason.format.isEmpty())
        text += QLatin1Char(' ') + reason.format;
    if (reason.width || reason.height)
        text += QStringLiteral(" %1x%2").arg(reason.width).arg(reason.height);
    if (reason.count || reason.limit)
        text += QStringLiteral(" %1 of at most %2").arg(reason.count).arg(reason.limit);
    if (!reason.detail.isEmpty())
        text += QStringLiteral(": ") + reason.detail;
    return text;
}

} // namespace testsupport

char *toString(const LoadReason &reason)
{
    return QTest::toString(testsupport::describe(reason));
}

} // namespace plovan
