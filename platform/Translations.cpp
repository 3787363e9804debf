#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace plovan {
namespace {

// "de_AT.UTF-8@euro" -> "de"; "" for "C" and "POSIX" with any codeset.
QString languageOf(const QString &locale)
{
    QString name = locale.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0);
    if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return {};
    return name.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
}

bool isOurs(const QString &language)
{
    for (const char *ours : kTranslatedLanguages)
        if (language == QLatin1String(ours))
            return true;
    return false;
}

} // namespace

QString languageFromEnvironment(const std::function<QString(const char *)> &variable)
{
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = variable(name);
        if (!locale.isEmpty())
            break;
    }
    if (!locale.isEmpty() && languageOf(locale).isEmpty())
        return {};
    QStringList wanted = variable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    wanted << locale;
    for (const QString &entry : std::as_const(wanted)) {
        const QString language = languageOf(entry);
        if (language == QLatin1String("en"))
            return {};
        if (isOurs(language))
            return language;
    }
    return {};
}

QString languageFromEnvironment()
{
    return languageFromEnvironment([](const char *name) { return qEnvironmentVariable(name); });
}

Translations::Translations() = default;

Translations::~Translations()
{
    uninstall();
}

void Translations::uninstall()
{
    for (std::unique_ptr<QTranslator> *translator : {&own_, &qt_})
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
    language_.clear();
}

bool Translations::install(const QString &language)
{
    uninstall();
    if (language.isEmpty())
        return true;
    auto own = std::make_unique<QTranslator>();
    if (!isOurs(language) || !own->load(QStringLiteral(":/i18n/plovan_%1.qm").arg(language)))
        return false;
    // Qt's own first, so that where both have a text (none today), Plovan's wins: the
    // translator installed last is asked first.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        qt_ = std::move(qt);
    }
    QCoreApplication::installTranslator(own.get());
    own_ = std::move(own);
    language_ = language;
    return true;
}

} // namespace plovan
