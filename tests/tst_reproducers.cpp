// Every fuzz seed and every input a fuzzer ever stopped on, run again through the same
// harness, with the same checks, in every test run. A reproducer lives in
// fuzz/reproducers/<target>/ where fuzz/run puts it; it is fixed when its row passes.
// Rows named in fuzz/known-failures are expected failures until their fault is fixed.
#include "harness/ConversionHarness.h"
#include "harness/DecodeHarness.h"
#include "harness/LogoTextHarness.h"
#include "harness/StructuredPng.h"
#include "harness/PngHarness.h"
#include "harness/Seeds.h"
#include "support/LoadReasons.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <optional>

using namespace plovan::fuzz;

namespace {

QString runHarness(const QString &target, const QByteArray &input)
{
    if (target == QLatin1String("decode"))
        return runDecodePath(input, kFuzzPixelCap).failure;
    if (target == QLatin1String("conversion"))
        return checkConversion(input);
    if (target == QLatin1String("png"))
        return checkStructuredPng(input, kFuzzPixelCap);
    if (target == QLatin1String("logotext"))
        return checkLogoTextInput(input);
    return QStringLiteral("no harness called '%1'").arg(target);
}

const char *const kTargets[] = {"decode", "conversion", "png", "logotext"};

// fuzz/known-failures: row name, tab, the regular expression its failure text matches.
std::optional<QRegularExpression> knownFailure(const char *row)
{
    QFile file(QDir(QStringLiteral(PLOVAN_REPRODUCERS_DIR)).filePath(QStringLiteral("../known-failures")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('#')) || !line.contains(QLatin1Char('\t')))
            continue;
        if (line.section(QLatin1Char('\t'), 0, 0) == QLatin1String(row))
            return QRegularExpression(line.section(QLatin1Char('\t'), -1));
    }
    return std::nullopt;
}

// A harness's verdict on one row: it must pass, unless the row is a known fault, which
// must then still fail in the known way (an expected failure until it is fixed).
void verifyPasses(const QString &failure)
{
    const std::optional<QRegularExpression> known = knownFailure(QTest::currentDataTag());
    if (known)
        QEXPECT_FAIL("", "a known fault, listed in fuzz/known-failures", Continue);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    if (known && !failure.isEmpty())
        QVERIFY2(known->match(failure).hasMatch(), qPrintable(QStringLiteral("fails otherwise than known: ") + failure));
}

} // namespace

class ReproducersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void seedPassesItsHarness_data();
    void seedPassesItsHarness();
    void decodeSeedLoads_data();
    void decodeSeedLoads();
    void structuredSeedsDescribeWhatTheyAreNamedFor();
    void logoTextSeedsAreWhatTheyAreNamedFor_data();
    void logoTextSeedsAreWhatTheyAreNamedFor();
    void logoTextSeedsShowEveryFault();
    void reproducerPassesItsHarness_data();
    void reproducerPassesItsHarness();
};

void ReproducersTest::seedPassesItsHarness_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("input");
    const std::pair<const char *, QList<Seed>> sets[] = {
        {"decode", decodeSeeds()}, {"conversion", conversionSeeds()}, {"png", structuredPngSeeds()},
        {"logotext", logoTextSeeds()}};
    for (const auto &[target, seeds] : sets) {
        for (const Seed &seed : seeds)
            QTest::addRow("%s seed %s", target, qPrintable(seed.name)) << QString::fromLatin1(target) << seed.bytes;
    }
}

void ReproducersTest::seedPassesItsHarness()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, input);
    verifyPasses(runHarness(target, input));
}

void ReproducersTest::decodeSeedLoads_data()
{
    QTest::addColumn<QByteArray>("input");
    for (const Seed &seed : decodeSeeds())
        QTest::newRow(qPrintable(seed.name)) << seed.bytes;
}

// The seeds are valid pictures of each kind: if one stopped loading, the fuzzer would
// start from a refusal and the harness checks would never reach the conversion.
void ReproducersTest::decodeSeedLoads()
{
    QFETCH(QByteArray, input);
    const DecodeOutcome outcome = runDecodePath(input);
    QVERIFY2(outcome.loaded, qPrintable(plovan::testsupport::describe(outcome.reason)));
    QVERIFY2(outcome.failure.isEmpty(), qPrintable(outcome.failure));
}

void ReproducersTest::structuredSeedsDescribeWhatTheyAreNamedFor()
{
    for (const Seed &seed : structuredPngSeeds()) {
        const StructuredPng png = buildStructuredPng(seed.bytes);
        if (seed.name.startsWith(QLatin1String("valid-")))
            QVERIFY2(png.clean && png.headerValid, qPrintable(seed.name + QLatin1String(": ") + png.plan));
        // A liar within the range is a valid picture, one pixel or two high.
        if (seed.name.startsWith(QLatin1String("liar-")))
            QVERIFY2(png.clean == (png.width >= 1 && png.width <= 32767), qPrintable(seed.name + QLatin1String(": ") + png.plan));
    }
}

void ReproducersTest::logoTextSeedsAreWhatTheyAreNamedFor_data()
{
    QTest::addColumn<QByteArray>("input");
    for (const Seed &seed : logoTextSeeds())
        QTest::newRow(qPrintable(seed.name)) << seed.bytes;
}

// A seed named "valid-..." is valid, one named for a fault shows that fault first, so the
// fuzzer starts from every verdict the reader can give.
void ReproducersTest::logoTextSeedsAreWhatTheyAreNamedFor()
{
    QFETCH(QByteArray, input);
    const QString named = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char('-'), 0, 0);
    const plovan::LogoTextCheck check = plovan::checkLogoTextUtf8(input);
    QCOMPARE(check.valid ? QStringLiteral("valid") : logoTextReasonName(check.fault.reason), named);
    QVERIFY(input.size() <= kLogoTextInputCap);
}

void ReproducersTest::logoTextSeedsShowEveryFault()
{
    QStringList named;
    for (const Seed &seed : logoTextSeeds())
        named << seed.name.section(QLatin1Char('-'), 0, 0);
    QVERIFY(named.contains(QStringLiteral("valid")));
    for (int reason = int(plovan::LogoTextFault::Reason::Empty); reason <= int(plovan::LogoTextFault::Reason::Utf16); ++reason) {
        const QString name = logoTextReasonName(plovan::LogoTextFault::Reason(reason));
        QVERIFY2(named.contains(name), qPrintable(QStringLiteral("no seed shows ") + name));
    }
}

void ReproducersTest::reproducerPassesItsHarness_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("input");
    const QDir root(QStringLiteral(PLOVAN_REPRODUCERS_DIR));
    int found = 0;
    for (const char *target : kTargets) {
        QDirIterator files(root.filePath(QLatin1String(target)), QDir::Files);
        QStringList names;
        while (files.hasNext())
            names << files.next();
        names.sort();
        for (const QString &path : names) {
            if (path.endsWith(QLatin1String(".txt")) || path.endsWith(QLatin1String(".md")))
                continue;
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            QTest::addRow("%s/%s", target, qPrintable(QFileInfo(path).fileName())) << QString::fromLatin1(target) << file.readAll();
            ++found;
        }
    }
    if (found == 0)
        QTest::newRow("no reproducers kept yet") << QString() << QByteArray();
}

void ReproducersTest::reproducerPassesItsHarness()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, input);
    if (target.isEmpty())
        QSKIP("fuzz/reproducers holds no inputs");
    verifyPasses(runHarness(target, input));
}

QTEST_GUILESS_MAIN(ReproducersTest)
#include "tst_reproducers.moc"
