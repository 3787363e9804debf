#include "messages/LogoSummaryWords.h"

#include <QCoreApplication>

namespace plovan {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(LogoSummary)
};
} // namespace

QString logoSummaryLine(const LogoSummary &summary, int dpi)
{
    const auto mm = [dpi](int dots) { return QString::number(dotsToMillimetres(dots, dpi), 'f', 1); };
    const QString format = summary.bands == 1 ? Words::tr("%1x%2 dots, %3 band, %4 characters, %5x%6 mm at %7 dpi")
                                              : Words::tr("%1x%2 dots, %3 bands, %4 characters, %5x%6 mm at %7 dpi");
    return format
        .arg(QString::number(summary.width), QString::number(summary.height), QString::number(summary.bands),
             QString::number(summary.characters), mm(summary.width), mm(summary.height), QString::number(dpi));
}

} // namespace plovan
