// The words the user reads, straight from the values they are made of: every kind of
// reason, read failure, write failure and preparation failure, each with the sentence the
// window or plovan-cli shows for it, written out by hand.
#include "messages/LoadReasonWords.h"
#include "messages/MemoryWords.h"
#include "messages/PrepareFailureWords.h"
#include "messages/RangeWords.h"
#include "messages/ReadFailureWords.h"
#include "messages/WriteFailureWords.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QTest>

using namespace plovan;

Q_DECLARE_METATYPE(plovan::LoadReason)
Q_DECLARE_METATYPE(plovan::LogoTextReadError)
Q_DECLARE_METATYPE(plovan::WriteFailure)
Q_DECLARE_METATYPE(plovan::PrepareError)

namespace {

LogoTextReadError readError(LogoTextReadError::Reason reason, const QString &systemReason = {}, int width = 0,
                            int height = 0)
{
    LogoTextReadError error{reason, systemReason};
    error.width = width;
    error.height = height;
    return error;
}

} // namespace

class TestMessages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadReasons_data();
    void loadReasons();
    void readFailures_data();
    void readFailures();
    void openFailures_data();
    void openFailures();
    void writeFailures_data();
    void writeFailures();
    void printChoiceFailures_data();
    void printChoiceFailures();
    void sideRangeIsTheExceptionsRule();
    void memory();
};

void TestMessages::loadReasons_data()
{
    using namespace picturefile;
    QTest::addColumn<LoadReason>("reason");
    QTest::addColumn<QString>("words");
    const auto row = [](const char *name, const LoadReason &reason, const char *words) {
        QTest::newRow(name) << reason << QString::fromUtf8(words);
    };
    row("nothing wrong", LoadReason{}, "");
    row("no such file", noSuchFile(), "there is no such file");
    row("folder", folder(), "it is a folder, not a picture file");
    row("named pipe", notRegularFile(), "it is not a regular file but a named pipe, a device or a socket");
    row("cannot read", cannotRead(QStringLiteral("Permission denied")), "the file cannot be read: Permission denied");
    row("empty", empty(), "the file is empty");
    row("not a picture", notPngOrJpeg(), "not a PNG or JPEG picture");
    row("ends early", endsEarly(), "the file ends early (damaged or incomplete)");
    row("damaged PNG header", damagedHeader("PNG"), "the PNG header is damaged or incomplete");
    row("damaged JPEG data", damagedData("JPEG"), "the JPEG picture data is damaged or incomplete");
    row("too many scans", tooManyScans(5000, 1000),
        "the JPEG has 5000 scans, more than the limit of 1000 (real encoders write a few, and every scan is another "
        "pass over the whole picture)");
    row("too wide", outOfRange(32768, 2), "the picture is 32768x2 pixels; Width/Height needs to be in the range 1-32767");
    row("no height", outOfRange(32, 0), "the picture is 32x0 pixels; Width/Height needs to be in the range 1-32767");
    row("no memory to read", notEnoughMemoryToRead(), "not enough memory to read the file");
    row("no memory for the picture", notEnoughMemory(20000, 10000), "not enough memory for a picture of 20000x10000 pixels");
    // MiB needed rounded up, the limit rounded down: 1600000000 B is 1525.9 MiB.
    row("over the limit", overLimit(20000, 20000, 1600000000, qint64(1) << 30),
        "a picture of 20000x20000 pixels needs 1526 MiB to decode, more than the limit of 1024 MiB");
    row("one byte over a whole MiB", overLimit(1024, 1024, (qint64(3) << 20) + 1, (qint64(3) << 20) + 1000),
        "a picture of 1024x1024 pixels needs 4 MiB to decode, more than the limit of 3 MiB");
    row("wider than the paper", widerThanPaper(700, 576),
        "the picture is 700 dots wide after scaling, wider than the paper's 576 dots");
    row("unexpected", unexpected(QStringLiteral("the decoder gave up")), "the decoder gave up");
}

void TestMessages::loadReasons()
{
    QFETCH(LoadReason, reason);
    QFETCH(QString, words);
    QCOMPARE(reasonWords(reason), words);
}

void TestMessages::readFailures_data()
{
    using Reason = LogoTextReadError::Reason;
    QTest::addColumn<LogoTextReadError>("error");
    QTest::addColumn<QString>("words");
    QTest::newRow("no such file") << readError(Reason::NoSuchFile) << QStringLiteral("there is no such file");
    QTest::newRow("folder") << readError(Reason::IsFolder) << QStringLiteral("it is a folder, not a text file");
    QTest::newRow("named pipe") << readError(Reason::NotRegularFile)
                                << QStringLiteral("it is not a regular file but a named pipe, a device or a socket");
    QTest::newRow("cannot read") << readError(Reason::CannotRead, QStringLiteral("Input/output error"))
                                 << QStringLiteral("the file cannot be read: Input/output error");
    QTest::newRow("too large") << readError(Reason::TooLarge)
                               << QStringLiteral("the file is larger than any logo data text");
    QTest::newRow("no memory for the bytes") << readError(Reason::NotEnoughMemory)
                                             << QStringLiteral("not enough memory to read it");
    QTest::newRow("no memory for the picture") << readError(Reason::NotEnoughMemory, {}, 576, 240)
                                               << QStringLiteral("not enough memory for a picture of 576x240 pixels");
}

void TestMessages::readFailures()
{
    QFETCH(LogoTextReadError, error);
    QFETCH(QString, words);
    QCOMPARE(readFailureWords(error), words);
}

void TestMessages::openFailures_data()
{
    using Reason = LogoTextReadError::Reason;
    QTest::addColumn<LogoTextReadError>("error");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such file") << readError(Reason::NoSuchFile)
                                  << QStringLiteral("Cannot open 'logo.txt': No such file or directory");
    QTest::newRow("folder") << readError(Reason::IsFolder)
                            << QStringLiteral("Cannot open 'logo.txt': file to open is a directory");
    QTest::newRow("named pipe")
        << readError(Reason::NotRegularFile)
        << QStringLiteral("Cannot open 'logo.txt': it is not a regular file but a named pipe, a device or a socket");
    QTest::newRow("cannot read") << readError(Reason::CannotRead, QStringLiteral("Permission denied"))
                                 << QStringLiteral("Cannot open 'logo.txt': Permission denied");
    QTest::newRow("too large") << readError(Reason::TooLarge)
                               << QStringLiteral("Cannot open 'logo.txt': the file is larger than any logo data text");
    QTest::newRow("no memory") << readError(Reason::NotEnoughMemory, {}, 576, 240)
                               << QStringLiteral("There is not enough memory for this picture.");
}

void TestMessages::openFailures()
{
    QFETCH(LogoTextReadError, error);
    QFETCH(QString, message);
    QCOMPARE(openFailureWords(QStringLiteral("logo.txt"), error), message);
}

void TestMessages::writeFailures_data()
{
    QTest::addColumn<WriteFailure>("failure");
    QTest::addColumn<QString>("words");
    QTest::newRow("the input") << WriteFailure{WriteFailure::Kind::IsInput, {}} << QStringLiteral("it is the input file");
    QTest::newRow("the system's words")
        << WriteFailure{WriteFailure::Kind::System, QStringLiteral("No space left on device")}
        << QStringLiteral("No space left on device");
}

void TestMessages::writeFailures()
{
    QFETCH(WriteFailure, failure);
    QFETCH(QString, words);
    QCOMPARE(writeFailureWords(failure), words);
}

void TestMessages::printChoiceFailures_data()
{
    using Reason = PrepareError::Reason;
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("printerWidth");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<PrepareError>("error");
    QTest::addColumn<QString>("message");
    QTest::newRow("wider than the paper")
        << QStringLiteral("logo.png") << 384 << true << PrepareError{Reason::WiderThanPaper, 500, 0, 384}
        << QStringLiteral("Cannot prepare 'logo.png' for paper 384 dots wide: it is 500 dots wide, wider than the "
                          "paper's 384 dots.");
    QTest::newRow("no memory, no name")
        << QString() << 576 << false << PrepareError{Reason::NotEnoughMemory, 576, 30000, 0}
        << QStringLiteral("Cannot prepare the picture for a width of 576 dots: there is not enough memory for a "
                          "picture of 576x30000 dots.");
    QTest::newRow("out of range at the original size")
        << QStringLiteral("big.png") << 0 << true << PrepareError{Reason::OutOfRange, 40000, 2, 0}
        << QStringLiteral("Cannot prepare 'big.png' for its original size: a picture of 40000x2 dots is outside the "
                          "range 1-32767.");
}

void TestMessages::printChoiceFailures()
{
    QFETCH(QString, name);
    QFETCH(int, printerWidth);
    QFETCH(bool, centre);
    QFETCH(PrepareError, error);
    QFETCH(QString, message);
    QCOMPARE(printChoiceFailure(name, printerWidth, centre, error), message);
}

void TestMessages::sideRangeIsTheExceptionsRule()
{
    QCOMPARE(sideRangeWords(), QStringLiteral("Width/Height needs to be in the range 1-32767"));
    try {
        makePicture(Picture::kMaxSide + 1, 1);
        QFAIL("no exception");
    } catch (const OutOfBoundsException &error) {
        QCOMPARE(QString::fromUtf8(error.what()), sideRangeWords());
    }
}

void TestMessages::memory()
{
    QCOMPARE(notEnoughMemoryWords(), QStringLiteral("There is not enough memory for this picture."));
}

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
