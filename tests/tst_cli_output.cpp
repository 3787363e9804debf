// Where plovan-cli writes (--output, --preview, standard output), run as a user runs it: a
// full disk keeps the old file and says "No space left on device" in one line; a named pipe
// or a device node given as the output is written into and stays what it is; the input is
// never written over.
#include "support/CliRun.h"
#include "support/FixtureFiles.h"
#include "support/FullDisk.h"
#include "support/FileSystemNodes.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <thread>

using namespace plovan::testsupport;

namespace {

QString cannotWrite(const QString &name, const QString &reason)
{
    return QStringLiteral("plovan-cli: cannot write '%1': %2\n").arg(name, reason);
}

} // namespace

class TestCliOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fullDisk_data();
    void fullDisk();
    void fullStandardOutput_data();
    void fullStandardOutput();
    void namedPipe_data();
    void namedPipe();
    void deviceNode();
    void inputIsNeverWrittenOver_data();
    void inputIsNeverWrittenOver();

private:
    QTemporaryDir dir_;
    QString logo_;
    QString logoText_; // what plovan-cli makes of the logo
};

void TestCliOutput::initTestCase()
{
    QVERIFY(dir_.isValid());
    logo_ = QStringLiteral(PLOVAN_SOURCE_DIR "/examples/logo.png");
    logoText_ = dir_.filePath(QStringLiteral("logo.txt"));
    const CliResult result = runCli({logo_, QStringLiteral("--output"), logoText_});
    QCOMPARE(result.exitCode, 0);
}

void TestCliOutput::fullDisk_data()
{
    QTest::addColumn<bool>("check");   // --check TEXT, or the logo converted
    QTest::addColumn<QString>("option"); // which output lands on the full disk
    QTest::newRow("--output") << false << QStringLiteral("--output");
    QTest::newRow("--preview") << false << QStringLiteral("--preview");
    QTest::newRow("--check --preview") << true << QStringLiteral("--preview");
}

// The old file stays whole, the run ends with exit status 1 and one line whose reason is the
// system's, and libpng's own "libpng error: Write Error" stays off standard error.
void TestCliOutput::fullDisk()
{
    QFETCH(bool, check);
    QFETCH(QString, option);
    FullDisk disk;
    PLOVAN_REQUIRE_FULL_DISK(disk);
    const QString out = disk.path(QStringLiteral("old"));
    writeFile(out, "the old file");
    QVERIFY(disk.fill());

    const QStringList arguments = check ? QStringList{QStringLiteral("--check"), logoText_, option, out}
                                        : QStringList{logo_, option, out};
    const CliResult result = runCli(arguments);
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(result.err), cannotWrite(out, QStringLiteral("No space left on device")));
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(fileBytes(out), QByteArray("the old file"));
}

void TestCliOutput::fullStandardOutput_data()
{
    QTest::addColumn<bool>("check");
    QTest::newRow("the text") << false;
    QTest::newRow("the --check line") << true;
}

void TestCliOutput::fullStandardOutput()
{
    QFETCH(bool, check);
    FullDisk disk;
    PLOVAN_REQUIRE_FULL_DISK(disk);
    const QString out = disk.path(QStringLiteral("out"));
    writeFile(out, QByteArray());
    QVERIFY(disk.fill());
    QProcess process;
    process.setStandardOutputFile(out);
    process.start(QStringLiteral(PLOVAN_CLI_PATH), check ? QStringList{QStringLiteral("--check"), logoText_} : QStringList{logo_});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             cannotWrite(QStringLiteral("standard output"), QStringLiteral("No space left on device")));
    QCOMPARE(process.exitCode(), 1);
}

void TestCliOutput::namedPipe_data()
{
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("option");
    QTest::newRow("--output") << false << QStringLiteral("--output");
    QTest::newRow("--preview") << false << QStringLiteral("--preview");
    QTest::newRow("--check --preview") << true << QStringLiteral("--preview");
}

// As shell redirection does: the bytes go into the pipe, for whoever reads it, and the pipe
// is still a pipe afterwards.
void TestCliOutput::namedPipe()
{
    QFETCH(bool, check);
    QFETCH(QString, option);
    PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    const QString pipe = dir_.filePath(QStringLiteral("pipe-%1").arg(QTest::currentDataTag()).remove(QLatin1Char(' ')));
    QVERIFY(makeNamedPipe(pipe));
    QByteArray got;
    std::thread reader([&] {
        QFile file(pipe);
        if (file.open(QIODevice::ReadOnly))
            got = file.readAll();
    });
    const QStringList arguments = check ? QStringList{QStringLiteral("--check"), logoText_, option, pipe}
                                        : QStringList{logo_, option, pipe};
    const CliResult result = runCli(arguments);
    reader.join();
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    if (option == QLatin1String("--output"))
        QCOMPARE(got, fileBytes(logoText_));
    else
        QVERIFY2(got.startsWith("\x89PNG\r\n\x1a\n"), got.left(16).toHex().constData());
    QVERIFY2(!QFileInfo(pipe).isFile(), "the named pipe was replaced by a file");
}

// A printer's device node (a null device made in a temporary folder stands in for it).
void TestCliOutput::deviceNode()
{
    PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    if (!runningAsRoot())
        QSKIP("making a device node needs root");
    const QString node = dir_.filePath(QStringLiteral("lp0"));
    if (!makeCharacterDevice(node, 1, 3))
        QSKIP("this system does not let us make a device node");
    for (const QString &option : {QStringLiteral("--output"), QStringLiteral("--preview")}) {
        const CliResult result = runCli({logo_, option, node});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(isCharacterDevice(node, 1, 3), qPrintable(option + QStringLiteral(" replaced the device node by a file")));
    }
}

void TestCliOutput::inputIsNeverWrittenOver_data()
{
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("hardLink"); // the output names the input through a hard link
    QTest::newRow("picture --output picture") << false << QStringLiteral("--output") << false;
    QTest::newRow("picture --preview picture") << false << QStringLiteral("--preview") << false;
    QTest::newRow("picture --output its hard link") << false << QStringLiteral("--output") << true;
    QTest::newRow("--check text --preview text") << true << QStringLiteral("--preview") << false;
    QTest::newRow("--check text --preview its hard link") << true << QStringLiteral("--preview") << true;
}

void TestCliOutput::inputIsNeverWrittenOver()
{
    QFETCH(bool, check);
    QFETCH(QString, option);
    QFETCH(bool, hardLink);
    QTemporaryDir folder;
    const QString input = folder.filePath(check ? QStringLiteral("logo.txt") : QStringLiteral("logo.png"));
    QVERIFY(QFile::copy(check ? logoText_ : logo_, input));
    const QByteArray before = fileBytes(input);
    QString out = input;
    if (hardLink) {
        out = folder.filePath(QStringLiteral("linked"));
        std::error_code error;
        std::filesystem::create_hard_link(input.toStdU16String(), out.toStdU16String(), error);
        QVERIFY2(!error, error.message().c_str());
    }
    const QStringList arguments = check ? QStringList{QStringLiteral("--check"), input, option, out}
                                        : QStringList{input, option, out};
    const CliResult result = runCli(arguments);
    QCOMPARE(QString::fromUtf8(result.err), cannotWrite(out, QStringLiteral("it is the input file")));
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(fileBytes(input), before);
}

QTEST_GUILESS_MAIN(TestCliOutput)
#include "tst_cli_output.moc"
