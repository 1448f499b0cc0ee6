// The recovery file: what it holds reads back exactly, a damaged one is
// recognised, and the writer leaves the last thing asked of it.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/RecoveryFile.h"

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
} // namespace

class TestRecoveryFile : public QObject
{
    Q_OBJECT
private slots:
    // Read back and put into a longer sheet, the rows are those written.
    void everyTextReadsBack_data()
    {
        QTest::addColumn<QString>("text");
        textRow("umlauts and other scripts", "Bürobedarf 张三 €");
        textRow("a tab and line breaks", "a\tb\nc\r\nd");
        textRow("backslashes, also before t and n", "C:\\temp\\neu\\");
        textRow("a line that looks like the checksum", "\nPruefsumme\t00");
    }
    void everyTextReadsBack()
    {
        QFETCH(QString, text);
        const RecoveryFile::Snapshot snapshot = snapshotOf(text);
        const std::optional<RecoveryFile::Snapshot> back = RecoveryFile::decode(RecoveryFile::encode(snapshot));
        QVERIFY(back);
        QCOMPARE((QStringList{back->year, back->month, back->time}),
                 (QStringList{snapshot.year, snapshot.month, snapshot.time}));
        FlexGridStore sheet = startupSheet(12);
        RecoveryFile::restoreInto(sheet, back->rows);
        QCOMPARE(RecoveryFile::sheetRows(sheet), snapshot.rows);
    }

    void aDamagedFileIsRecognised_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray good = RecoveryFile::encode(snapshotOf(QStringLiteral("Kaffee")));
        QTest::newRow("cut off before its end") << good.chopped(10);
        good[good.indexOf("Kaffee")] = 'k';
        QTest::newRow("a byte of a cell flipped") << good;
    }
    void aDamagedFileIsRecognised()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!RecoveryFile::decode(bytes));
    }

    void theQuestionNamesTheMonthAndTheTime()
    {
        QCOMPARE(RecoveryFile::restoreQuestion(snapshotOf(QString())),
                 QStringLiteral("Barlog wurde zuletzt nicht ordnungsgemäß beendet. Für den Monat 2026-03 gibt es "
                                "Eingaben vom 15.03.2026 10:23:45, die nicht gespeichert wurden.\r\n\r\nSollen sie "
                                "wiederhergestellt werden ?"));
    }

    // Only the last request counts, and a removal is never undone by a write
    // that was still on its way.
    void theWriterLeavesTheLastRequest_data()
    {
        QTest::addColumn<QString>("requests"); // texts to write, "-" to remove, "=" to wait for the writer
        QTest::addColumn<QString>("left");     // empty: no file
        textRow("writes in a row", "a|b|c", "c");
        textRow("a removal after writes", "a|b|-", "");
        textRow("a removal of a written file", "a|=|-", "");
        textRow("a write after a removal", "-|d", "d");
    }
    void theWriterLeavesTheLastRequest()
    {
        QFETCH(QString, requests);
        QFETCH(QString, left);
        ProgramFolder folder;
        {
            RecoveryWriter writer(RecoveryFile::path(folder.path()));
            for (const QString &request : requests.split(u'|')) {
                if (request == QStringLiteral("-"))
                    writer.remove();
                else if (request == QStringLiteral("="))
                    writer.waitIdle();
                else
                    writer.write(snapshotOf(request));
            }
            writer.waitIdle();
            QCOMPARE(writer.lastError(), 0);
        }
        const auto read = RecoveryFile::decode(folder.read(QStringLiteral("Barlog-Wiederherstellung.txt")));
        QCOMPARE(read ? read->rows.at(2).at(8) : QString(), left);
        QCOMPARE(folderEntries(folder.path()).size(), qsizetype(left.isEmpty() ? 0 : 1));
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
