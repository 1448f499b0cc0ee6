// A month's chain reaches beyond its file: the register of chain heads beside
// the year folders tells an older copy of an open month, and the first entry
// of a month chains onto the month before, so that the month before changed
// since is told, too.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "books/ChainRegister.h"
#include "books/Checksum.h"
#include "books/MonthClosing.h"
#include "books/MonthStorage.h"
#include "platform/Clock.h"
#include "storage/MonthDatabase.h"

#include <QFile>
#include <QtTest>

using namespace Fixtures;

namespace {
const QString monthFile = QStringLiteral("2026/2026-02.mdb");
const QString marchFile = QStringLiteral("2026/2026-03.mdb");

// February: carry-over 1.000,00, an income with the text given and an expense.
FlexGridStore february(const QString &text)
{
    FlexGridStore sheet = startupSheet(6);
    setRow(sheet, 2, items("||||1.000,00||40"));
    setRow(sheet, 3, items("100,00|||||||02.02.2026|"));
    sheet.setTextMatrix(3, 8, text);
    setRow(sheet, 4, items("|||50,00||||03.02.2026|Porto"));
    return sheet;
}

QString saveAs(const FlexGridStore &sheet, const ProgramFolder &folder, const char *month = "02")
{
    return MonthStorage::save(
        MonthStorage::planSave(sheet, folder.path(), QStringLiteral("2026"), QString::fromLatin1(month)));
}

MonthStorage::LoadResult load(const ProgramFolder &folder, const char *month = "02")
{
    FlexGridStore sheet = startupSheet(6);
    return MonthStorage::loadMonth(sheet, folder.path(), QStringLiteral("2026"), QString::fromLatin1(month),
                                   modul::defaultRateTexts());
}

// February saved three times, so that its backup is two saves behind the
// register's last note of it.
void februarySavedThrice(const ProgramFolder &folder)
{
    for (const char *text : {"Kaffee", "Tee", "Saft"})
        QCOMPARE(saveAs(february(QString::fromLatin1(text)), folder), QString());
}

// Replaces the first occurrence of `what` in the text file at path.
bool editFile(const QString &path, const QByteArray &what, const QByteArray &by)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();
    const qsizetype at = bytes.indexOf(what);
    if (at < 0 || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    bytes.replace(at, what.size(), by);
    return file.write(bytes) == bytes.size();
}
} // namespace

class TestMonthChain : public QObject
{
    Q_OBJECT
private slots:
    // A lowered version stamp hides nothing: the forged record is reported,
    // and the next save carries the log on instead of starting a new one.
    void aLoweredStampHidesNoLog()
    {
        ProgramFolder folder;
        QCOMPARE(saveAs(february(QStringLiteral("Kaffee")), folder), QString());
        QCOMPARE(saveAs(february(QStringLiteral("Tee")), folder), QString());
        const QString path = folder.file(monthFile);
        const QList<QStringList> log = Sql::rows(path, QStringLiteral("Protokoll"));
        QVERIFY(Sql::exec(path, QStringLiteral("PRAGMA user_version = 1; DROP TRIGGER \"Journal_update\"; "
                                               "UPDATE Journal SET Text = 'Wein' WHERE rowid = 3")));

        const MonthStorage::LoadResult loaded = load(folder);
        QVERIFY(loaded.loaded);
        QVERIFY2(loaded.warning.contains(QStringLiteral("„Wein“")), qPrintable(loaded.warning));

        QCOMPARE(saveAs(february(QStringLiteral("Saft")), folder), QString());
        const QList<QStringList> after = Sql::rows(path, QStringLiteral("Protokoll"));
        QCOMPARE(after.size(), log.size() + 1);
        QCOMPARE(after.mid(0, log.size()), log);
        QVERIFY(!load(folder).warning.isEmpty()); // the forged value stays visible
    }

    // The register tells an older copy of the open month, a log gone with
    // its stamp, and a register line changed or removed.
    void theRegisterTellsWhatTheFileHides_data()
    {
        QTest::addColumn<QString>("done");
        QTest::addColumn<QString>("shown"); // part of the load's warning; empty: none
        QTest::newRow("intact") << QString() << QString();
        QTest::newRow("rolled back to the backup")
            << QStringLiteral("rollback") << QStringLiteral("die Datei endet bei Nr. ");
        QTest::newRow("log dropped, stamp lowered") << QStringLiteral("DROP TABLE Protokoll; PRAGMA user_version = 1")
                                                    << QStringLiteral("Die Datei hat kein Änderungsprotokoll mehr");
        QTest::newRow("file removed") << QStringLiteral("delete")
                                      << QStringLiteral("Die Datei des Monats 2026-02 fehlt, obwohl Barlog ihn am ");
        QTest::newRow("line removed") << QStringLiteral("remove") << QStringLiteral("ab seiner Zeile 2 wurde");
        QTest::newRow("line changed") << QStringLiteral("change") << QStringLiteral("ab seiner Zeile 1 wurde");
    }
    void theRegisterTellsWhatTheFileHides()
    {
        QFETCH(QString, done);
        QFETCH(QString, shown);
        ProgramFolder folder;
        februarySavedThrice(folder);
        const QString path = folder.file(monthFile);
        const QString registerFile = ChainRegister::registerPath(folder.path());
        QFile lines(registerFile);
        QVERIFY(lines.open(QIODevice::ReadOnly));
        const QList<QByteArray> noted = lines.readAll().split('\n');
        lines.close();
        if (done == QStringLiteral("rollback")) {
            QVERIFY(QFile::remove(path) && QFile::copy(path + QStringLiteral(".bak"), path));
        } else if (done == QStringLiteral("delete")) {
            QVERIFY(QFile::remove(path));
        } else if (done == QStringLiteral("remove")) {
            QVERIFY(editFile(registerFile, noted.at(2) + '\n', {}));
        } else if (done == QStringLiteral("change")) {
            QVERIFY(editFile(registerFile, noted.at(1).left(8), "2026-01;"));
        } else if (!done.isEmpty()) {
            QVERIFY(Sql::exec(path, done));
        }
        const MonthStorage::LoadResult loaded = load(folder);
        const QString warning = loaded.message + loaded.warning;
        if (shown.isEmpty())
            QCOMPARE(warning, QString());
        else
            QVERIFY2(warning.contains(shown), qPrintable(warning));
    }

    // March's first link chains onto February's head, closed or not:
    // February going on is fine, February rolled back behind that head is
    // named at March's load.
    void theMonthBeforeIsHeldToItsHead_data()
    {
        QTest::addColumn<bool>("rollBack");
        QTest::newRow("the month before went on") << false;
        QTest::newRow("the month before rolled back") << true;
    }
    void theMonthBeforeIsHeldToItsHead()
    {
        QFETCH(bool, rollBack);
        ProgramFolder folder;
        QCOMPARE(saveAs(february(QStringLiteral("Kaffee")), folder), QString());
        QCOMPARE(saveAs(february(QStringLiteral("Tee")), folder), QString());
        FlexGridStore march = february(QStringLiteral("Märzkaffee"));
        march.setTextMatrix(2, 4, QStringLiteral("1.050,00"));
        QCOMPARE(saveAs(march, folder, "03"), QString());
        // The close keeps the link its chain starts from.
        QCOMPARE(MonthClosing::close(folder.path(), folder.file(marchFile), QStringLiteral("2026-03")), QString());
        if (rollBack) {
            const QString path = folder.file(monthFile);
            QVERIFY(QFile::remove(path) && QFile::copy(path + QStringLiteral(".bak"), path));
        } else {
            QCOMPARE(saveAs(february(QStringLiteral("Saft")), folder), QString());
        }
        const MonthStorage::LoadResult loaded = load(folder, "03");
        QVERIFY(loaded.loaded);
        QVERIFY2(!loaded.warning.contains(QStringLiteral("außerhalb von Barlog")), qPrintable(loaded.warning));
        QCOMPARE(loaded.warning.contains(
                     QStringLiteral("Der Monat 2026-02 wurde verändert, seit der Monat 2026-03 begonnen wurde.")),
                 rollBack);
        // March's chain itself verifies only from February's head.
        QVERIFY(Sql::exec(folder.file(marchFile),
                          QStringLiteral("DROP TRIGGER Vormonat_update; "
                                         "UPDATE Vormonat SET Hash = replace(Hash, substr(Hash, 1, 1), 'x')")));
        QVERIFY(load(folder, "03").warning.contains(QStringLiteral("Der erste veränderte Eintrag")));
    }

    // The print-out's line: the chain head's first 16 hex digits, and a
    // closed month's fingerprint of its records.
    void thePrintedChecksum()
    {
        ProgramFolder folder;
        QCOMPARE(saveAs(february(QStringLiteral("Kaffee")), folder), QString());
        const QString path = folder.file(monthFile);
        const QString head =
            Sql::query(path, QStringLiteral("SELECT Hash FROM Protokoll ORDER BY Nr DESC LIMIT 1")).value(0).value(0);
        QCOMPARE(Checksum::printLine(path), QStringLiteral("Prüfsumme ") + head.left(16));
        Clock::setNow(QDateTime::fromString(QStringLiteral("2026-03-01T08:15:00.000+01:00"), Qt::ISODateWithMs));
        QCOMPARE(MonthClosing::close(folder.path(), path, QStringLiteral("2026-02")), QString());
        Clock::setNow(QDateTime());
        const QString records = Sql::query(path, QStringLiteral("SELECT Buchungen FROM Abschluss")).value(0).value(0);
        QCOMPARE(Checksum::printLine(path),
                 QStringLiteral("Prüfsumme %1 · Abschluss vom 01.03.2026 %2").arg(head.left(16), records.left(16)));
    }
};

QTEST_GUILESS_MAIN(TestMonthChain)
#include "TestMonthChain.moc"
