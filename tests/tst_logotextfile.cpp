// The one reader of logo data text files, the window's and plovan-cli's: the bytes are read
// once, the verdict and the picture are both of those bytes whatever the source does
// meanwhile, no source costs more than the longest text, and what it cannot read is a value.
#include "LongestText.h"
#include "PictureMaker.h"
#include "UnwrittenPipe.h"
#include "support/CreatedText.h"
#include "support/FileSystemNodes.h"

#include "import/LogoTextFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

using namespace plovan;
using Reason = LogoTextReadError::Reason;

namespace {

PictureRef randomWorkingPicture(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    return testpictures::filled(width, height, [&](int, int) { return random.bounded(2) ? kBlack : kWhite; });
}

QByteArray textOf(int width, int height, quint32 seed)
{
    return testsupport::logoTextOf(randomWorkingPicture(width, height, seed)).toUtf8();
}

// A source whose bytes change while it is read: each read is given the next of `pieces`
// (or what is left of it), whatever size() said, and then, if `endless`, '0's without end.
// It counts what it gave.
class ChangingDevice : public QIODevice {
public:
    ChangingDevice(qint64 declaredSize, bool sequential, QList<QByteArray> pieces, bool endless)
        : declaredSize_(declaredSize), sequential_(sequential), pieces_(std::move(pieces)), endless_(endless)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return sequential_; }
    qint64 size() const override { return sequential_ ? 0 : declaredSize_; }
    qint64 given() const { return given_; }

protected:
    qint64 readData(char *data, qint64 most) override
    {
        if (current_.isEmpty() && next_ < pieces_.size())
            current_ = pieces_[next_++];
        if (current_.isEmpty() && endless_)
            current_ = QByteArray(1 << 20, '0');
        if (current_.isEmpty())
            return sequential_ ? -1 : 0; // the end, as a closed pipe and a file say it
        const qint64 count = std::min<qint64>(most, current_.size());
        std::memcpy(data, current_.constData(), size_t(count));
        current_.remove(0, qsizetype(count));
        given_ += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 declaredSize_;
    bool sequential_;
    QList<QByteArray> pieces_;
    bool endless_;
    qsizetype next_ = 0;
    QByteArray current_;
    qint64 given_ = 0;
};

// What a reading came to, in a line a failure shows: "valid 16x16", "fault" or the error.
QString outcomeOf(const std::variant<ReadLogoText, LogoTextReadError> &read)
{
    if (const auto *error = std::get_if<LogoTextReadError>(&read))
        return error->reason == Reason::TooLarge ? QStringLiteral("too large")
                                                 : QStringLiteral("error %1").arg(int(error->reason));
    const LogoTextCheck &check = std::get<ReadLogoText>(read).reading.check;
    if (!check.valid)
        return QStringLiteral("fault");
    return QStringLiteral("valid %1x%2").arg(check.width).arg(check.height());
}

// The verdict and the picture agree with each other and with the bytes: a picture exactly
// when valid, of the verdict's size, encoding back to the bytes read.
void verifyOneReading(const ReadLogoText &read)
{
    const LogoTextReading &reading = read.reading;
    QCOMPARE(bool(reading.picture), reading.check.valid);
    if (!reading.check.valid)
        return;
    QCOMPARE(reading.picture->Width(), reading.check.width);
    QCOMPARE(reading.picture->Height(), reading.check.height());
    QCOMPARE(testsupport::logoTextOf(reading.picture).toUtf8(), read.bytes);
}

bool makeZeroDevice(const QString &path)
{
    return plovan::testsupport::makeCharacterDevice(path, 1, 5);
}

} // namespace

class TestLogoTextFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void changingSource_data();
    void changingSource();
    void fileChangedAfterTheOpen_data();
    void fileChangedAfterTheOpen();
    void checkOnly();
    void refused_data();
    void refused();
    void bounds_data();
    void bounds();

private:
    QString path(const QString &name) const { return QDir(dir_.path()).filePath(name); }
    QTemporaryDir dir_;
};

void TestLogoTextFile::changingSource_data()
{
    QTest::addColumn<qint64>("declaredSize"); // what size() says; 0 for a sequential source
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<QString>("outcome");
    const QByteArray first = textOf(16, 16, 1);
    const QByteArray second = textOf(16, 16, 2);
    const QByteArray narrower = textOf(8, 8, 3);
    const qint64 most = longestLogoTextBytes();
    QTest::newRow("rewritten with another text of the same width after the first read")
        << qint64(first.size()) << false << QList<QByteArray>{first.left(30), second.mid(30)} << false
        << "valid 16x16";
    QTest::newRow("rewritten with a narrower text after the first read")
        << qint64(first.size()) << false << QList<QByteArray>{first.left(30), narrower.mid(30)} << false << "fault";
    QTest::newRow("cut short after the open")
        << qint64(first.size()) << false << QList<QByteArray>{first.left(first.size() / 2)} << false << "fault";
    QTest::newRow("grown after the open") << qint64(first.size()) << false << QList<QByteArray>{first, "OBM¶"}
                                          << false << "fault";
    QTest::newRow("the same text from a pipe, in pieces")
        << qint64(0) << true << QList<QByteArray>{first.left(7), first.mid(7, 100), first.mid(107)} << false
        << "valid 16x16";
    QTest::newRow("a file that says it is larger than any text")
        << most + 1 << false << QList<QByteArray>{first} << false << "too large";
    QTest::newRow("a file that grows without end") << qint64(first.size()) << false << QList<QByteArray>{first}
                                                   << true << "too large";
    QTest::newRow("a pipe without end") << qint64(0) << true << QList<QByteArray>{} << true << "too large";
}

// Whatever the source gives from one read to the next, the text is read once: the verdict
// and the picture are those of the bytes read, no more than one byte past the longest text
// is taken from it, and a source larger than that is refused.
void TestLogoTextFile::changingSource()
{
    QFETCH(qint64, declaredSize);
    QFETCH(bool, sequential);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, endless);
    QFETCH(QString, outcome);
    ChangingDevice device(declaredSize, sequential, pieces, endless);
    const auto read = readLogoText(device, LogoTextPicture::Make);
    QCOMPARE(outcomeOf(read), outcome);
    QVERIFY2(device.given() <= longestLogoTextBytes() + 1, qPrintable(QString::number(device.given())));
    if (const auto *text = std::get_if<ReadLogoText>(&read)) {
        QCOMPARE(text->bytes, pieces.join());
        verifyOneReading(*text);
    } else if (!endless && !sequential) {
        QCOMPARE(device.given(), 0); // refused by its size, unread
    }
}

void TestLogoTextFile::fileChangedAfterTheOpen_data()
{
    QTest::addColumn<QByteArray>("after"); // what the file holds once it is open
    QTest::addColumn<QString>("outcome");
    const QByteArray text = textOf(40, 24, 4);
    QTest::newRow("cut short") << text.left(text.size() / 3) << "fault";
    QTest::newRow("emptied") << QByteArray() << "fault";
    QTest::newRow("rewritten with a larger text") << textOf(64, 40, 5) << "valid 64x40";
    QTest::newRow("rewritten with a smaller text") << textOf(8, 16, 6) << "valid 8x16";
}

// A file opened as one text and changed in place before it is read: what is read is what
// the file holds then, and the verdict and the picture are of it.
void TestLogoTextFile::fileChangedAfterTheOpen()
{
    QFETCH(QByteArray, after);
    QFETCH(QString, outcome);
    const QString name = path(QStringLiteral("changed.txt"));
    QFile writer(name);
    QVERIFY(writer.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(writer.write(textOf(40, 24, 4)) > 0 && writer.flush());
    QFile reader(name);
    QVERIFY(reader.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    QVERIFY(writer.resize(0) && writer.seek(0));
    QCOMPARE(writer.write(after), after.size());
    QVERIFY(writer.flush());

    const auto read = readLogoText(reader, LogoTextPicture::Make);
    QCOMPARE(outcomeOf(read), outcome);
    const ReadLogoText &text = std::get<ReadLogoText>(read);
    QCOMPARE(text.bytes, after);
    verifyOneReading(text);
}

// Checking only makes no picture, and says what reading would.
void TestLogoTextFile::checkOnly()
{
    const QString name = path(QStringLiteral("check-only.txt"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(textOf(30, 20, 7)) > 0);
    file.close();
    const auto checked = readLogoTextFile(name, FileKinds::Any, LogoTextPicture::CheckOnly);
    QCOMPARE(outcomeOf(checked), QStringLiteral("valid 30x24"));
    QVERIFY(!std::get<ReadLogoText>(checked).reading.picture);
    const auto made = readLogoTextFile(name, FileKinds::Any, LogoTextPicture::Make);
    QCOMPARE(outcomeOf(made), QStringLiteral("valid 30x24"));
    verifyOneReading(std::get<ReadLogoText>(made));
}

enum class Made { Nothing, Folder, NamedPipe, ZeroDevice, Socket };

void TestLogoTextFile::refused_data()
{
    QTest::addColumn<Made>("made");
    QTest::addColumn<FileKinds>("kinds");
    QTest::addColumn<Reason>("reason");
    QTest::addColumn<QString>("systemReason");
    QTest::newRow("no such file") << Made::Nothing << FileKinds::Any << Reason::NoSuchFile << QString();
    QTest::newRow("a folder") << Made::Folder << FileKinds::Any << Reason::IsFolder << QString();
    QTest::newRow("a named pipe, for the window") << Made::NamedPipe << FileKinds::RegularOnly
                                                  << Reason::NotRegularFile << QString();
    QTest::newRow("a device, for the window") << Made::ZeroDevice << FileKinds::RegularOnly
                                              << Reason::NotRegularFile << QString();
    QTest::newRow("a socket, for the window") << Made::Socket << FileKinds::RegularOnly << Reason::NotRegularFile
                                              << QString();
    QTest::newRow("a socket, which cannot be opened") << Made::Socket << FileKinds::Any << Reason::CannotRead
                                                      << QString::fromLocal8Bit(std::strerror(ENXIO));
}

// What cannot be read comes back as a reason with the system's words where it has any, and
// what the window does not take is not opened: nothing waits on the pipe.
void TestLogoTextFile::refused()
{
    QFETCH(Made, made);
    QFETCH(FileKinds, kinds);
    QFETCH(Reason, reason);
    QFETCH(QString, systemReason);
    const QString name = path(QStringLiteral("refused-%1").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), '-'));
    if (made == Made::NamedPipe || made == Made::ZeroDevice || made == Made::Socket)
        PLOVAN_NEEDS_FILE_SYSTEM_NODES();
    std::unique_ptr<UnwrittenPipe> pipe;
    switch (made) {
    case Made::Nothing: break;
    case Made::Folder: QVERIFY(QDir().mkpath(name)); break;
    case Made::NamedPipe:
        pipe = std::make_unique<UnwrittenPipe>(name);
        QVERIFY(pipe->made());
        break;
    case Made::ZeroDevice:
        if (!makeZeroDevice(name))
            QSKIP("making a device node takes root");
        break;
    case Made::Socket: QVERIFY(plovan::testsupport::makeSocketFile(name)); break;
    }
    const auto read = readLogoTextFile(name, kinds, LogoTextPicture::Make);
    QVERIFY2(std::holds_alternative<LogoTextReadError>(read), qPrintable(outcomeOf(read)));
    const LogoTextReadError &got = std::get<LogoTextReadError>(read);
    QCOMPARE(got.reason, reason);
    QCOMPARE(got.systemReason, systemReason);
    if (pipe)
        QCOMPARE(pipe->released(), 0);
}

enum class Source { SparseFile, NamedPipe, ZeroDevice };

void TestLogoTextFile::bounds_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<qint64>("extra"); // bytes past the longest text; -1: without end
    QTest::addColumn<QString>("outcome");
    QCOMPARE(longestLogoTextBytes(), longesttext::kBytes); // 268,451,849, counted by hand in LongestText.h
    // A sparse file of zeros costs no disk: as long as the longest text, it is read and
    // checked; one byte longer, or far longer, it is refused unread.
    QTest::newRow("sparse file, the longest text's size") << Source::SparseFile << qint64(0) << "fault";
    QTest::newRow("sparse file, one byte more") << Source::SparseFile << qint64(1) << "too large";
    QTest::newRow("sparse file of 1 TiB") << Source::SparseFile << (qint64(1) << 40) << "too large";
    // Through a pipe nothing tells the size: the longest text is read and valid, one byte
    // more is refused when it comes, and so is a pipe without end.
    QTest::newRow("named pipe, the longest text") << Source::NamedPipe << qint64(0) << "valid 32767x32767";
    QTest::newRow("named pipe, one byte more") << Source::NamedPipe << qint64(1) << "too large";
    QTest::newRow("named pipe without end") << Source::NamedPipe << qint64(-1) << "too large";
    QTest::newRow("a zero device") << Source::ZeroDevice << qint64(-1) << "too large";
}

// The sizes around the longest text, from each kind of source plovan-cli reads.
void TestLogoTextFile::bounds()
{
    QFETCH(Source, source);
    QFETCH(qint64, extra);
    QFETCH(QString, outcome);
    const QString name = path(QStringLiteral("bounds-%1").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), '-'));
    if (source != Source::SparseFile)
        PLOVAN_NEEDS_FILE_SYSTEM_NODES();
#if defined(Q_OS_UNIX)
    std::unique_ptr<longesttext::PipeFeeder> feeder;
#endif
    switch (source) {
    case Source::SparseFile: {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(longesttext::kBytes + extra));
        break;
    }
    case Source::NamedPipe:
        QVERIFY(plovan::testsupport::makeNamedPipe(name));
#if defined(Q_OS_UNIX)
        feeder = std::make_unique<longesttext::PipeFeeder>(name, extra);
#endif
        break;
    case Source::ZeroDevice:
        if (!makeZeroDevice(name))
            QSKIP("making a device node takes root");
        break;
    }
    const auto read = readLogoTextFile(name, FileKinds::Any, LogoTextPicture::CheckOnly);
#if defined(Q_OS_UNIX)
    feeder.reset();
#endif
    QFile::remove(name);
    QCOMPARE(outcomeOf(read), outcome);
    if (const auto *text = std::get_if<ReadLogoText>(&read))
        QCOMPARE(text->bytes.size(), longesttext::kBytes);
}

QTEST_GUILESS_MAIN(TestLogoTextFile)
#include "tst_logotextfile.moc"
