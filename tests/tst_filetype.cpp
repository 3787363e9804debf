#include "platform/FileType.h"

#include <QTest>

using namespace plovan;

class TestFileType : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void combined_data();
    void combined();
};

void TestFileType::combined_data()
{
    QTest::addColumn<FileTypeSet>("types");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("extensions");
    QTest::newRow("JPEG + PNG, JPEG first") << filetypes::pictures() << "image/jpeg;image/png"
                                            << QStringList{"jpg", "jpeg", "png"};
    const FileType nameless{QString(), QStringLiteral("TEXT"), QString()};
    QTest::newRow("an empty name leaves no empty entry")
        << (filetypes::png() + nameless) << "image/png" << QStringList{"png"};
    const FileType listed{QStringLiteral("image/png;"), QStringLiteral("PNG "), QStringLiteral("png;")};
    QTest::newRow("names ending in ; do not double it")
        << (listed + filetypes::jpeg()) << "image/png;image/jpeg" << QStringList{"png", "jpg", "jpeg"};
}

void TestFileType::combined()
{
    QFETCH(FileTypeSet, types);
    QFETCH(QString, filter);
    QFETCH(QStringList, extensions);
    QCOMPARE(types.filterString(), filter);
    QCOMPARE(types.extensions(), extensions);
}

QTEST_GUILESS_MAIN(TestFileType)
#include "tst_filetype.moc"
