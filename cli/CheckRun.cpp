#include "CheckRun.h"
#include "CliWords.h"

#include "CliOutput.h"
#include "CliRun.h"

#include "conversion/LogoSummary.h"
#include "conversion/LogoTextReader.h"
#include "import/LogoTextFile.h"
#include "messages/LogoSummaryWords.h"
#include "messages/LogoTextFaultWords.h"
#include "messages/ReadFailureWords.h"
#include "platform/PictureFile.h"

#include <QFile>

#include <new>
#include <variant>

namespace plovan::cli {
namespace {

// The text, read once into memory: the check and the picture are of the same bytes, whatever
// happens to the file meanwhile. Named pipes and standard input are read as files are (scripts
// hand them over), never past the longest text.
std::variant<ReadLogoText, LogoTextReadError> readText(const QString &name, LogoTextPicture picture)
{
    if (name != QLatin1String("-"))
        return readLogoTextFile(name, FileKinds::Any, picture);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return LogoTextReadError{LogoTextReadError::Reason::CannotRead, input.errorString()};
    return readLogoText(input, picture);
}

} // namespace

int runCheck(const CliOptions &options)
{
    const QString &name = options.check;
    const std::variant<ReadLogoText, LogoTextReadError> read =
        readText(name, options.preview.isEmpty() && options.simulate.isEmpty() ? LogoTextPicture::CheckOnly
                                                                             : LogoTextPicture::Make);
    if (const auto *error = std::get_if<LogoTextReadError>(&read)) {
        printError(CliWords::tr("cannot read '%1': %2").arg(name, readFailureWords(*error)));
        return kExitFailed;
    }
    const LogoTextReading &reading = std::get<ReadLogoText>(read).reading;
    const LogoTextCheck &check = reading.check;
    if (!check.valid) {
        printError(CliWords::tr("'%1' is not logo data text: %2").arg(name, logoTextFaultPlaceAndWords(check.fault)));
        return kExitFailed;
    }

    try {
        if (!options.preview.isEmpty() && !writePreview(*reading.picture, {options.preview, name}))
            return kExitFailed;
        if (!options.simulate.isEmpty()
            && !writeSimulation(*reading.picture, options.conversion.print.dotGainHundredths, {options.simulate, name}))
            return kExitFailed;
        if (!writeText(logoSummaryLine(logoSummary(check.width, check.height()), options.dpi) + QLatin1Char('\n'), {}))
            return kExitFailed;
    } catch (const std::bad_alloc &) {
        // Whatever the encoder had is gone with the unwinding; the picture stays, and the
        // line needs little.
        LogoTextReadError error{LogoTextReadError::Reason::NotEnoughMemory, {}};
        error.width = check.width;
        error.height = check.height();
        printError(CliWords::tr("cannot read '%1': %2").arg(name, readFailureWords(error)));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace plovan::cli
