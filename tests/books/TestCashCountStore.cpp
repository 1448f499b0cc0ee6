// A count kept for good: stored as the next link of the month's chain, carried
// by every later save and its backup, reported at load when altered, and
// refused where it cannot be evidence.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/CarryOver.h"
#include "books/CashCount.h"
#include "books/CashCountStore.h"
#include "books/MonthAudit.h"
#include "books/MonthClosing.h"
#include "books/MonthStorage.h"
#include "platform/Clock.h"
#include "storage/MonthDatabase.h"

#include <QtTest>

using namespace Fixtures;

namespace {
const QString label = QStringLiteral("2026-03");
const QString monthFile = QStringLiteral("2026/2026-03.mdb");
const QString countTable = QStringLiteral("Kassenzaehlung");

// March: carry-over 100,00 and an income of 5,00 with the text given; it ends at 105,00.
FlexGridStore march(const char *text = "Tageseinnahme")
{
    FlexGridStore sheet = startupSheet(5);
    setRow(sheet, 2, items("||||100,00"));
    setRow(sheet, 3, items(QByteArray("5,00|||||||02.03.2026|").append(text).constData()));
    return sheet;
}

QString save(const FlexGridStore &sheet, const ProgramFolder &folder)
{
    Clock::setNow(QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone(3600)));
    return MonthStorage::save(
        MonthStorage::planSave(sheet, folder.path(), QStringLiteral("2026"), QStringLiteral("03")));
}

// One 100-euro note against the balance given, at 18:30:05 on the day given.
CashCountStore::Result count(const ProgramFolder &folder, qint64 balance = 10500, int day = 15)
{
    Clock::setNow(QDateTime(QDate(2026, 3, day), QTime(18, 30, 5), QTimeZone(3600)));
    CashCount::Tally pieces{};
    pieces[2] = 1;
    return CashCountStore::store(
        folder.path(), folder.file(monthFile), label,
        CashCount::taken(pieces, balance, QStringLiteral("Anna"), QStringLiteral("Schicht"), {}),
        modul::defaultRateTexts());
}

MonthContents read(const ProgramFolder &folder, const QString &file = monthFile)
{
    MonthContents month;
    if (!MonthDatabase::readMonth(folder.file(file), month).ok())
        qWarning("unreadable: %s", qPrintable(file));
    return month;
}

QString counted(const CashCount::Count &c)
{
    QStringList pieces;
    for (const int p : c.pieces)
        pieces << QString::number(p);
    return QStringList{QString::number(c.number),
                       c.time,
                       c.countedBy,
                       c.note,
                       QString::number(c.bookBalance),
                       QString::number(c.counted),
                       QString::number(c.difference),
                       pieces.join(u','),
                       QString::fromLatin1(c.hash)}
        .join(u' ');
}
} // namespace

class TestCashCountStore : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::setNow(QDateTime()); }

    // The count takes the number after the log's last entry and keeps every
    // field; the records stay, the log and the backup come along; a later
    // save chains on the count and carries it, byte for byte.
    void aCountIsTheNextLinkOfTheChain()
    {
        ProgramFolder folder;
        QCOMPARE(save(march(), folder), QString());
        const QList<QStringList> journal = Sql::rows(folder.file(monthFile), QStringLiteral("Journal"));
        const QByteArray before = folder.read(monthFile);
        const qint64 logged = qint64(read(folder).log.size());

        const CashCountStore::Result first = count(folder);
        QCOMPARE(first.message, QString());
        QCOMPARE(first.count.number, logged + 1);
        QCOMPARE(first.count.time, QStringLiteral("2026-03-15T18:30:05.000+01:00"));
        QCOMPARE((QList<qint64>{first.count.bookBalance, first.count.counted, first.count.difference}),
                 (QList<qint64>{10500, 10000, -500}));
        MonthContents file = read(folder);
        QCOMPARE(file.counts.size(), size_t(1));
        QCOMPARE(counted(file.counts[0]), counted(first.count));
        QCOMPARE(Sql::rows(folder.file(monthFile), QStringLiteral("Journal")), journal);
        QCOMPARE(folder.read(monthFile + QStringLiteral(".bak")), before);
        QVERIFY(MonthAudit::intact(MonthAudit::check(file)));

        QCOMPARE(save(march("Tageseinnahme Kasse 2"), folder), QString());
        file = read(folder);
        QCOMPARE(file.log.back().number, first.count.number + 1);
        QCOMPARE(counted(file.counts.at(0)), counted(first.count));
        QCOMPARE(Sql::rows(folder.file(monthFile + QStringLiteral(".bak")), countTable),
                 Sql::rows(folder.file(monthFile), countTable));
        QVERIFY(MonthAudit::intact(MonthAudit::check(file)));
        QCOMPARE(ChangeLog::chainHead(file).hash, file.log.back().hash);

        const CashCountStore::Result second = count(folder, 10500, 16);
        QCOMPARE(second.count.number, file.log.back().number + 1);
        file = read(folder);
        QCOMPARE(file.counts.size(), size_t(2));
        QCOMPARE(ChangeLog::chainHead(file).hash, second.count.hash);
        QVERIFY(MonthAudit::intact(MonthAudit::check(file)));
        // A close after a count marks the count as the chain's head, so
        // that even the last count cannot go unseen.
        Clock::setNow(QDateTime(QDate(2026, 4, 1), QTime(8, 0), QTimeZone(7200)));
        QCOMPARE(MonthClosing::close(folder.path(), folder.file(monthFile), label), QString());
        QVERIFY(MonthAudit::intact(MonthAudit::check(read(folder))));
        QVERIFY(Sql::exec(folder.file(monthFile),
                          QStringLiteral("DROP TRIGGER Kassenzaehlung_delete; DELETE FROM Kassenzaehlung WHERE Nr = %1")
                              .arg(second.count.number)));
        file = read(folder);
        QCOMPARE(MonthAudit::describe(file, MonthAudit::check(file)),
                 QStringLiteral("Die Kette aus Änderungsprotokoll und Kassenzählungen endet nicht mehr dort, wo sie "
                                "beim Abschluss am 01.04.2026 08:00:00 endete."));
    }

    // Altered behind Barlog's back with SQLite: the load names the count.
    void anAlteredCountIsNamedAtLoad_data()
    {
        QTest::addColumn<QString>("sql"); // empty: flip a byte of the first count's note
        QTest::addColumn<QString>("detail");
        const char *altered =
            "Die Kassenzählung Nr. 9 vom 15.03.2026 18:30:05 ist nicht mehr die, die Barlog gespeichert hat.";
        textRow("a byte of the count flipped", "", altered);
        textRow("a count of pieces changed",
                "DROP TRIGGER Kassenzaehlung_update; UPDATE Kassenzaehlung SET Euro100 = 2 WHERE Nr = 9", altered);
        textRow("a count removed", "DROP TRIGGER Kassenzaehlung_delete; DELETE FROM Kassenzaehlung WHERE Nr = 9",
                "Nr. 9 fehlt: ein Eintrag des Änderungsprotokolls oder eine Kassenzählung wurde entfernt.");
        textRow("a count slipped in",
                "CREATE TEMP TABLE t AS SELECT * FROM Kassenzaehlung WHERE Nr = 9; UPDATE t SET Nr = 5; "
                "INSERT INTO Kassenzaehlung SELECT * FROM t",
                "Die Kassenzählung Nr. 5 vom 15.03.2026 18:30:05 wurde nachträglich eingefügt.");
        textRow("the count table dropped", "DROP TABLE Kassenzaehlung", "Ihre Kassenzählungen fehlen.");
    }
    void anAlteredCountIsNamedAtLoad()
    {
        QFETCH(QString, sql);
        QFETCH(QString, detail);
        ProgramFolder folder;
        QCOMPARE(save(march(), folder), QString());
        QCOMPARE(read(folder).log.size(), size_t(8)); // the count below is Nr. 9
        QVERIFY(count(folder).ok());
        QVERIFY(count(folder, 10500, 16).ok());
        if (sql.isEmpty())
            QVERIFY(Sql::flipByte(folder.file(monthFile), countTable, QStringLiteral("Bemerkung"), 9, 0));
        else
            QVERIFY(Sql::exec(folder.file(monthFile), sql));
        FlexGridStore sheet = startupSheet();
        const MonthStorage::LoadResult result = MonthStorage::loadMonth(
            sheet, folder.path(), QStringLiteral("2026"), QStringLiteral("03"), modul::defaultRateTexts());
        QVERIFY(result.loaded);
        QVERIFY2(result.warning.contains(QStringLiteral("\r\n\r\n") + detail + QStringLiteral("\r\n\r\n")),
                 qPrintable(result.warning));
    }

    // Nothing is written where a count would not be evidence.
    void aRefusedCountChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        textRow("a month not saved yet", "new",
                "Der Monat 2026-03 ist noch nicht gespeichert. Bitte zuerst den Monat speichern, dann zählen.");
        textRow("a closed month", "closed",
                "Der Monat 2026-03 ist seit dem 01.04.2026 08:00:00 abgeschlossen und nimmt keine Kassenzählung mehr "
                "an.");
        textRow("a balance the file does not end with", "balance",
                "Die Zählung wurde mit dem Bestand 100,00 verglichen, der gespeicherte Monat 2026-03 endet aber mit "
                "105,00. Bitte den Monat speichern oder neu laden und erneut zählen.");
    }
    void aRefusedCountChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2026")));
        if (kind != QStringLiteral("new"))
            QCOMPARE(save(march(), folder), QString());
        if (kind == QStringLiteral("closed")) {
            Clock::setNow(QDateTime(QDate(2026, 4, 1), QTime(8, 0), QTimeZone(7200)));
            QCOMPARE(MonthClosing::close(folder.path(), folder.file(monthFile), label), QString());
        }
        const QStringList entries = folderEntries(folder.file(QStringLiteral("2026")));
        const QByteArray before = folder.read(monthFile);
        const CashCountStore::Result result = count(folder, kind == QStringLiteral("balance") ? 10000 : 10500);
        QCOMPARE(result.message, QStringLiteral("Die Kassenzählung wurde nicht gespeichert.\r\n\r\n") + reason);
        QCOMPARE(folderEntries(folder.file(QStringLiteral("2026"))), entries);
        QCOMPARE(folder.read(monthFile), before);
    }

    // Files from before the counts load without a word; a save or a count
    // writes them as version 3, their log carried or started.
    void filesFromBeforeTheCountsGoOn_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("byCount"); // stored by a count, else by a save
        QTest::newRow("version 2, saved") << QStringLiteral("v2") << false;
        QTest::newRow("version 2, counted") << QStringLiteral("v2") << true;
        QTest::newRow("version 1, counted") << QStringLiteral("v1") << true;
    }
    void filesFromBeforeTheCountsGoOn()
    {
        QFETCH(QString, kind);
        QFETCH(bool, byCount);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2026")));
        const QString path = folder.file(monthFile);
        if (kind == QStringLiteral("v2")) {
            QCOMPARE(save(march(), folder), QString());
            QVERIFY(Sql::exec(path, QStringLiteral("DROP TABLE Kassenzaehlung; PRAGMA user_version = 2")));
        } else {
            QVERIFY(writeVersion1Month(path));
        }
        const QList<QStringList> log = Sql::rows(path, QStringLiteral("Protokoll"));
        MonthContents old = read(folder);
        QVERIFY(MonthAudit::intact(MonthAudit::check(old)));
        const qint64 balance = CarryOver::closingOf(old.records, modul::defaultRateTexts()).balance;
        if (byCount)
            QVERIFY(count(folder, balance).ok());
        else
            QCOMPARE(save(march("Tee"), folder), QString());
        QCOMPARE(Sql::query(path, QStringLiteral("PRAGMA user_version")).value(0).value(0),
                 QString::number(JournalTable::userVersion));
        QCOMPARE(Sql::rows(path, QStringLiteral("Protokoll")).mid(0, log.size()), log);
        const MonthContents now = read(folder);
        QCOMPARE(now.counts.size(), size_t(byCount ? 1 : 0));
        QVERIFY(MonthAudit::intact(MonthAudit::check(now)));
    }
};

QTEST_GUILESS_MAIN(TestCashCountStore)
#include "TestCashCountStore.moc"
