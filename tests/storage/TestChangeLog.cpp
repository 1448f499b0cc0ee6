// The change log: what a save records, how the chain catches an altered
// entry or record, and that the log kept in the month file, across the safe
// save and its backup, never loses an entry.
#include "StorageFixtures.h"
#include "TestSupport.h"
#include "platform/Clock.h"
#include "storage/ChangeLog.h"
#include "storage/MonthDatabase.h"
#include "storage/MonthFileWriter.h"
#include "storage/MonthStorage.h"
#include "storage/SheetRecords.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimeZone>
#include <QtTest>

using namespace Fixtures;
using ChangeLog::Break;

namespace {
const QString year = QStringLiteral("2026");
const QString month = QStringLiteral("03");
const QString monthFile = QStringLiteral("2026/2026-03.mdb");
const QString b = QStringLiteral(" ");

Record entryRecord(const QString &amount, const QString &text)
{
    return {amount, b, b, b, b, b, b, QStringLiteral("03.03.2026"), text, b};
}

// Two saves: the month made, then one text changed and a row added.
const Records first = {entryRecord(QStringLiteral("19%"), b), entryRecord(b, QStringLiteral("Übertrag")),
                       entryRecord(QStringLiteral("5,00"), QStringLiteral("Kaffee"))};
const Records second = {first[0], first[1], entryRecord(QStringLiteral("5,00"), QStringLiteral("Tee")),
                        entryRecord(QStringLiteral("2,00"), QStringLiteral("Milch"))};

ChangeLog::Entries twoSaves()
{
    ChangeLog::Entries log;
    ChangeLog::append(log, ChangeLog::diff({}, first), QStringLiteral("2026-03-02T09:00:00.000+01:00"));
    ChangeLog::append(log, ChangeLog::diff(first, second), QStringLiteral("2026-03-03T18:30:00.000+01:00"));
    return log;
}

MonthStorage::SavePlan plan(const FlexGridStore &sheet, const ProgramFolder &folder)
{
    return MonthStorage::planSave(sheet, folder.path(), year, month);
}

MonthContents readBack(const QString &path)
{
    MonthContents contents;
    const DbStatus status = MonthDatabase::readMonth(path, contents);
    if (!status.ok())
        qWarning("%s", qPrintable(status.report()));
    return contents;
}

// A sheet with the given entry texts in rows 3 onwards.
FlexGridStore sheetWith(const QStringList &texts)
{
    FlexGridStore sheet = startupSheet();
    sheet.setRows(static_cast<int>(texts.size()) + 4);
    for (int i = 0; i < texts.size(); ++i) {
        sheet.setTextMatrix(3 + i, 0, QStringLiteral("%1,00").arg(i + 1));
        sheet.setTextMatrix(3 + i, 8, texts.at(i));
    }
    return sheet;
}

// Random edits as a user makes them: texts and amounts typed over, rows
// appended, inserted and the last one deleted.
void randomEdit(FlexGridStore &sheet, QRandomGenerator &random)
{
    const int kind = static_cast<int>(random.bounded(5));
    const int row = 3 + static_cast<int>(random.bounded(std::max(sheet.rows() - 3, 1)));
    const QString word = QStringLiteral("Wort%1ä").arg(random.bounded(1000));
    switch (kind) {
    case 0:
        sheet.setTextMatrix(row, 8, word);
        break;
    case 1:
        sheet.setTextMatrix(row, static_cast<int>(random.bounded(4)),
                            QStringLiteral("%1,%2").arg(random.bounded(500)).arg(random.bounded(10, 99)));
        break;
    case 2:
        sheet.setRows(sheet.rows() + 1);
        sheet.setTextMatrix(sheet.rows() - 1, 8, word);
        break;
    case 3:
        sheet.addItem(QStringLiteral("1,00\t\t\t\t\t\t\t\t") + word, row);
        break;
    default:
        if (sheet.rows() > 5)
            sheet.setRows(sheet.rows() - 1);
        break;
    }
}
} // namespace

class TestChangeLog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Clock::setNow(QDateTime()); }

    // Whatever is altered, the first place the log and the records part ways is named.
    void verifyNamesTheFirstBreak_data()
    {
        QTest::addColumn<QString>("alteration");
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("entry");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        using K = Break::Kind;
        QTest::newRow("an entry's new text") << "new" << int(K::Chain) << qint64(31) << 3 << 8;
        QTest::newRow("an entry's time") << "time" << int(K::Chain) << qint64(31) << 3 << 8;
        QTest::newRow("an entry moved to another cell") << "cell" << int(K::Chain) << qint64(31) << 3 << 7;
        QTest::newRow("an entry taken out of the middle") << "remove" << int(K::Missing) << qint64(12) << 0 << 0;
        QTest::newRow("the log rebuilt with a forged old text") << "forged" << int(K::OldText) << qint64(31) << 3 << 8;
        QTest::newRow("a record typed over") << "record" << int(K::Record) << qint64(31) << 3 << 8;
        QTest::newRow("a record no entry made") << "extra" << int(K::Record) << qint64(0) << 5 << 0;
        QTest::newRow("the last save's entries cut off") << "truncate" << int(K::Record) << qint64(29) << 3 << 8;
    }
    void verifyNamesTheFirstBreak()
    {
        QFETCH(QString, alteration);
        QFETCH(int, kind);
        QFETCH(qint64, entry);
        QFETCH(int, row);
        QFETCH(int, column);
        ChangeLog::Entries log = twoSaves();
        Records records = second;
        ChangeLog::Entry &changed = log[30];
        if (alteration == QStringLiteral("new"))
            changed.newText = QStringLiteral("Tea");
        if (alteration == QStringLiteral("time"))
            changed.time = QStringLiteral("2026-03-03T18:31:00.000+01:00");
        if (alteration == QStringLiteral("cell"))
            changed.column = 7;
        if (alteration == QStringLiteral("remove"))
            log.erase(log.begin() + 11);
        if (alteration == QStringLiteral("forged")) {
            // Whoever knows the hash can rebuild the chain, but not make the
            // old texts agree with what the entries before wrote.
            changed.oldText = QStringLiteral("Kakao");
            QByteArray previous = log[29].hash;
            for (size_t i = 30; i < log.size(); ++i) {
                log[i].hash = ChangeLog::entryHash(previous, log[i]);
                previous = log[i].hash;
            }
        }
        if (alteration == QStringLiteral("record"))
            records[2][8] = QStringLiteral("Tea");
        if (alteration == QStringLiteral("extra"))
            records.push_back(entryRecord(QStringLiteral("9,00"), QStringLiteral("Schwarz")));
        if (alteration == QStringLiteral("truncate"))
            log.resize(30);
        const std::optional<Break> found = ChangeLog::verify(log, records);
        QVERIFY(found);
        QCOMPARE(int(found->kind), kind);
        QCOMPARE(found->entry, entry);
        QCOMPARE(found->row, row);
        QCOMPARE(found->column, column);
    }

    // Each save appends its changes with its own time; the backup keeps the
    // previous file's log byte for byte, and the new log starts with it.
    void theLogSurvivesTheSafeSaveAndItsBackup()
    {
        ProgramFolder folder;
        Clock::setNow(QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone(3600)));
        QCOMPARE(MonthStorage::save(plan(sheetWith({QStringLiteral("Kaffee")}), folder)), QString());
        const MonthContents firstFile = readBack(folder.file(monthFile));
        QCOMPARE(firstFile.log.size(), size_t(4 * 10));

        Clock::setNow(QDateTime(QDate(2026, 3, 3), QTime(18, 30), QTimeZone(3600)));
        QCOMPARE(MonthStorage::save(plan(sheetWith({QStringLiteral("Tee")}), folder)), QString());
        const MonthContents secondFile = readBack(folder.file(monthFile));
        QCOMPARE(Sql::rows(folder.file(monthFile + QStringLiteral(".bak")), QStringLiteral("Protokoll")),
                 Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll")).mid(0, 40));
        QCOMPARE(secondFile.log.size(), size_t(41));
        const ChangeLog::Entry &last = secondFile.log.back();
        QCOMPARE((QStringList{last.time, QString::number(last.row), QString::number(last.column), *last.oldText,
                              *last.newText}),
                 (QStringList{QStringLiteral("2026-03-03T18:30:00.000+01:00"), QStringLiteral("3"), QStringLiteral("8"),
                              QStringLiteral("Kaffee"), QStringLiteral("Tee")}));
        QVERIFY(!ChangeLog::verify(secondFile.log, secondFile.records));
    }

    // Files from before the log, and the Windows program's, get one at their first save.
    void theFirstSaveOfAnUnloggedMonthStartsTheLog_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a Barlog file of version 1") << "v1";
        QTest::newRow("a Jet file of the Windows program") << "jet";
    }
    void theFirstSaveOfAnUnloggedMonthStartsTheLog()
    {
        QFETCH(QString, kind);
        ProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(year));
        const QString path = folder.file(monthFile);
        if (kind == QStringLiteral("v1")) {
            QVERIFY(writeVersion1Month(path));
        } else {
            QFile jet(testDataPath(QStringLiteral("jet4/users.mdb")));
            QVERIFY(jet.open(QIODevice::ReadOnly));
            folder.write(monthFile, jet.readAll());
        }
        const FlexGridStore sheet = sheetWith({QStringLiteral("neu")});
        QCOMPARE(MonthStorage::save(plan(sheet, folder)), QString());
        const MonthContents saved = readBack(path);
        QCOMPARE(saved.log.size(), size_t(4 * 10));
        QVERIFY(std::all_of(saved.log.begin(), saved.log.end(), [](const auto &e) { return !e.oldText; }));
        // The system's local time, written with its offset from UTC ("Z" for none).
        QVERIFY2(saved.log.front().time.contains(
                     QRegularExpression(QStringLiteral("T\\d\\d:\\d\\d:\\d\\d\\.\\d{3}(Z|[+-]\\d\\d:\\d\\d)$"))),
                 qPrintable(saved.log.front().time));
        QCOMPARE(ChangeLog::replay(saved.log), SheetRecords::fromSheet(sheet));
    }

    // A byte flipped in the file through SQLite, behind Barlog's back: the
    // month still loads as the file holds it, and one message names the break.
    void aTamperedFileLoadsWithOneMessage_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<qint64>("rowid");
        QTest::addColumn<QString>("detail");
        QTest::newRow("a record's text")
            << "Journal"
            << "Text" << qint64(3)
            << "Zeile 3, Spalte Text enthält „Kaffed“, laut Eintrag Nr. 51 vom 03.03.2026 18:30:00 des "
               "Änderungsprotokolls gehört dort „Kaffee“ hin.";
        QTest::newRow("a log entry's new text")
            << "Protokoll"
            << "Neu" << qint64(51)
            << "Der erste veränderte Eintrag des Änderungsprotokolls ist Nr. 51 vom 03.03.2026 18:30:00 "
               "(Zeile 3, Spalte Text).";
        QTest::newRow("a log entry's time")
            << "Protokoll"
            << "Zeit" << qint64(7)
            << "Der erste veränderte Eintrag des Änderungsprotokolls ist Nr. 7 vom 03.03.2026 09:00:00 "
               "(Zeile 1, Spalte Beleg).";
    }
    void aTamperedFileLoadsWithOneMessage()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(qint64, rowid);
        QFETCH(QString, detail);
        ProgramFolder folder;
        Clock::setNow(QDateTime(QDate(2026, 3, 2), QTime(9, 0), QTimeZone(3600)));
        QCOMPARE(MonthStorage::save(plan(sheetWith({QStringLiteral("Tee"), QStringLiteral("Milch")}), folder)),
                 QString());
        Clock::setNow(QDateTime(QDate(2026, 3, 3), QTime(18, 30), QTimeZone(3600)));
        QCOMPARE(MonthStorage::save(plan(sheetWith({QStringLiteral("Kaffee"), QStringLiteral("Milch")}), folder)),
                 QString());
        const QString path = folder.file(monthFile);
        const QList<QStringList> before = Sql::rows(path, QStringLiteral("Journal"));
        // The byte that turns "Kaffee" into "Kaffed" or "Kagfee", and day 02 into 03.
        const int offset = column == QStringLiteral("Text") ? 5 : column == QStringLiteral("Neu") ? 2 : 9;
        QVERIFY(Sql::flipByte(path, table, column, rowid, offset));

        FlexGridStore sheet = startupSheet();
        const MonthStorage::LoadResult result =
            MonthStorage::loadMonth(sheet, folder.path(), year, month, modul::defaultRateTexts());
        QVERIFY(result.loaded);
        QCOMPARE(result.warning, QStringLiteral("Die Datei „2026-03.mdb“ wurde außerhalb von Barlog verändert.\r\n\r\n")
                                     + detail
                                     + QStringLiteral("\r\n\r\nDer Monat wurde trotzdem geladen. Was er jetzt zeigt, "
                                                      "ist nicht sicher das, was Barlog gespeichert hat."));
        QList<QStringList> shown = Sql::rows(path, QStringLiteral("Journal"));
        QCOMPARE(sheet.textMatrix(3, 8), shown[2][8]);
        QCOMPARE(shown.size(), before.size());
    }

    // Random saves and edits: no save ever drops or alters an entry that
    // was there, and the log replayed from an empty month is the file's records.
    void randomSavesNeverLoseAnEntry()
    {
        ProgramFolder folder;
        QRandomGenerator random(20260315);
        FlexGridStore sheet = sheetWith({QStringLiteral("Anfang")});
        QList<QStringList> logSoFar;
        for (int save = 0; save < 40; ++save) {
            const int edits = static_cast<int>(random.bounded(6));
            for (int i = 0; i < edits; ++i)
                randomEdit(sheet, random);
            QCOMPARE(MonthStorage::save(plan(sheet, folder)), QString());
            const QList<QStringList> log = Sql::rows(folder.file(monthFile), QStringLiteral("Protokoll"));
            QCOMPARE(log.mid(0, logSoFar.size()), logSoFar);
            logSoFar = log;
            const MonthContents file = readBack(folder.file(monthFile));
            QCOMPARE(ChangeLog::replay(file.log), SheetRecords::fromSheet(sheet));
            QCOMPARE(file.records, SheetRecords::fromSheet(sheet));
            QVERIFY(!ChangeLog::verify(file.log, file.records));
        }
    }
};

QTEST_GUILESS_MAIN(TestChangeLog)
#include "TestChangeLog.moc"
