#include "messages/LoadReasonWords.h"

#include "messages/RangeWords.h"

#include <QCoreApplication>

namespace plovan {

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(LoadReason)
};
} // namespace

QString reasonWords(const LoadReason &reason)
{
    using Kind = LoadReason::Kind;
    const QString width = QString::number(reason.width);
    const QString height = QString::number(reason.height);
    switch (reason.kind) {
    case Kind::None:
        break;
    case Kind::NoSuchFile:
        return Words::tr("there is no such file");
    case Kind::Folder:
        return Words::tr("it is a folder, not a picture file");
    case Kind::NotRegularFile:
        return Words::tr("it is not a regular file but a named pipe, a device or a socket");
    case Kind::CannotRead:
        return Words::tr("the file cannot be read: %1").arg(reason.detail);
    case Kind::Empty:
        return Words::tr("the file is empty");
    case Kind::NotPngOrJpeg:
        return Words::tr("not a PNG or JPEG picture");
    case Kind::NoDecoder:
        return Words::tr("this installation has no %1 decoder (Qt's image plugin for %1 is missing)").arg(reason.format);
    case Kind::EndsEarly:
        return Words::tr("the file ends early (damaged or incomplete)");
    case Kind::DamagedHeader:
        return Words::tr("the %1 header is damaged or incomplete").arg(reason.format);
    case Kind::DamagedData:
        return Words::tr("the %1 picture data is damaged or incomplete").arg(reason.format);
    case Kind::TooManyScans:
        return Words::tr("the JPEG has %1 scans, more than the limit of %2 (real encoders write a few, and "
                              "every scan is another pass over the whole picture)")
            .arg(QString::number(reason.count), QString::number(reason.limit));
    case Kind::OutOfRange:
        return Words::tr("the picture is %1x%2 pixels; %3").arg(width, height, sideRangeWords());
    case Kind::NotEnoughMemory:
        if (reason.width == 0 && reason.height == 0)
            return Words::tr("not enough memory to read the file");
        return Words::tr("not enough memory for a picture of %1x%2 pixels").arg(width, height);
    case Kind::OverLimit:
        return Words::tr("a picture of %1x%2 pixels needs %3 MiB to decode, more than the limit of %4 MiB")
            .arg(width, height, QString::number((reason.count + (1 << 20) - 1) >> 20), QString::number(reason.limit >> 20));
    case Kind::WiderThanPaper:
        return Words::tr("the picture is %1 dots wide after scaling, wider than the paper's %2 dots")
            .arg(width, QString::number(reason.limit));
    case Kind::Unexpected:
        return reason.detail;
    }
    return QString();
}

} // namespace plovan
