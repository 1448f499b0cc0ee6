// The recovery file: what it holds reads back exactly, a damaged one is
// recognised, and the writer leaves the last thing asked of it.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "storage/RecoveryFile.h"

#include <QFile>
#include <QtTest>

using namespace Fixtures;

namespace {
RecoveryFile::Snapshot snapshotOf(const QString &text)
{
    FlexGridStore sheet = startupSheet();
    sheet.setTextMatrix(3, 0, QStringLiteral("12,5"));
    sheet.setTextMatrix(3, 8, text);
    return {QStringLiteral("2026"), QStringLiteral("03"), QStringLiteral("2026-03-15T10:23:45.123+01:00"),
            RecoveryFile::sheetRows(sheet)};
}

bool sameSnapshot(const RecoveryFile::Snapshot &a, const RecoveryFile::Snapshot &b)
{
    return a.year == b.year && a.month == b.month && a.time == b.time && a.rows == b.rows;
}
} // namespace

class TestRecoveryFile : public QObject
{
    Q_OBJECT
private slots:
    void everyTextReadsBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("umlauts and other scripts") << "Bürobedarf 张三 €";
        QTest::newRow("a tab and line breaks") << "a\tb\nc\r\nd";
        QTest::newRow("backslashes, also before t and n") << "C:\\temp\\neu\\";
        QTest::newRow("a line that looks like the checksum") << "\nPruefsumme\t00";
        QTest::newRow("empty") << "";
    }
    void everyTextReadsBack()
    {
        QFETCH(QString, text);
        const RecoveryFile::Snapshot snapshot = snapshotOf(text);
        const std::optional<RecoveryFile::Snapshot> back = RecoveryFile::decode(RecoveryFile::encode(snapshot));
        QVERIFY(back);
        QVERIFY(sameSnapshot(*back, snapshot));
        FlexGridStore sheet = startupSheet();
        sheet.setRows(12);
        RecoveryFile::restoreInto(sheet, back->rows);
        QCOMPARE(RecoveryFile::sheetRows(sheet), snapshot.rows);
    }

    void aDamagedFileIsRecognised_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("a byte of a cell flipped") << "flip";
        QTest::newRow("cut off before its end") << "cut";
        QTest::newRow("another file") << "other";
    }
    void aDamagedFileIsRecognised()
    {
        QFETCH(QString, damage);
        QByteArray bytes = RecoveryFile::encode(snapshotOf(QStringLiteral("Kaffee")));
        if (damage == QStringLiteral("flip"))
            bytes[bytes.indexOf("Kaffee")] = 'k';
        if (damage == QStringLiteral("cut"))
            bytes.chop(10);
        if (damage == QStringLiteral("other"))
            bytes = "19%\r\n7%\r\n0%\r\n";
        QVERIFY(!RecoveryFile::decode(bytes));
    }

    // Only the last request counts, and a removal is never undone by a write
    // that was still on its way.
    void theWriterLeavesTheLastRequest_data()
    {
        QTest::addColumn<QStringList>("requests"); // texts to write, "-" to remove
        QTest::addColumn<QString>("left");         // empty: no file
        QTest::newRow("one write") << QStringList{QStringLiteral("a")} << "a";
        QTest::newRow("writes in a row") << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}
                                         << "c";
        QTest::newRow("a removal after writes")
            << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("-")} << "";
        QTest::newRow("a write after a removal") << QStringList{QStringLiteral("-"), QStringLiteral("d")} << "d";
    }
    void theWriterLeavesTheLastRequest()
    {
        QFETCH(QStringList, requests);
        QFETCH(QString, left);
        ProgramFolder folder;
        const QString path = RecoveryFile::path(folder.path());
        {
            RecoveryWriter writer(path);
            for (const QString &request : requests) {
                if (request == QStringLiteral("-"))
                    writer.remove();
                else
                    writer.write(snapshotOf(request));
            }
            writer.waitIdle();
            QCOMPARE(writer.lastError(), 0);
        }
        QCOMPARE(folderEntries(folder.path()),
                 left.isEmpty() ? QStringList() : QStringList{QStringLiteral("Barlog-Wiederherstellung.txt")});
        if (!left.isEmpty()) {
            const std::optional<RecoveryFile::Snapshot> read =
                RecoveryFile::decode(folder.read(QStringLiteral("Barlog-Wiederherstellung.txt")));
            QVERIFY(read);
            QCOMPARE(read->rows.at(2).at(8), left);
        }
    }

    void aFailedWriteIsReported()
    {
        RecoveryWriter writer(QStringLiteral("/nicht/vorhanden/Barlog-Wiederherstellung.txt"));
        writer.write(snapshotOf(QStringLiteral("a")));
        writer.waitIdle();
        QCOMPARE(writer.lastError(), ENOENT);
    }
};

QTEST_GUILESS_MAIN(TestRecoveryFile)
#include "TestRecoveryFile.moc"
