// Writing a file never loses the one that was there: a failed write, a full disk or an
// encoder that gives up leaves the old file whole and says why in the system's words; a
// named pipe or a device is written straight into and stays what it is; and the file a
// run read its input from is never written over.
#include "support/FixtureFiles.h"
#include "support/FullDisk.h"
#include "support/FileSystemNodes.h"

#include "platform/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <thread>

using namespace plovan;
using namespace plovan::testsupport;

namespace {

WriteBytes bytesOf(const QByteArray &bytes)
{
    return [bytes](QIODevice &device, QString &) { return device.write(bytes) == bytes.size(); };
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The names in `folder`, hidden ones too: a temporary file left behind shows here.
// Checks that a write succeeded, and says why it did not.
#define VERIFY_WRITTEN(failure)                                                                  \
    do {                                                                                         \
        const std::optional<WriteFailure> written_ = (failure);                                  \
        QVERIFY2(!written_, qPrintable(written_ ? written_->systemReason : QString()));          \
    } while (false)

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestOutputFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replacesARegularFileWhole();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void namedPipeIsWrittenInto();
    void namedPipeWithoutReader();
    void deviceNodeIsWrittenInto();
    void sameFileAsInput_data();
    void sameFileAsInput();

private:
    QTemporaryDir dir_;
};

void TestOutputFile::replacesARegularFileWhole()
{
    const QString path = dir_.filePath(QStringLiteral("replaced.txt"));
    put(path, "an older and longer content");
    VERIFY_WRITTEN(writeFile(path, bytesOf("new")));
    QCOMPARE(fileBytes(path), QByteArray("new"));
    const QString fresh = dir_.filePath(QStringLiteral("fresh.txt"));
    VERIFY_WRITTEN(writeFile(fresh, bytesOf("made")));
    QCOMPARE(fileBytes(fresh), QByteArray("made"));
}

void TestOutputFile::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QByteArray>("before");  // what the writer puts out before it fails
    QTest::addColumn<QString>("reason");     // what it says; the device has no error
    QTest::newRow("fails before writing") << QByteArray() << QStringLiteral("the encoder gave up");
    QTest::newRow("fails halfway") << QByteArray(100000, 'x') << QStringLiteral("out of picture data");
}

// A writer that stops partway (an encoder refusing the picture) leaves the old file and no
// temporary one, with the writer's reason.
void TestOutputFile::failedWriteKeepsTheOldFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kept.txt"));
    put(path, "keep me");
    const std::optional<WriteFailure> failure = writeFile(path, [&](QIODevice &device, QString &why) {
        device.write(before);
        why = reason;
        return false;
    });
    QVERIFY(failure);
    QCOMPARE(failure->kind, WriteFailure::Kind::System);
    QCOMPARE(failure->systemReason, reason);
    QCOMPARE(fileBytes(path), QByteArray("keep me"));
    QCOMPARE(namesIn(folder.path()), QStringList{QStringLiteral("kept.txt")});
}

void TestOutputFile::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<qsizetype>("size");
    // Under Qt's write buffer the bytes meet the disk only at the last flush; over it, at once.
    QTest::newRow("a few bytes, all in the last flush") << qsizetype(10);
    QTest::newRow("100 KB, over the buffer") << qsizetype(100000);
    QTest::newRow("a new file") << qsizetype(-1);
}

void TestOutputFile::fullDiskKeepsTheOldFile()
{
    QFETCH(qsizetype, size);
    FullDisk disk;
    PLOVAN_REQUIRE_FULL_DISK(disk);
    const QString path = disk.path(QStringLiteral("old.txt"));
    const bool existing = size >= 0;
    if (existing)
        put(path, "the old file, whole");
    QVERIFY(disk.fill());

    const std::optional<WriteFailure> failure = writeFile(path, bytesOf(QByteArray(qMax<qsizetype>(size, 10), 'n')));
    QVERIFY(failure);
    QCOMPARE(failure->kind, WriteFailure::Kind::System);
    QCOMPARE(failure->systemReason, QStringLiteral("No space left on device"));
    QCOMPARE(QFile::exists(path), existing);
    if (existing)
        QCOMPARE(fileBytes(path), QByteArray("the old file, whole"));
    QStringList expected{QStringLiteral(".filler")};
    if (existing)
        expected << QStringLiteral("old.txt");
    QCOMPARE(namesIn(disk.path(QString())), expected);
}

void TestOutputFile::namedPipeIsWrittenInto()
{
    PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    const QString path = dir_.filePath(QStringLiteral("pipe"));
    QVERIFY(makeNamedPipe(path));
    const QByteArray bytes(300000, 'p'); // more than the pipe holds, so the reader must be there
    QByteArray got;
    std::thread reader([&] {
        QFile pipe(path);
        if (pipe.open(QIODevice::ReadOnly))
            got = pipe.readAll();
    });
    const std::optional<WriteFailure> failure = writeFile(path, bytesOf(bytes));
    reader.join();
    VERIFY_WRITTEN(failure);
    QCOMPARE(got, bytes);
    QVERIFY2(QFileInfo(path).exists() && !QFileInfo(path).isFile(), "the named pipe was replaced by a file");
}

// The window must not hang: a named pipe nothing reads is refused at once.
void TestOutputFile::namedPipeWithoutReader()
{
    PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    const QString path = dir_.filePath(QStringLiteral("unread pipe"));
    QVERIFY(makeNamedPipe(path));
    WriteOptions options;
    options.waitForReader = false;
    const std::optional<WriteFailure> failure = writeFile(path, bytesOf("text"), options);
    QVERIFY(failure);
    QCOMPARE(failure->systemReason, QStringLiteral("No such device or address"));
    QVERIFY(!QFileInfo(path).isFile());
}

// A printer's device node: written into, never replaced. A null device made here stands in.
void TestOutputFile::deviceNodeIsWrittenInto()
{
    PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    if (!runningAsRoot())
        QSKIP("making a device node needs root");
    const QString path = dir_.filePath(QStringLiteral("lp0"));
    if (!makeCharacterDevice(path, 1, 3))
        QSKIP("this system does not let us make a device node");
    VERIFY_WRITTEN(writeFile(path, bytesOf(QByteArray(50000, 'd'))));
    QVERIFY2(isCharacterDevice(path, 1, 3), "the device node was replaced by a file");
}

void TestOutputFile::sameFileAsInput_data()
{
    QTest::addColumn<QString>("output"); // relative to the folder
    QTest::addColumn<bool>("refused");
    QTest::newRow("the same path") << QStringLiteral("input.png") << true;
    QTest::newRow("another spelling of it") << QStringLiteral("sub/../input.png") << true;
    QTest::newRow("a hard link to it") << QStringLiteral("hard.png") << true;
    QTest::newRow("a symbolic link to it") << QStringLiteral("soft.png") << true;
    QTest::newRow("a copy of it") << QStringLiteral("copy.png") << false;
    QTest::newRow("a new file") << QStringLiteral("new.png") << false;
}

void TestOutputFile::sameFileAsInput()
{
    QFETCH(QString, output);
    QFETCH(bool, refused);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    const QString input = folder.filePath(QStringLiteral("input.png"));
    put(input, "the input");
    std::error_code error;
    std::filesystem::create_hard_link(input.toStdU16String(), folder.filePath(QStringLiteral("hard.png")).toStdU16String(), error);
    QVERIFY2(!error, error.message().c_str());
    // QFile::link makes a shortcut on Windows, a file of its own: the system's symbolic link
    // is what names the input. Windows lets only some users make one.
    std::filesystem::create_symlink(input.toStdU16String(), folder.filePath(QStringLiteral("soft.png")).toStdU16String(), error);
    if (error && output == QLatin1String("soft.png"))
        QSKIP(qPrintable(QStringLiteral("cannot make a symbolic link here: ") + QString::fromStdString(error.message())));
    QVERIFY(QFile::copy(input, folder.filePath(QStringLiteral("copy.png"))));

    WriteOptions options;
    options.input = input;
    const std::optional<WriteFailure> failure = writeFile(folder.filePath(output), bytesOf("output"), options);
    QCOMPARE(bool(failure), refused);
    if (refused)
        QCOMPARE(failure->kind, WriteFailure::Kind::IsInput);
    QCOMPARE(fileBytes(input), QByteArray("the input"));
}

QTEST_GUILESS_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
