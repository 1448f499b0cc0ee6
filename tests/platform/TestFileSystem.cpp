#include "TestSupport.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QtTest>

class TestFileSystem : public QObject
{
    Q_OBJECT
private slots:
    void existence_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("file");
        QTest::addColumn<bool>("dir");
        QTest::newRow("a file") << QStringLiteral("bl.dat") << true << false;
        QTest::newRow("a folder is not a file") << QStringLiteral("2026") << false << true;
        QTest::newRow("missing") << QStringLiteral("nichts.mdb") << false << false;
        QTest::newRow("below a file") << QStringLiteral("bl.dat/x") << false << false;
        QTest::newRow("empty name") << QString() << false << false;
        QTest::newRow("NUL inside") << QStringLiteral("bl.dat") + QChar(0) + QStringLiteral("x") << false << false;
    }
    void existence()
    {
        QFETCH(QString, relative);
        QFETCH(bool, file);
        QFETCH(bool, dir);
        ProgramFolder folder;
        folder.write(QStringLiteral("bl.dat"), "19%\r\n");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2026")));
        const QString path = relative.isEmpty() ? QString() : folder.file(relative);
        QCOMPARE(FileExists(path), file);
        QCOMPARE(DirExists(path), dir);
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "TestFileSystem.moc"
