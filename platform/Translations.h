#pragma once

#include <QString>
#include <functional>
#include <memory>

class QTranslator;

namespace plovan {

// The languages Plovan speaks besides English, by the names of their catalogues
// (translations/plovan_de.ts, ...), which the build compiles into the programs.
inline constexpr const char *kTranslatedLanguages[] = {"de", "fr", "es"};

// The language the user's environment asks for, read as gettext reads it. The messages
// locale is LC_ALL, else LC_MESSAGES, else LANG; when it is C or POSIX (C.UTF-8 too), every
// text stays English whatever else is set. Otherwise the languages of LANGUAGE ("de:fr")
// come first, then the locale's ("de_AT.UTF-8" is "de"). The first that Plovan has a
// catalogue for is the answer; English, or none of ours, is "": no catalogue, every text as
// written. `variable` gives a variable's value, empty when it is not set.
QString languageFromEnvironment(const std::function<QString(const char *)> &variable);
// The same, of this process's environment.
QString languageFromEnvironment();

// Plovan's catalogue of a language, built into the program, and Qt's own for its dialogs
// and plovan-cli's --help (from Qt's translations folder), installed in the application
// while this object lives. Make it after the application object, before any text is made.
class Translations {
public:
    Translations();
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // Installs the catalogues of `language` (one of kTranslatedLanguages), in place of any
    // installed before; "" leaves every text English. False when Plovan's own catalogue is
    // not there; without Qt's, Qt's own texts stay English and the rest is translated.
    bool install(const QString &language);
    QString language() const { return language_; }

private:
    void uninstall();

    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
    QString language_;
};

} // namespace plovan
