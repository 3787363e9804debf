// Plovan in German, French and Spanish: the language the environment asks for, the
// catalogues complete and consistent with their English texts, the window's menus and
// buttons and plovan-cli's errors and --help coming up translated; and what never changes
// with the language: English in a C or English locale, the numbers, the size text and the
// logo data text.

#include "tst_window_fixture.h"

#include "support/CliRun.h"

#include "conversion/HeadlessView.h"
#include "conversion/LogoText.h"
#include "platform/Translations.h"
#include "ui/LogoTextEdit.h"
#include "ui/ToneDialog.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

using Environment = std::map<QString, QString>;

// plovan-cli's environment with the locale variables of `locale` and no others.
QProcessEnvironment cliEnvironment(const Environment &locale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QLatin1String(name));
    for (const auto &[name, value] : locale)
        environment.insert(name, value);
    return environment;
}

// One message of a .ts file.
struct Message {
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete", or empty
};

QList<Message> readCatalogue(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            message = Message{context, {}, {}, {}};
        else if (xml.name() == QLatin1String("source"))
            message.source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages << message;
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

// The placeholders of a text, sorted: "%1", "%2", ...
QStringList placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// How many underlined letters a menu text marks ("&&" is an ampersand, not a mark).
int mnemonics(QString text)
{
    text.remove(QLatin1String("&&"));
    return int(text.count(QLatin1Char('&')));
}

QStringList titles(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QStringList languagesAndEnglish()
{
    QStringList languages;
    for (const char *language : kTranslatedLanguages)
        languages << QLatin1String(language);
    return languages;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(bed_.ready()); }
    void cleanup();

    void languageFromTheEnvironment_data();
    void languageFromTheEnvironment();
    void cataloguesAreCompleteAndConsistent_data();
    void cataloguesAreCompleteAndConsistent();
    void unknownLanguageInstallsNothing();
    void windowComesUpTranslated_data();
    void windowComesUpTranslated();
    void noLetterTakesTwoEntries_data();
    void noLetterTakesTwoEntries();
    void toneDialogComesUpTranslated_data();
    void toneDialogComesUpTranslated();
    void numbersSizeAndTextStayTheSame_data();
    void numbersSizeAndTextStayTheSame();
    void cliErrorsComeUpTranslated_data();
    void cliErrorsComeUpTranslated();
    void cliHelpComesUpTranslated_data();
    void cliHelpComesUpTranslated();
    void cliOutputStaysTheSame_data();
    void cliOutputStaysTheSame();

private:
    WindowTestBed bed_;
};

void TestTranslations::cleanup()
{
    const QStringList unexpected = bed_.takeMessages();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestTranslations::languageFromTheEnvironment_data()
{
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<QString>("language");
    auto row = [](const char *name, Environment environment, const char *language) {
        QTest::newRow(name) << environment << QString::fromLatin1(language);
    };
    row("nothing set: English", {}, "");
    row("LANG de_DE.UTF-8", {{"LANG", "de_DE.UTF-8"}}, "de");
    row("LANG fr_CA, another country", {{"LANG", "fr_CA"}}, "fr");
    row("LANG es_MX.UTF-8@modifier", {{"LANG", "es_MX.UTF-8@euro"}}, "es");
    row("LANG de alone", {{"LANG", "de"}}, "de");
    row("LANG en_GB: English", {{"LANG", "en_GB.UTF-8"}}, "");
    row("LANG pt_BR, a language without a catalogue", {{"LANG", "pt_BR.UTF-8"}}, "");
    row("LC_MESSAGES over LANG", {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, "fr");
    row("LC_ALL over LC_MESSAGES", {{"LC_ALL", "es_ES.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "de_DE"}}, "es");
    row("an empty LC_ALL counts as not set", {{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}}, "de");
    row("LANGUAGE over the locale", {{"LANGUAGE", "fr"}, {"LANG", "de_DE.UTF-8"}}, "fr");
    row("LANGUAGE's first language Plovan has", {{"LANGUAGE", "pt_BR:it:es:de"}, {"LANG", "de_DE.UTF-8"}}, "es");
    row("LANGUAGE preferring English", {{"LANGUAGE", "en_US:de"}, {"LANG", "de_DE.UTF-8"}}, "");
    row("LANGUAGE without a catalogue: the locale's", {{"LANGUAGE", "it:pt"}, {"LANG", "fr_FR.UTF-8"}}, "fr");
    row("LANGUAGE alone", {{"LANGUAGE", "de"}}, "de");
    row("LANGUAGE with LC_ALL=C: English", {{"LANGUAGE", "de"}, {"LC_ALL", "C"}}, "");
    row("LANGUAGE with LANG=C.UTF-8: English", {{"LANGUAGE", "de"}, {"LANG", "C.UTF-8"}}, "");
    row("LANG POSIX: English", {{"LANG", "POSIX"}}, "");
    row("LC_ALL=C over LANG=de: English", {{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, "");
}

void TestTranslations::languageFromTheEnvironment()
{
    QFETCH(Environment, environment);
    QFETCH(QString, language);
    QCOMPARE(languageFromEnvironment([&](const char *name) {
                 const auto found = environment.find(QLatin1String(name));
                 return found == environment.end() ? QString() : found->second;
             }),
             language);
}

void TestTranslations::cataloguesAreCompleteAndConsistent_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : languagesAndEnglish())
        QTest::newRow(qPrintable(language)) << language;
}

// Every text translated and none left over, each translation with the placeholders of its
// English text and, in a menu text, one underlined letter where the English has one.
void TestTranslations::cataloguesAreCompleteAndConsistent()
{
    QFETCH(QString, language);
    QString error;
    const QList<Message> messages =
        readCatalogue(QStringLiteral(PLOVAN_SOURCE_DIR "/translations/plovan_%1.ts").arg(language), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(messages.size() > 100);
    QStringList faults;
    for (const Message &message : messages) {
        const QString where = message.context + QStringLiteral(": ") + message.source.left(60);
        if (!message.type.isEmpty())
            faults << message.type + QStringLiteral(" - ") + where;
        else if (message.translation.isEmpty())
            faults << QStringLiteral("empty - ") + where;
        else if (placeholders(message.translation) != placeholders(message.source))
            faults << QStringLiteral("placeholders differ - ") + where;
        else if (mnemonics(message.translation) != mnemonics(message.source))
            faults << QStringLiteral("underlined letters differ - ") + where;
        else if (message.source.count(QLatin1Char('\n')) == 0 && message.translation.contains(QLatin1Char('\n')))
            faults << QStringLiteral("a line break the English has not - ") + where;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

    Translations translations;
    QVERIFY(translations.install(language));
    QCOMPARE(translations.language(), language);
}

void TestTranslations::unknownLanguageInstallsNothing()
{
    Translations translations;
    QVERIFY(!translations.install(QStringLiteral("pt")));
    QCOMPARE(translations.language(), QString());
    QVERIFY(translations.install(QString()));
    MainMenuBar menus;
    QCOMPARE(menus.fileMenu()->title(), QStringLiteral("&File"));
}

void TestTranslations::windowComesUpTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("menuBar");
    QTest::addColumn<QStringList>("fileMenu");
    QTest::addColumn<QStringList>("captions"); // PushButton1-3, CheckBox1, dimensions_label1-4
    QTest::addColumn<QString>("helpFirst");
    QTest::newRow("English, no catalogue")
        << QString() << QStringList{"&File", "&Edit", "&Image", "&Help"}
        << QStringList{"&Load Image…", "&Open Logo Data Text…", "&Save Logo Data Text As…", "Open &Recent", "-", "&Quit"}
        << QStringList{"Load Image....", "Refresh", "Create", "Reverse Image", "Threshold", "Imported Image",
                       "Processed Image", "Image Data"}
        << QStringLiteral("&About Plovan");
    QTest::newRow("de") << QStringLiteral("de") << QStringList{"&Datei", "&Bearbeiten", "B&ild", "&Hilfe"}
                        << QStringList{"Bild &laden …", "Logodatentext ö&ffnen …", "Logodatentext &speichern unter …",
                                       "&Zuletzt geöffnet", "-", "&Beenden"}
                        << QStringList{"Bild laden …", "Aktualisieren", "Erzeugen", "Bild umkehren", "Schwellwert",
                                       "Importiertes Bild", "Bearbeitetes Bild", "Bilddaten"}
                        << QStringLiteral("Über &Plovan");
    QTest::newRow("fr") << QStringLiteral("fr") << QStringList{"&Fichier", "É&dition", "&Image", "&Aide"}
                        << QStringList{"&Charger une image…", "&Ouvrir un texte de données de logo…",
                                       "&Enregistrer le texte de données de logo sous…", "Fichiers &récents", "-",
                                       "&Quitter"}
                        << QStringList{"Charger l'image…", "Actualiser", "Créer", "Inverser l'image", "Seuil",
                                       "Image importée", "Image traitée", "Données d'image"}
                        << QStringLiteral("À &propos de Plovan");
    QTest::newRow("es") << QStringLiteral("es") << QStringList{"&Archivo", "&Editar", "&Imagen", "A&yuda"}
                        << QStringList{"&Cargar imagen…", "&Abrir texto de datos de logotipo…",
                                       "&Guardar texto de datos de logotipo como…", "Abrir &reciente", "-", "&Salir"}
                        << QStringList{"Cargar imagen…", "Actualizar", "Crear", "Invertir imagen", "Umbral",
                                       "Imagen importada", "Imagen procesada", "Datos de imagen"}
                        << QStringLiteral("&Acerca de Plovan");
}

void TestTranslations::windowComesUpTranslated()
{
    QFETCH(QString, language);
    QFETCH(QStringList, menuBar);
    QFETCH(QStringList, fileMenu);
    QFETCH(QStringList, captions);
    QFETCH(QString, helpFirst);
    const MainMenuBar english;
    Translations translations;
    QVERIFY(translations.install(language));
    MainMenuBar menus;
    ShownWindow window(menus);

    QCOMPARE(titles(window->menuBar()->actions()), menuBar);
    QCOMPARE(titles(menus.fileMenu()->actions()), fileMenu);
    QCOMPARE(menus.helpMenu()->actions().value(0)->text(), helpFirst);
    QStringList shown;
    for (const char *control : {"PushButton1", "PushButton2", "PushButton3", "CheckBox1", "dimensions_label1",
                                "dimensions_label2", "dimensions_label3", "dimensions_label4"})
        shown << window.text(control);
    QCOMPARE(shown, captions);
    // The window's title is the program's name in every language.
    QCOMPARE(window->windowTitle(), QStringLiteral("Plovan"));
    // Every entry of every menu has a text; in a language other than English, most differ
    // from the English ones (the few alike are names: Atkinson, Floyd–Steinberg, Image).
    int entries = 0, alike = 0;
    for (QMenu *menu : {menus.fileMenu(), menus.editMenu(), menus.imageMenu(), menus.helpMenu()}) {
        for (const QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            QVERIFY2(!action->text().isEmpty(), qPrintable(action->objectName()));
            ++entries;
            if (const QAction *same = english.findChild<QAction *>(action->objectName()))
                alike += same->text() == action->text() ? 1 : 0;
        }
    }
    QVERIFY(entries >= 17);
    if (!language.isEmpty())
        QVERIFY2(alike <= 3, qPrintable(QString::number(alike)));
}

void TestTranslations::noLetterTakesTwoEntries_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : languagesAndEnglish())
        QTest::newRow(qPrintable(language)) << language;
}

// In every language, no two entries of a menu (nor two menus of the bar) share the letter
// that takes them after Alt.
void TestTranslations::noLetterTakesTwoEntries()
{
    QFETCH(QString, language);
    Translations translations;
    QVERIFY(translations.install(language));
    MainMenuBar menus;
    ShownWindow window(menus);
    // Open Recent with pictures in it, numbered.
    window.load(bed_.picture(QStringLiteral("a.png"), greyImage(3, 3, 0)));
    window.load(bed_.picture(QStringLiteral("b.png"), greyImage(3, 3, 0)));
    QStringList faults;
    int letters = 0;
    const std::function<void(const QString &, const QList<QAction *> &)> walk = [&](const QString &where,
                                                                                const QList<QAction *> &actions) {
        QMap<QChar, QString> taken;
        for (QAction *action : actions) {
            if (action->isSeparator())
                continue;
            QString text = action->text();
            text.remove(QLatin1String("&&"));
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            if (mark >= 0 && mark + 1 < text.size()) {
                ++letters;
                const QChar letter = text.at(mark + 1).toLower();
                if (taken.contains(letter))
                    faults << QStringLiteral("%1: %2 and %3 both take %4").arg(where, taken.value(letter), action->text(), letter);
                taken.insert(letter, action->text());
            }
            if (action->menu())
                walk(action->text(), action->menu()->actions());
        }
    };
    walk(QStringLiteral("the menu bar"), window->menuBar()->actions());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QVERIFY(letters > 30);
}

void TestTranslations::toneDialogComesUpTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("reset");
    QTest::newRow("English") << QString() << QStringLiteral("Adjust Tone") << QStringLiteral("&Reset");
    QTest::newRow("de") << QStringLiteral("de") << QStringLiteral("Ton anpassen") << QStringLiteral("&Zurücksetzen");
    QTest::newRow("fr") << QStringLiteral("fr") << QStringLiteral("Ajuster la tonalité") << QStringLiteral("&Réinitialiser");
    QTest::newRow("es") << QStringLiteral("es") << QStringLiteral("Ajustar tono") << QStringLiteral("&Restablecer");
}

// Translated, with the gamma written as plovan-cli takes it even where the locale writes a
// decimal comma.
void TestTranslations::toneDialogComesUpTranslated()
{
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, reset);
    Translations translations;
    QVERIFY(translations.install(language));
    const QLocale before;
    QLocale::setDefault(QLocale(language.isEmpty() ? QStringLiteral("en_US") : language));
    ToneDialog dialog(Tone{5, -3, 150});
    QLocale::setDefault(before);
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QAbstractButton *>(QStringLiteral("ToneReset"))->text(), reset);
    QCOMPARE(dialog.findChild<QDoubleSpinBox *>(QStringLiteral("ToneGamma"))->text(), QStringLiteral("1.50"));
    QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("ToneContrast"))->text(), QStringLiteral("-3"));
}

void TestTranslations::numbersSizeAndTextStayTheSame_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : languagesAndEnglish())
        QTest::newRow(qPrintable(language)) << language;
}

// The size text, the threshold and the logo data text are the same in every language.
void TestTranslations::numbersSizeAndTextStayTheSame()
{
    QFETCH(QString, language);
    const QString picture = bed_.picture(QStringLiteral("logo.png"), greyImage(1234, 17, 60));
    Translations translations;
    QVERIFY(translations.install(language));
    MainMenuBar menus;
    ShownWindow window(menus);
    window.load(picture);
    window.control<QSlider>("Slider1")->setValue(1);
    window.control<QSlider>("Slider1")->setValue(200);
    window.click("PushButton3");
    QCOMPARE(window.text("dimensions_label"), QStringLiteral("1234x17"));
    QCOMPARE(window.text("thresh_label"), QStringLiteral("200"));
    HeadlessView headless;
    createLogoText(window->state(), headless);
    const QString text = window.control<LogoTextEdit>("TextArea1")->content();
    QCOMPARE(text, headless.text());
    QVERIFY(text.startsWith(QStringLiteral("OBM¶BMD¶")) && text.endsWith(QStringLiteral("CBM¶")));
    QCOMPARE(text.size(), logotext::length(1234, 17));
}

void TestTranslations::cliErrorsComeUpTranslated_data()
{
    QTest::addColumn<Environment>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line"); // the first line on standard error
    QTest::addColumn<int>("status");
    const QStringList badThreshold{"--threshold", "300", "logo.png"};
    const QStringList missing{"/nonexistent/logo.png"};
    const QStringList unknownOption{"--colour", "logo.png"};
    auto row = [](const char *name, const Environment &locale, const QStringList &arguments, const QString &line, int status) {
        QTest::newRow(name) << locale << arguments << line << status;
    };
    const Environment de{{"LANG", "de_DE.UTF-8"}}, fr{{"LC_ALL", "fr_FR.UTF-8"}}, es{{"LANGUAGE", "es"}, {"LANG", "de_DE.UTF-8"}};
    const Environment c{{"LC_ALL", "C"}, {"LANGUAGE", "de"}}, en{{"LANG", "en_US.UTF-8"}};
    row("de usage", de, badThreshold, QStringLiteral("plovan-cli: die Schwelle muss eine ganze Zahl von 0 bis 255 oder auto sein, nicht „300“"), 2);
    row("de load", de, missing, QStringLiteral("plovan-cli: „/nonexistent/logo.png“ kann nicht geladen werden: diese Datei gibt es nicht"), 1);
    row("de Qt's parser", de, unknownOption, QStringLiteral("plovan-cli: Unbekannte Option 'colour'."), 2);
    row("fr usage", fr, badThreshold, QStringLiteral("plovan-cli: le seuil doit être un nombre entier de 0 à 255 ou auto, pas «\u00a0300\u00a0»"), 2);
    row("fr load", fr, missing, QStringLiteral("plovan-cli: impossible de charger «\u00a0/nonexistent/logo.png\u00a0»\u00a0: ce fichier n'existe pas"), 1);
    row("es usage", es, badThreshold, QStringLiteral("plovan-cli: el umbral debe ser un número entero de 0 a 255 o auto, no «300»"), 2);
    row("es load", es, missing, QStringLiteral("plovan-cli: no se puede cargar «/nonexistent/logo.png»: no existe ese archivo"), 1);
    row("C: English", c, badThreshold, QStringLiteral("plovan-cli: the threshold must be a whole number from 0 to 255 or auto, not '300'"), 2);
    row("en_US: English", en, missing, QStringLiteral("plovan-cli: cannot load '/nonexistent/logo.png': there is no such file"), 1);
}

void TestTranslations::cliErrorsComeUpTranslated()
{
    QFETCH(Environment, locale);
    QFETCH(QStringList, arguments);
    QFETCH(QString, line);
    QFETCH(int, status);
    const CliResult result = runCli(arguments, {}, cliEnvironment(locale));
    QCOMPARE(result.exitCode, status);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QString::fromUtf8(result.err).section(QLatin1Char('\n'), 0, 0), line);
}

void TestTranslations::cliHelpComesUpTranslated_data()
{
    QTest::addColumn<Environment>("locale");
    QTest::addColumn<QStringList>("lines"); // lines --help holds, in this order
    QTest::newRow("de") << Environment{{"LANG", "de_DE.UTF-8"}}
                        << QStringList{"Aufruf: plovan-cli [Optionen] IMAGE",
                                       "Wandelt ein PNG- oder JPEG-Logo in Logodatentext für einen Bondrucker um: ein Pixel",
                                       "Optionen:", "Argumente:"};
    // Qt's own French has a plain space before its colons, Plovan's a no-break one.
    QTest::newRow("fr") << Environment{{"LANG", "fr_FR.UTF-8"}}
                        << QStringList{"Utilisation : plovan-cli [options] IMAGE",
                                       "Transforme un logo PNG ou JPEG en texte de données de logo pour une imprimante de",
                                       "Options :", "Arguments :"};
    QTest::newRow("es") << Environment{{"LANG", "es_ES.UTF-8"}}
                        << QStringList{"Uso: plovan-cli [opciones] IMAGE",
                                       "Convierte un logotipo PNG o JPEG en texto de datos de logotipo para una impresora",
                                       "Opciones:", "Argumentos:"};
    QTest::newRow("C") << Environment{{"LC_ALL", "C.UTF-8"}}
                       << QStringList{"Usage: plovan-cli [options] IMAGE",
                                      "Turns a PNG or JPEG logo into logo data text for a receipt printer: a pixel prints",
                                      "Options:", "Arguments:"};
}

void TestTranslations::cliHelpComesUpTranslated()
{
    QFETCH(Environment, locale);
    QFETCH(QStringList, lines);
    const CliResult result = runCli({"--help"}, {}, cliEnvironment(locale));
    QCOMPARE(result.exitCode, 0);
    // QCommandLineParser names the program as it was started; the test starts it by path.
    const QStringList shown =
        QString::fromUtf8(result.out).replace(QStringLiteral(PLOVAN_CLI_PATH), QStringLiteral("plovan-cli")).split(QLatin1Char('\n'));
    qsizetype at = 0;
    for (const QString &line : lines) {
        at = shown.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line));
    }
    // Every option is described in the language: none of the English descriptions is left.
    if (!lines.constFirst().startsWith(QLatin1String("Usage:"))) {
        for (const char *english : {"Brightness threshold", "Print the pixels lighter", "Scale the picture", "Displays"})
            QVERIFY2(!result.out.contains(english), english);
    }
}

void TestTranslations::cliOutputStaysTheSame_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : languagesAndEnglish())
        QTest::newRow(qPrintable(language)) << language;
}

// The logo data text and the numbers of --check's summary are the same in every language.
void TestTranslations::cliOutputStaysTheSame()
{
    QFETCH(QString, language);
    const QString picture = bed_.picture(QStringLiteral("cli.png"), greyImage(1234, 17, 60));
    const Environment locale{{"LANG", language + QStringLiteral("_XX.UTF-8")}};
    const CliResult english = runCli({picture}, {}, cliEnvironment({{"LC_ALL", "C"}}));
    const CliResult translated = runCli({picture}, {}, cliEnvironment(locale));
    QCOMPARE(translated.exitCode, 0);
    QCOMPARE(translated.out, english.out);
    QVERIFY(english.out.startsWith("OBM\xc2\xb6"));

    // The summary's words change; its numbers, in the same order and written alike, do not.
    auto numbers = [](const QByteArray &line) {
        QStringList found;
        static const QRegularExpression number(QStringLiteral("[0-9]+(\\.[0-9]+)?"));
        for (const QRegularExpressionMatch &match : number.globalMatch(QString::fromUtf8(line)))
            found << match.captured();
        return found;
    };
    const CliResult englishCheck = runCli({"--check", "-"}, english.out, cliEnvironment({{"LC_ALL", "C"}}));
    const CliResult check = runCli({"--check", "-"}, english.out, cliEnvironment(locale));
    QCOMPARE(check.exitCode, 0);
    QCOMPARE(numbers(check.out), numbers(englishCheck.out));
    QCOMPARE(numbers(check.out).size(), 7); // width, height, bands, characters, the two sizes in mm, dpi
    QVERIFY(englishCheck.out.contains(" mm at 203 dpi"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
