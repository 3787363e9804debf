// The words the user reads, straight from the values they are made of: every kind of read
// failure, write failure and preparation failure, each with the sentence the window or
// plovan-cli shows for it, written out by hand. (The load reasons' words are the window's
// loadErrorText, checked in tst_window_errors.)
#include "messages/MemoryWords.h"
#include "messages/PrepareFailureWords.h"
#include "messages/RangeWords.h"
#include "messages/ReadFailureWords.h"
#include "messages/WriteFailureWords.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QTest>

using namespace plovan;

Q_DECLARE_METATYPE(plovan::LogoTextReadError)
Q_DECLARE_METATYPE(plovan::WriteFailure)
Q_DECLARE_METATYPE(plovan::PrepareError)
Q_DECLARE_METATYPE(plovan::PictureChange)

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
    void readFailures_data();
    void readFailures();
    void writeFailures_data();
    void writeFailures();
    void printChoiceFailures_data();
    void printChoiceFailures();
    void pictureChoiceFailures_data();
    void pictureChoiceFailures();
    void sideRangeIsTheExceptionsRule();
    void memory();
};

// Each reason a text could not be read, in plovan-cli's words after "cannot read 'NAME': "
// and in the window's message for File > Open Logo Data Text.
void TestMessages::readFailures_data()
{
    using Reason = LogoTextReadError::Reason;
    QTest::addColumn<LogoTextReadError>("error");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const LogoTextReadError &error, const char *words, const char *message) {
        QTest::newRow(name) << error << QString::fromUtf8(words) << QString::fromUtf8(message);
    };
    row("no such file", readError(Reason::NoSuchFile), "there is no such file",
        "Cannot open 'logo.txt': No such file or directory");
    row("folder", readError(Reason::IsFolder), "it is a folder, not a text file",
        "Cannot open 'logo.txt': file to open is a directory");
    row("named pipe", readError(Reason::NotRegularFile), "it is not a regular file but a named pipe, a device or a socket",
        "Cannot open 'logo.txt': it is not a regular file but a named pipe, a device or a socket");
    row("cannot read", readError(Reason::CannotRead, QStringLiteral("Input/output error")),
        "the file cannot be read: Input/output error", "Cannot open 'logo.txt': Input/output error");
    row("too large", readError(Reason::TooLarge), "the file is larger than any logo data text",
        "Cannot open 'logo.txt': the file is larger than any logo data text");
    row("no memory for the bytes", readError(Reason::NotEnoughMemory), "not enough memory to read it",
        "There is not enough memory for this picture.");
    row("no memory for the picture", readError(Reason::NotEnoughMemory, {}, 576, 240),
        "not enough memory for a picture of 576x240 pixels", "There is not enough memory for this picture.");
}

void TestMessages::readFailures()
{
    QFETCH(LogoTextReadError, error);
    QFETCH(QString, words);
    QFETCH(QString, message);
    QCOMPARE(readFailureWords(error), words);
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

void TestMessages::pictureChoiceFailures_data()
{
    using Reason = PrepareError::Reason;
    QTest::addColumn<QString>("name");
    QTest::addColumn<PictureChange>("change");
    QTest::addColumn<PrepareError>("error");
    QTest::addColumn<QString>("message");
    QTest::newRow("a turn without the memory")
        << QStringLiteral("logo.png") << PictureChange::Turn << PrepareError{Reason::NotEnoughMemory, 64, 192, 0}
        << QStringLiteral("Cannot turn 'logo.png': there is not enough memory for a picture of 64x192 dots.");
    QTest::newRow("a turn wider than the paper")
        << QStringLiteral("tall.png") << PictureChange::Turn << PrepareError{Reason::WiderThanPaper, 600, 0, 576}
        << QStringLiteral("Cannot turn 'tall.png': it is 600 dots wide, wider than the paper's 576 dots.");
    QTest::newRow("the mirror, no name")
        << QString() << PictureChange::Mirror << PrepareError{Reason::NotEnoughMemory, 500, 300, 0}
        << QStringLiteral("Cannot mirror the picture: there is not enough memory for a picture of 500x300 dots.");
    QTest::newRow("a tone")
        << QStringLiteral("photo.jpg") << PictureChange::Tone << PrepareError{Reason::NotEnoughMemory, 40, 30, 0}
        << QStringLiteral("Cannot adjust the tone of 'photo.jpg': there is not enough memory for a picture of 40x30 "
                          "dots.");
    QTest::newRow("trimming")
        << QStringLiteral("logo.png") << PictureChange::Trim << PrepareError{Reason::NotEnoughMemory, 23, 17, 0}
        << QStringLiteral("Cannot trim the margins of 'logo.png': there is not enough memory for a picture of 23x17 "
                          "dots.");
    QTest::newRow("no trimming, out of range")
        << QStringLiteral("big.png") << PictureChange::Untrim << PrepareError{Reason::OutOfRange, 40000, 2, 0}
        << QStringLiteral("Cannot put back the margins of 'big.png': a picture of 40000x2 dots is outside the range "
                          "1-32767.");
}

void TestMessages::pictureChoiceFailures()
{
    QFETCH(QString, name);
    QFETCH(PictureChange, change);
    QFETCH(PrepareError, error);
    QFETCH(QString, message);
    QCOMPARE(pictureChoiceFailure(name, change, error), message);
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
